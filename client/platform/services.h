#pragma once

#include <QByteArray>
#include <QHostAddress>
#include <QList>
#include <QString>
#include <QStringList>
#include <QUrl>

namespace Platform {

// The system sounds the program plays.
enum class Sound { Exclamation, Error, Information, Question, Beep };

// Every operating-system service the client uses. The program runs on LinuxServices;
// tests install a FakeServices. Implementations return empty values instead of failing
// and may be called from any thread.
class Services
{
public:
    virtual ~Services() = default;

    // --- identity sources, raw as the system gives them
    virtual QString diskSerial() const = 0;                 // first physical disk; empty when none
    virtual QList<QByteArray> adapterAddresses() const = 0; // hardware addresses of the non-loopback adapters, in order
    virtual QString computerName() const = 0;               // untruncated; the identity applies the length rule
    virtual QString userName() const = 0;                   // untruncated
    virtual QList<QHostAddress> hostAddresses() const = 0;  // addresses of the computer's own host name

    // --- folders (no trailing separator)
    virtual QString roamingAppDataFolder() const = 0;
    virtual QString localAppDataFolder() const = 0;
    virtual QString documentsFolder() const = 0; // empty when the system does not know it

    // --- actions
    virtual bool openUrl(const QUrl &url) = 0; // a file or web address, with its default program
    virtual bool startProgram(const QString &program, const QStringList &arguments) = 0;
    virtual bool fileExists(const QString &path) const = 0;
    virtual void beep(Sound sound) = 0;
};

// The services in effect. Without an install, the Linux implementation.
Services &services();
// Not owned; nullptr restores the Linux implementation.
void install(Services *services);

// Installs for one scope and restores what was there before.
class ScopedServices final
{
public:
    explicit ScopedServices(Services &services);
    ~ScopedServices();
    ScopedServices(const ScopedServices &) = delete;
    ScopedServices &operator=(const ScopedServices &) = delete;

private:
    Services *m_previous;
};

} // namespace Platform
