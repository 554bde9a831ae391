#include "rawpeer.h"
#include "testhelpers.h"

#include "client/server/openretry.h"
#include "client/session/messagedialog.h"

#include <gtest/gtest.h>

#include <optional>

using namespace Qt::StringLiterals;
using Session::DialogButton;
using Session::DialogKind;

namespace {

constexpr Server::RetryPolicy kQuick{11, std::chrono::milliseconds(5)};

// Records every dialog through the scripted answerer and runs an action once the n-th
// dialog has been answered: the "server" comes up exactly between two attempts.
class ActOnNthDialog final : public Session::DialogPresenter
{
public:
    ActOnNthDialog(Session::ScriptedAnswerer &answerer, int n, std::function<void()> action)
        : m_answerer(answerer)
        , m_n(n)
        , m_action(std::move(action))
    {
        Session::installPresenter(this);
    }
    ~ActOnNthDialog() override { Session::installPresenter(&m_answerer); }

    DialogButton present(const Session::DialogRequest &request) override
    {
        const DialogButton answer = m_answerer.present(request);
        if (++m_seen == m_n)
            m_action();
        return answer;
    }

private:
    Session::ScriptedAnswerer &m_answerer;
    int m_n;
    int m_seen = 0;
    std::function<void()> m_action;
};

int plainCount(const QList<Session::DialogRequest> &shown)
{
    int n = 0;
    for (const auto &r : shown)
        n += r.plain;
    return n;
}

} // namespace

TEST(OpenWithRetry, ServerThatAcceptsOnTheThirdAttemptShowsTwoErrorsAndNoFinalMessage)
{
    const std::uint16_t port = ClientTest::unusedPort();
    Server::Connection connection(ClientTest::loopback(port));

    boost::asio::io_context ioc;
    std::optional<boost::asio::ip::tcp::acceptor> listener;
    Session::ScriptedAnswerer answerer;
    ActOnNthDialog startServer(answerer, 2, [&] {
        listener.emplace(ioc, boost::asio::ip::tcp::endpoint(boost::asio::ip::make_address("127.0.0.1"), port));
    });

    EXPECT_TRUE(Server::openWithRetry(connection, true, kQuick));
    EXPECT_TRUE(connection.isOpen());
    ASSERT_EQ(answerer.shown().size(), 2);
    for (const auto &request : answerer.shown()) {
        EXPECT_TRUE(request.plain);
        EXPECT_EQ(request.text, u"Connection refused"_s);
        EXPECT_EQ(request.buttons, Session::DialogButtons(DialogButton::Ok));
    }
}

TEST(OpenWithRetry, UnreachableServerShowsElevenErrorsThenTheFinalMessageOnlyWhenReportingNow)
{
    for (const bool reportNow : {false, true}) {
        SCOPED_TRACE(reportNow ? "report now" : "leave the report to the caller");
        Server::Connection connection(ClientTest::loopback(ClientTest::unusedPort()));
        Session::ScriptedAnswerer answerer;

        EXPECT_FALSE(Server::openWithRetry(connection, reportNow, kQuick));
        EXPECT_FALSE(connection.isOpen());

        const auto &shown = answerer.shown();
        EXPECT_EQ(plainCount(shown), 11);
        for (qsizetype i = 0; i < 11 && i < shown.size(); ++i)
            EXPECT_EQ(shown[i].text, u"Connection refused"_s);
        if (reportNow) {
            ASSERT_EQ(shown.size(), 12);
            EXPECT_FALSE(shown.last().plain);
            EXPECT_EQ(shown.last().text, u"Bağlantı Kurulamıyor Lütfen Tekrar Deneyin ...!"_s);
            EXPECT_EQ(shown.last().kind, DialogKind::Error);
            EXPECT_EQ(shown.last().buttons, Session::DialogButtons(DialogButton::Ok));
        } else {
            EXPECT_EQ(shown.size(), 11);
        }
    }
}

TEST(OpenWithRetry, DefaultPolicyIsElevenAttemptsHalfASecondApart)
{
    const Server::RetryPolicy policy = Server::defaultRetryPolicy();
    EXPECT_EQ(policy.attempts, 11);
    EXPECT_EQ(policy.pause, std::chrono::milliseconds(500));
}

TEST(Connection, OpenFailuresCarryTheirCauseAndLeaveTheConnectionClosed)
{
    struct Case
    {
        const char *what;
        QString host;
        QString port;
        QString expected; // empty: any non-empty text
    };
    const Case cases[] = {
        {"nothing listens", u"127.0.0.1"_s, QString::number(ClientTest::unusedPort()), u"Connection refused"_s},
        {"no host set", QString(), u"9090"_s, u"Sunucu adresi belirlenmemiş"_s},
        {"port not a number", u"127.0.0.1"_s, u"90x"_s, u"Geçersiz port: 90x"_s},
        {"port out of range", u"127.0.0.1"_s, u"70000"_s, u"Geçersiz port: 70000"_s},
        {"unknown host", u"no-such-host.invalid"_s, u"9090"_s, QString()},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        Server::ConnectionParams params = ClientTest::loopback(9090);
        params.hostName = c.host;
        params.port = c.port;
        Server::Connection connection(params);
        const auto opened = connection.open();
        ASSERT_FALSE(opened);
        if (c.expected.isEmpty())
            EXPECT_FALSE(opened.error().message.isEmpty());
        else
            EXPECT_EQ(opened.error().message, c.expected);
        EXPECT_FALSE(connection.isOpen());
    }
}

TEST(Connection, CopyHasTheSameParametersAndIsClosed)
{
    ClientTest::RawPeer peer([](boost::asio::ip::tcp::socket &, int) {});
    Server::ServerSession session;
    Server::ConnectionParams params = ClientTest::loopback(peer.port());
    params.dsProxyPort = u"8091"_s;
    Server::Connection main(params, &session);
    ASSERT_TRUE(main.open());

    const Server::Connection copy = main.copy();
    EXPECT_FALSE(copy.isOpen());
    EXPECT_EQ(copy.params(), main.params());
    EXPECT_EQ(&copy.session(), &session);
    const Server::Connection byCopyConstructor(main); // lambdas capture copies this way
    EXPECT_FALSE(byCopyConstructor.isOpen());
    EXPECT_TRUE(main.isOpen());
}
