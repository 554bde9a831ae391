#include "serversession.h"

#include <QMutexLocker>

using namespace Qt::StringLiterals;

namespace Server {

namespace {

QString ensureTrailingSlash(QString url)
{
    if (!url.endsWith(u'/'))
        url += u'/';
    return url;
}

} // namespace

bool parseHostPort(const QString &text, HostPort &out)
{
    QString host = text.trimmed();
    QString portText;
    if (host.startsWith(u'[')) {
        const qsizetype close = host.indexOf(u']');
        if (close < 0)
            return false;
        const QString rest = host.mid(close + 1);
        host = host.mid(1, close - 1);
        if (!rest.isEmpty()) {
            if (!rest.startsWith(u':'))
                return false;
            portText = rest.mid(1);
            if (portText.isEmpty())
                return false;
        }
    } else if (host.count(u':') == 1) {
        const qsizetype colon = host.indexOf(u':');
        portText = host.mid(colon + 1);
        host = host.left(colon);
        if (portText.isEmpty())
            return false;
    }
    if (host.isEmpty())
        return false;
    int port = 0;
    if (!portText.isEmpty()) {
        bool ok = false;
        port = portText.toInt(&ok);
        if (!ok || port < 1 || port > 65535)
            return false;
    }
    out = HostPort{host, port};
    return true;
}

QString ServerSession::productionHost()
{
    return u"b2b.varseloto.com.tr"_s;
}

ServerSession &ServerSession::instance()
{
    // Never destroyed: workers that outlive main() may still read it.
    static ServerSession *session = new ServerSession;
    return *session;
}

void ServerSession::setServerOverride(const QString &host, int port)
{
    QMutexLocker lock(&m_mutex);
    m_hostOverride = host;
    m_portOverride = port;
}

void ServerSession::setWebRootOverride(const QString &webRoot)
{
    QMutexLocker lock(&m_mutex);
    m_webRootOverride = webRoot.isEmpty() ? QString() : ensureTrailingSlash(webRoot);
    deriveWebLocked();
}

void ServerSession::applyProductionValues()
{
    QMutexLocker lock(&m_mutex);
    m_host = m_hostOverride.isEmpty() ? productionHost() : m_hostOverride;
    deriveWebLocked();
}

void ServerSession::setServerHost(const QString &host)
{
    QMutexLocker lock(&m_mutex);
    m_host = host;
    deriveWebLocked();
}

void ServerSession::deriveWebLocked()
{
    if (!m_webRootOverride.isEmpty()) {
        m_webRoot = m_webRootOverride;
    } else if (m_host.isEmpty()) {
        m_webRoot.clear();
    } else {
        const QString host = m_host.contains(u':') ? u'[' + m_host + u']' : m_host;
        m_webRoot = u"http://"_s + host + u'/';
    }
    m_imagePrefix = m_webRoot.isEmpty() ? QString() : m_webRoot + u"resimgoster.ashx?id="_s;
}

QString ServerSession::serverHost() const
{
    QMutexLocker lock(&m_mutex);
    return m_host;
}

int ServerSession::serverPort() const
{
    QMutexLocker lock(&m_mutex);
    return m_portOverride > 0 ? m_portOverride : defaultPort();
}

QString ServerSession::webRoot() const
{
    QMutexLocker lock(&m_mutex);
    return m_webRoot;
}

QString ServerSession::imagePrefix() const
{
    QMutexLocker lock(&m_mutex);
    return m_imagePrefix;
}

ConnectionParams ServerSession::connectionParams() const
{
    ConnectionParams params;
    params.hostName = serverHost();
    params.port = QString::number(serverPort());
    return params;
}

QByteArray ServerSession::dsSessionId() const
{
    QMutexLocker lock(&m_mutex);
    return m_sessionId;
}

void ServerSession::setDsSessionId(const QByteArray &id)
{
    QMutexLocker lock(&m_mutex);
    m_sessionId = id;
}

void ServerSession::clearDsSessionId()
{
    QMutexLocker lock(&m_mutex);
    m_sessionId.clear();
}

} // namespace Server
