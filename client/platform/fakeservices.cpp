#include "fakeservices.h"

#include <QDir>

using namespace Qt::StringLiterals;

namespace Platform {

FakeServices::FakeServices()
{
    adapters = {QByteArray(6, '\0'), QByteArray::fromHex("001A2B3C4D5E")};
    addresses = {QHostAddress(u"fe80::1"_s), QHostAddress(u"192.0.2.10"_s),
                 QHostAddress(u"198.51.100.7"_s)};
    const QString root = m_root.path();
    roaming = root + u"/config"_s;
    local = root + u"/data"_s;
    documents = root + u"/Belgeler"_s;
    for (const QString &dir : {roaming, local, documents})
        QDir().mkpath(dir);
}

QList<QUrl> FakeServices::openedUrls() const
{
    QMutexLocker lock(&m_lock);
    return m_opened;
}

QList<FakeServices::StartedProgram> FakeServices::startedPrograms() const
{
    QMutexLocker lock(&m_lock);
    return m_started;
}

QList<Sound> FakeServices::sounds() const
{
    QMutexLocker lock(&m_lock);
    return m_sounds;
}

bool FakeServices::openUrl(const QUrl &url)
{
    QMutexLocker lock(&m_lock);
    m_opened.append(url);
    return openSucceeds;
}

bool FakeServices::startProgram(const QString &program, const QStringList &arguments)
{
    QMutexLocker lock(&m_lock);
    m_started.append({program, arguments});
    return startSucceeds;
}

void FakeServices::beep(Sound sound)
{
    QMutexLocker lock(&m_lock);
    m_sounds.append(sound);
}

} // namespace Platform
