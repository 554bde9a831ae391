#include "linuxservices.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHostInfo>
#include <QMutex>
#include <QNetworkInterface>
#include <QProcess>
#include <QStandardPaths>

#include <pwd.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace Platform {

namespace {

QByteArray readSmallFile(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.read(4096);
}

// The serial as udev recorded it for block device MAJ:MIN.
QString udevSerial(const QString &udevData, const QString &devNumber)
{
    const QByteArray db = readSmallFile(udevData + u"/b"_s + devNumber);
    QByteArray full;
    for (const QByteArray &line : db.split('\n')) {
        if (line.startsWith("E:ID_SERIAL_SHORT="))
            return QString::fromUtf8(line.mid(18)).trimmed();
        if (line.startsWith("E:ID_SERIAL="))
            full = line.mid(12);
    }
    return QString::fromUtf8(full).trimmed();
}

// SCSI unit serial number page: 4 bytes of header, then the serial.
QString vpdSerial(const QString &path)
{
    const QByteArray page = readSmallFile(path);
    if (page.size() <= 4)
        return {};
    const int length = (quint8(page[2]) << 8) | quint8(page[3]);
    return QString::fromLatin1(page.mid(4, length)).trimmed();
}

QMutex g_beepLock;
std::function<void(Sound)> g_beep;

} // namespace

QString LinuxServices::diskSerialFrom(const QString &sysBlock, const QString &udevData)
{
    QDir dir(sysBlock);
    const QStringList names = dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::System,
                                            QDir::Name);
    for (const QString &name : names) {
        const QString base = dir.filePath(name);
        if (QFileInfo(base).canonicalFilePath().contains(u"/devices/virtual/"_s))
            continue; // loop, ram, zram, device-mapper, md
        if (!QFileInfo::exists(base + u"/device"_s))
            continue;
        if (readSmallFile(base + u"/removable"_s).trimmed() == "1")
            continue;
        // The first physical disk decides, serial or not, as "drive 0" does elsewhere.
        const QString devNumber = QString::fromLatin1(readSmallFile(base + u"/dev"_s).trimmed());
        QString serial = udevSerial(udevData, devNumber);
        if (serial.isEmpty())
            serial = QString::fromUtf8(readSmallFile(base + u"/device/serial"_s)).trimmed();
        if (serial.isEmpty())
            serial = QString::fromUtf8(readSmallFile(base + u"/serial"_s)).trimmed();
        if (serial.isEmpty())
            serial = vpdSerial(base + u"/device/vpd_pg80"_s);
        return serial;
    }
    return {};
}

QString LinuxServices::diskSerial() const
{
    return diskSerialFrom(u"/sys/block"_s, u"/run/udev/data"_s);
}

QList<QByteArray> LinuxServices::adapterAddresses() const
{
    QList<QByteArray> result;
    const auto interfaces = QNetworkInterface::allInterfaces();
    for (const QNetworkInterface &iface : interfaces) {
        if (iface.flags().testFlag(QNetworkInterface::IsLoopBack))
            continue;
        const QByteArray hex = iface.hardwareAddress().remove(u':').toLatin1();
        const QByteArray bytes = QByteArray::fromHex(hex);
        if (bytes.size() == 6)
            result.append(bytes);
    }
    return result;
}

QString LinuxServices::computerName() const
{
    char buffer[256] = {};
    if (gethostname(buffer, sizeof buffer - 1) != 0)
        return {};
    return QString::fromLocal8Bit(buffer);
}

QString LinuxServices::userName() const
{
    long size = sysconf(_SC_GETPW_R_SIZE_MAX);
    QByteArray buffer(size > 0 ? int(size) : 16384, '\0');
    passwd entry{};
    passwd *found = nullptr;
    if (getpwuid_r(geteuid(), &entry, buffer.data(), size_t(buffer.size()), &found) != 0 || !found)
        return {};
    return QString::fromLocal8Bit(found->pw_name);
}

QList<QHostAddress> LinuxServices::hostAddresses() const
{
    return QHostInfo::fromName(QHostInfo::localHostName()).addresses();
}

QString LinuxServices::roamingAppDataFolder() const
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
}

QString LinuxServices::localAppDataFolder() const
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
}

QString LinuxServices::documentsFolder() const
{
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
}

bool LinuxServices::openUrl(const QUrl &url)
{
    return QDesktopServices::openUrl(url);
}

bool LinuxServices::startProgram(const QString &program, const QStringList &arguments)
{
    return QProcess::startDetached(program, arguments);
}

bool LinuxServices::fileExists(const QString &path) const
{
    return QFileInfo(path).isFile();
}

void LinuxServices::beep(Sound sound)
{
    std::function<void(Sound)> handler;
    {
        QMutexLocker lock(&g_beepLock);
        handler = g_beep;
    }
    if (handler)
        handler(sound);
}

void LinuxServices::setBeepHandler(std::function<void(Sound)> handler)
{
    QMutexLocker lock(&g_beepLock);
    g_beep = std::move(handler);
}

} // namespace Platform
