#include "addresses.h"

#include "client/server/serversession.h"

#include <QMutex>

using namespace Qt::StringLiterals;

namespace Session {

namespace {

QMutex g_lock;
QUrl g_addressService;
QUrl g_downloadHost;

QUrl withPath(QUrl base, const QString &path)
{
    QString prefix = base.path();
    while (prefix.endsWith(u'/'))
        prefix.chop(1);
    base.setPath(prefix + path);
    return base;
}

} // namespace

QUrl publicAddressService()
{
    QMutexLocker lock(&g_lock);
    return g_addressService.isEmpty() ? QUrl(u"http://ip.varseloto.com.tr"_s) : g_addressService;
}

void setPublicAddressServiceOverride(const QUrl &base)
{
    QMutexLocker lock(&g_lock);
    g_addressService = base;
}

QUrl publicAddressUrl()
{
    return withPath(publicAddressService(), u"/ip"_s);
}

QUrl downloadHost()
{
    QMutexLocker lock(&g_lock);
    if (!g_downloadHost.isEmpty())
        return g_downloadHost;
    return QUrl(u"http://"_s + Server::ServerSession::productionHost());
}

void setDownloadHostOverride(const QUrl &base)
{
    QMutexLocker lock(&g_lock);
    g_downloadHost = base;
}

QUrl setupDownloadUrl()
{
    return withPath(downloadHost(), u"/exe/VarselSetup.exe"_s);
}

QString requestFormAddress(const QString &webRoot, const QString &computerId)
{
    return webRoot + u"formmailgonder.aspx?carino=0&kullanici= &id="_s + computerId;
}

} // namespace Session
