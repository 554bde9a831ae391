#pragma once

#include <QByteArray>
#include <QMutex>
#include <QString>

#include <chrono>

namespace Server {

// The parameters a connection is made with. The DataSnap ones are kept and copied with
// every connection; only HostName, Port and DatasnapContext change anything on the wire.
struct ConnectionParams
{
    QString driverName = QStringLiteral("DataSnap");
    QString communicationProtocol = QStringLiteral("tcp/ip");
    QString hostName;
    QString port = QStringLiteral("9090");
    QString datasnapContext = QStringLiteral("datasnap/");
    QString dsProxyPort = QStringLiteral("8090");
    QString filters = QStringLiteral("{}");
    bool loginPrompt = false;

    // Transport limits: every step of a call is time-boxed and a runaway answer is cut off.
    std::chrono::milliseconds connectTimeout{15000};
    std::chrono::milliseconds responseTimeout{60000};
    qint64 maxResponseBytes = qint64(512) * 1024 * 1024;

    bool operator==(const ConnectionParams &) const = default;
};

// A server address given as HOST or HOST:PORT ("[::1]:9090" for an IPv6 literal).
struct HostPort
{
    QString host;
    int port = 0; // 0: not given
};
bool parseHostPort(const QString &text, HostPort &out);

// What the whole program shares about the server: the built-in addresses (which the command
// line may override), the host, web root and image address prefix chosen at login, and the
// DataSnap session id. Every member may be used from any thread.
class ServerSession final
{
public:
    // The production values the program is built with.
    static QString productionHost();
    static int defaultPort() { return 9090; }

    static ServerSession &instance();

    ServerSession() = default;
    ServerSession(const ServerSession &) = delete;
    ServerSession &operator=(const ServerSession &) = delete;

    // Overrides of the built-in values (command line, environment). A port of 0 keeps 9090.
    // A web root override is used as given, with a "/" added when it lacks one.
    void setServerOverride(const QString &host, int port = 0);
    void setWebRootOverride(const QString &webRoot);

    // The login's first step: server host, web root and image address prefix take their
    // production values (or the overrides).
    void applyProductionValues();

    QString serverHost() const; // the host name alone
    int serverPort() const;
    QString webRoot() const;                 // "http://HOST/", always ending in "/"
    QString imagePrefix() const;             // web root + "resimgoster.ashx?id="
    void setServerHost(const QString &host); // also derives the web root unless overridden

    // The parameters of the main connection: the fixed ones plus host and port.
    ConnectionParams connectionParams() const;

    // One DataSnap session id for the program; empty until a server gives one.
    QByteArray dsSessionId() const;
    void setDsSessionId(const QByteArray &id);
    void clearDsSessionId();

private:
    void deriveWebLocked();

    mutable QMutex m_mutex;
    QString m_hostOverride;
    int m_portOverride = 0;
    QString m_webRootOverride;
    QString m_host;
    QString m_webRoot;
    QString m_imagePrefix;
    QByteArray m_sessionId;
};

} // namespace Server
