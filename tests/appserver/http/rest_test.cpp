// The DataSnap REST port of a real varsel-appserver: routing, the error forms, limits,
// keep-alive and sessions. What the methods answer is tested with the methods.

#include "tests/support/appserver.h"
#include "tests/support/httpclient.h"

#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

using Support::HttpReply;

namespace {

constexpr std::string_view kPlatformName = "/datasnap/rest/DSAdmin/%22GetPlatformName%22/";
constexpr std::string_view kBuyukGetir = "/datasnap/rest/TServerMethods1/%22BuyukGetir%22/";

class RestPort : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { s_server = new Support::AppServer; }
    static void TearDownTestSuite()
    {
        delete s_server;
        s_server = nullptr;
    }
    void SetUp() override { ASSERT_TRUE(s_server->ok()) << s_server->error().toStdString(); }

    static HttpReply post(std::string_view path, std::string_view body, const Support::Headers &headers = {})
    {
        return Support::httpPost(s_server->host(), s_server->port(), path, body, headers);
    }

    // The server still answers its liveness check.
    static void expectAlive()
    {
        const HttpReply reply = post(kPlatformName, R"({"_parameters":[]})");
        ASSERT_TRUE(reply.ok) << reply.error;
        EXPECT_EQ(reply.status, 200);
        EXPECT_TRUE(s_server->running());
    }

    static Support::AppServer *s_server;
};

Support::AppServer *RestPort::s_server = nullptr;

// {"error":"<non-empty text>"} and nothing else.
::testing::AssertionResult isErrorForm(const HttpReply &reply, const char *member = "error")
{
    if (!reply.ok)
        return ::testing::AssertionFailure() << "no answer: " << reply.error;
    QJsonParseError parseError;
    const QJsonDocument doc = QJsonDocument::fromJson(QByteArray::fromStdString(reply.body), &parseError);
    if (!doc.isObject())
        return ::testing::AssertionFailure() << "not a JSON object: " << reply.body;
    const QJsonObject object = doc.object();
    if (object.size() != 1 || !object.value(QLatin1StringView(member)).isString()
        || object.value(QLatin1StringView(member)).toString().isEmpty())
        return ::testing::AssertionFailure() << "not the " << member << " form: " << reply.body;
    return ::testing::AssertionSuccess();
}

TEST_F(RestPort, PlatformNameAnswersWithoutADatabaseAndHandsOutASession)
{
    for (const char *verb : {"POST", "GET"}) {
        Support::HttpConnection connection(s_server->host(), s_server->port());
        ASSERT_TRUE(connection.connected()) << connection.error();
        const HttpReply reply = connection.request(verb, kPlatformName, verb == std::string_view("POST") ? "{}" : "");
        ASSERT_TRUE(reply.ok) << reply.error;
        EXPECT_EQ(reply.status, 200) << verb;
        EXPECT_EQ(reply.body, R"({"result":["Varsel Application Server"]})") << verb;
        EXPECT_TRUE(reply.header("Pragma").starts_with("dssession=")) << reply.header("Pragma");
        EXPECT_NE(reply.header("Pragma").find(",dssessionexpires="), std::string::npos);
    }
}

TEST_F(RestPort, UnknownMethodsAndPlacesGetTheErrorForm)
{
    const struct
    {
        std::string_view path;
        int status;
        std::string_view mentions;
    } cases[] = {
        {"/datasnap/rest/TServerMethods1/%22YokBoyleBirYontem%22/", 500, "YokBoyleBirYontem"},
        // Unquoted, a POST asks for "updateBuyukGetir", which does not exist.
        {"/datasnap/rest/TServerMethods1/BuyukGetir/", 500, "updateBuyukGetir"},
        {"/datasnap/rest/TBaskaSinif/%22BuyukGetir%22/", 500, "TBaskaSinif"},
        {"/datasnap/rest/DSAdmin/%22Baska%22/", 500, "Baska"},
        {"/datasnap/rest/TServerMethods1/%22BuyukGetir%22/ABC", 404, ""},
        {"/baska/yer", 404, ""},
    };
    for (const auto &c : cases) {
        const HttpReply reply = post(c.path, R"({"_parameters":["X"]})");
        EXPECT_EQ(reply.status, c.status) << c.path;
        EXPECT_TRUE(isErrorForm(reply)) << c.path;
        EXPECT_NE(reply.body.find(c.mentions), std::string::npos) << reply.body;
    }
    expectAlive();
}

TEST_F(RestPort, ServerMethodsAreCalledWithPostOnly)
{
    Support::HttpConnection connection(s_server->host(), s_server->port());
    const HttpReply reply = connection.request("GET", kBuyukGetir);
    EXPECT_EQ(reply.status, 405);
    EXPECT_TRUE(isErrorForm(reply));
    EXPECT_EQ(reply.header("Allow"), "POST");
}

TEST_F(RestPort, MalformedBodiesAreRefusedAndTheServerGoesOn)
{
    // BuyukGetir takes one text.
    const std::string_view bodies[] = {
        "this is not JSON",
        "",
        "{}",
        R"({"_parameters":"X"})",
        R"({"_parameters":[]})",
        R"({"_parameters":["A","B"]})",
        R"({"_parameters":[42]})",
        R"({"_parameters":["unterminated)",
        "[1,2,3]",
    };
    for (std::string_view body : bodies) {
        const HttpReply reply = post(kBuyukGetir, body);
        EXPECT_EQ(reply.status, 500) << body;
        EXPECT_TRUE(isErrorForm(reply)) << body;
    }
    expectAlive();
}

TEST_F(RestPort, BodyOverTheLimitIsRefusedAndTheServerGoesOn)
{
    const std::string big(17 * 1024 * 1024, 'x');
    const HttpReply reply = post(kBuyukGetir, big);
    ASSERT_TRUE(reply.ok) << reply.error;
    EXPECT_EQ(reply.status, 413);
    EXPECT_TRUE(isErrorForm(reply));
    expectAlive();
}

TEST_F(RestPort, KeepAliveServesSeveralRequestsOnOneConnection)
{
    Support::HttpConnection connection(s_server->host(), s_server->port());
    ASSERT_TRUE(connection.connected()) << connection.error();
    for (int i = 0; i < 3; ++i) {
        const HttpReply reply = connection.request("POST", kPlatformName, "{}");
        ASSERT_TRUE(reply.ok) << "request " << i << ": " << reply.error;
        EXPECT_EQ(reply.status, 200);
        EXPECT_NE(reply.header("Connection"), "close");
    }
    // An error answer keeps the connection too.
    const HttpReply error = connection.request("POST", kBuyukGetir, "not JSON");
    EXPECT_EQ(error.status, 500);
    const HttpReply after = connection.request("POST", kPlatformName, "{}");
    ASSERT_TRUE(after.ok) << after.error;
    EXPECT_EQ(after.status, 200);
}

TEST_F(RestPort, SessionsAreKeptOrRefused)
{
    const HttpReply first = post(kPlatformName, "{}");
    const std::string pragma = first.header("Pragma");
    const std::string id = pragma.substr(0, pragma.find(','));
    ASSERT_TRUE(id.starts_with("dssession=")) << pragma;

    // A known session is accepted and not replaced.
    const HttpReply again = post(kPlatformName, "{}", {{"Pragma", id}});
    EXPECT_EQ(again.status, 200);
    EXPECT_FALSE(again.hasHeader("Pragma")) << again.header("Pragma");

    // Unknown, forged and empty-signature ids: 403 and the SessionExpired form; the method is
    // not run (an unknown method would otherwise answer 500).
    std::string forged = id;
    forged[12] = forged[12] == 'A' ? 'B' : 'A';
    for (const std::string &bad : {std::string("dssession=123456"), forged, id.substr(0, id.find('.'))}) {
        for (std::string_view path : {kPlatformName, std::string_view("/datasnap/rest/TServerMethods1/%22Yok%22/")}) {
            const HttpReply refused = post(path, "{}", {{"Pragma", bad}});
            EXPECT_EQ(refused.status, 403) << bad;
            EXPECT_TRUE(isErrorForm(refused, "SessionExpired")) << bad;
        }
    }
    // Without a session the call goes through again with a new one.
    EXPECT_TRUE(post(kPlatformName, "{}").header("Pragma").starts_with("dssession="));
}

TEST_F(RestPort, AnotherInstanceOnTheSameDatabaseAcceptsTheSession)
{
    const std::string pragma = post(kPlatformName, "{}").header("Pragma");
    const std::string id = pragma.substr(0, pragma.find(','));
    // A second instance on the same database stands for another server behind a balancer.
    Support::AppServer::Options options;
    options.dbUrl = s_server->dbUrl();
    Support::AppServer second(options);
    ASSERT_TRUE(second.ok()) << second.error().toStdString();
    const HttpReply reply = Support::httpPost(second.host(), second.port(), kPlatformName, "{}", {{"Pragma", id}});
    EXPECT_EQ(reply.status, 200) << reply.body;
}

TEST_F(RestPort, BrokenHttpGetsAnAnswerAndTheServerGoesOn)
{
    const std::string_view requests[] = {
        "GARBAGE\r\n\r\n",
        "POST /datasnap/rest/DSAdmin/%22GetPlatformName%22/ HTTP/1.1\r\nHost: x\r\nContent-Length: abc\r\n\r\n",
        "POST / HTTP/1.1\r\nHost: x\r\nTransfer-Encoding: chunked\r\n\r\nZZZ\r\n",
    };
    for (std::string_view raw : requests) {
        Support::HttpConnection connection(s_server->host(), s_server->port());
        ASSERT_TRUE(connection.sendRaw(raw));
        const HttpReply reply = connection.readReply();
        ASSERT_TRUE(reply.ok) << reply.error;
        EXPECT_EQ(reply.status, 400) << raw;
        EXPECT_TRUE(isErrorForm(reply));
        EXPECT_TRUE(connection.closedByPeer()) << "a connection out of step is closed";
    }
    // Headers over the limit.
    Support::HttpConnection connection(s_server->host(), s_server->port());
    ASSERT_TRUE(connection.sendRaw("POST /datasnap/rest/DSAdmin/%22GetPlatformName%22/ HTTP/1.1\r\nHost: x\r\n"
                                   "X-Long: " + std::string(40 * 1024, 'a') + "\r\nContent-Length: 2\r\n\r\n{}"));
    const HttpReply reply = connection.readReply();
    ASSERT_TRUE(reply.ok) << reply.error;
    EXPECT_EQ(reply.status, 431);
    expectAlive();
}

TEST_F(RestPort, ClientsThatGoAwayMidRequestDoNotHurtTheServer)
{
    const std::string_view partial[] = {
        "POST /datasnap/rest/DSAdmin/%22GetPlatformName%22/ HTTP/1.1\r\nHost: x\r\nContent-Le",
        "POST /datasnap/rest/TServerMethods1/%22BuyukGetir%22/ HTTP/1.1\r\nHost: x\r\nContent-Length: 100\r\n\r\n"
        R"({"_parameters":[)",
    };
    for (std::string_view raw : partial) {
        Support::HttpConnection connection(s_server->host(), s_server->port());
        ASSERT_TRUE(connection.sendRaw(raw));
        connection.close();
    }
    // A request whose answer nobody reads.
    {
        Support::HttpConnection connection(s_server->host(), s_server->port());
        ASSERT_TRUE(connection.sendRaw("POST /datasnap/rest/DSAdmin/%22GetPlatformName%22/ HTTP/1.1\r\n"
                                       "Host: x\r\nContent-Length: 2\r\n\r\n{}"));
        connection.close();
    }
    expectAlive();
}

} // namespace
