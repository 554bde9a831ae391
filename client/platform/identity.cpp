#include "identity.h"

#include "services.h"

#include <QHostAddress>

using namespace Qt::StringLiterals;

namespace Platform {

namespace {

// The system calls read into a buffer of 16 characters with the terminator.
constexpr int kNameRoom = 16;

QString fitName(const QString &name)
{
    return name.size() >= kNameRoom ? QString() : name;
}

} // namespace

QString formatAdapterAddress(const QByteArray &bytes)
{
    if (bytes.size() != 6)
        return {};
    return QString::fromLatin1(bytes.toHex('-').toUpper());
}

QString adapterAddress()
{
    static const QString zeros = u"00-00-00-00-00-00"_s;
    QString formed;
    const QList<QByteArray> adapters = services().adapterAddresses();
    for (const QByteArray &bytes : adapters) {
        const QString address = formatAdapterAddress(bytes);
        if (address.isEmpty())
            continue; // an adapter that did not answer
        formed = address;
        if (formed != zeros)
            break;
    }
    return formed;
}

QString computerIdentifier()
{
    QString id = services().diskSerial().toUpper().trimmed();
    if (id.isEmpty())
        id = adapterAddress().trimmed();
    id.remove(u' ');
    for (const char *shared : kSharedDiskSerials) {
        if (id == QLatin1StringView(shared))
            return QString::fromLatin1(kSharedIdentifier);
    }
    return id;
}

QString computerName()
{
    return fitName(services().computerName());
}

QString userName()
{
    return fitName(services().userName());
}

QString localAddress()
{
    const QList<QHostAddress> addresses = services().hostAddresses();
    for (const QHostAddress &a : addresses) {
        if (a.protocol() == QAbstractSocket::IPv4Protocol)
            return a.toString();
    }
    return u"127.0.0.1"_s;
}

} // namespace Platform
