#include "client/server/serversession.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

TEST(ServerSession, ProductionValuesAndTheirOverrides)
{
    Server::ServerSession session;
    EXPECT_TRUE(session.serverHost().isEmpty()) << "the host is empty until the login sets it";

    session.applyProductionValues();
    const QString host = Server::ServerSession::productionHost();
    EXPECT_EQ(session.serverHost(), host);
    EXPECT_EQ(session.serverPort(), 9090);
    EXPECT_EQ(session.webRoot(), u"http://"_s + host + u'/');
    EXPECT_EQ(session.imagePrefix(), u"http://"_s + host + u"/resimgoster.ashx?id="_s);

    session.setServerOverride(u"127.0.0.1"_s, 19090);
    session.applyProductionValues();
    EXPECT_EQ(session.serverHost(), u"127.0.0.1"_s);
    EXPECT_EQ(session.serverPort(), 19090);
    EXPECT_EQ(session.webRoot(), u"http://127.0.0.1/"_s);

    session.setWebRootOverride(u"http://127.0.0.1:8080"_s);
    EXPECT_EQ(session.webRoot(), u"http://127.0.0.1:8080/"_s);
    EXPECT_EQ(session.imagePrefix(), u"http://127.0.0.1:8080/resimgoster.ashx?id="_s);

    const Server::ConnectionParams params = session.connectionParams();
    EXPECT_EQ(params.driverName, u"DataSnap"_s);
    EXPECT_EQ(params.communicationProtocol, u"tcp/ip"_s);
    EXPECT_EQ(params.hostName, u"127.0.0.1"_s);
    EXPECT_EQ(params.port, u"19090"_s);
    EXPECT_EQ(params.datasnapContext, u"datasnap/"_s);
    EXPECT_EQ(params.dsProxyPort, u"8090"_s);
    EXPECT_EQ(params.filters, u"{}"_s);
    EXPECT_FALSE(params.loginPrompt);
    EXPECT_EQ(params.responseTimeout, std::chrono::seconds(60));
}

TEST(ServerSession, IPv6HostGetsBracketsInTheWebRoot)
{
    Server::ServerSession session;
    session.setServerHost(u"::1"_s);
    EXPECT_EQ(session.webRoot(), u"http://[::1]/"_s);
}

TEST(ServerSession, HostPortText)
{
    struct Case
    {
        QString text;
        bool ok;
        QString host;
        int port;
    };
    const Case cases[] = {
        {u"example.org"_s, true, u"example.org"_s, 0},
        {u"127.0.0.1:9091"_s, true, u"127.0.0.1"_s, 9091},
        {u"[::1]:9090"_s, true, u"::1"_s, 9090},
        {u"[::1]"_s, true, u"::1"_s, 0},
        {u"::1"_s, true, u"::1"_s, 0},
        {u"host:"_s, false, {}, 0},
        {u"host:0"_s, false, {}, 0},
        {u"host:65536"_s, false, {}, 0},
        {u"host:90a"_s, false, {}, 0},
        {u":9090"_s, false, {}, 0},
        {u"[::1"_s, false, {}, 0},
        {u""_s, false, {}, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        Server::HostPort hp;
        ASSERT_EQ(Server::parseHostPort(c.text, hp), c.ok);
        if (c.ok) {
            EXPECT_EQ(hp.host, c.host);
            EXPECT_EQ(hp.port, c.port);
        }
    }
}
