#pragma once

#include "services.h"

#include <QMutex>
#include <QSet>
#include <QTemporaryDir>

namespace Platform {

// A made-up computer for tests. Its defaults are the awkward machine the identity rules
// are written for: a disk serial " ab 12 cd " with blanks in and around it, two adapters
// (the first all zeros), a 17-character user name. The folders live in a temporary
// directory that goes away with the fake. Every action is recorded; none reaches the system.
class FakeServices final : public Services
{
public:
    FakeServices();

    // What the fake computer reports; change freely before the code under test runs.
    QString serial = QStringLiteral(" ab 12 cd ");
    QList<QByteArray> adapters;
    QString computer = QStringLiteral("VARSEL-TEST");
    QString user = QStringLiteral("kullaniciuzunadi1"); // 17 characters
    QList<QHostAddress> addresses;
    QString roaming;
    QString local;
    QString documents;
    QSet<QString> existingFiles;
    bool openSucceeds = true;
    bool startSucceeds = true;

    struct StartedProgram
    {
        QString program;
        QStringList arguments;
    };
    QList<QUrl> openedUrls() const;
    QList<StartedProgram> startedPrograms() const;
    QList<Sound> sounds() const;

    QString diskSerial() const override { return serial; }
    QList<QByteArray> adapterAddresses() const override { return adapters; }
    QString computerName() const override { return computer; }
    QString userName() const override { return user; }
    QList<QHostAddress> hostAddresses() const override { return addresses; }
    QString roamingAppDataFolder() const override { return roaming; }
    QString localAppDataFolder() const override { return local; }
    QString documentsFolder() const override { return documents; }
    bool openUrl(const QUrl &url) override;
    bool startProgram(const QString &program, const QStringList &arguments) override;
    bool fileExists(const QString &path) const override { return existingFiles.contains(path); }
    void beep(Sound sound) override;

private:
    QTemporaryDir m_root;
    mutable QMutex m_lock;
    QList<QUrl> m_opened;
    QList<StartedProgram> m_started;
    QList<Sound> m_sounds;
};

} // namespace Platform
