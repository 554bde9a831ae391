#pragma once

#include "services.h"

#include <functional>

namespace Platform {

// The services of a Linux desktop: sysfs/udev for the disk, the network interfaces for
// the adapters, the XDG folders, the desktop's handlers for files and addresses.
class LinuxServices final : public Services
{
public:
    QString diskSerial() const override;
    QList<QByteArray> adapterAddresses() const override;
    QString computerName() const override;
    QString userName() const override;
    QList<QHostAddress> hostAddresses() const override;

    QString roamingAppDataFolder() const override;
    QString localAppDataFolder() const override;
    QString documentsFolder() const override;

    bool openUrl(const QUrl &url) override;
    bool startProgram(const QString &program, const QStringList &arguments) override;
    bool fileExists(const QString &path) const override;
    void beep(Sound sound) override;

    // The core layer cannot reach the desktop's bell; the window layer hands it in.
    // Without one, sounds are silent.
    static void setBeepHandler(std::function<void(Sound)> handler);

    // Reads the serial of the first physical disk under a sysfs-like tree (a parameter so
    // the search can be tried on a made-up tree). Empty when there is none.
    static QString diskSerialFrom(const QString &sysBlock, const QString &udevData);
};

} // namespace Platform
