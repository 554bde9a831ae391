// The transport against peers that misbehave on purpose: these are the answers a
// real server gives only when something goes wrong, so a scripted peer stands in for it.
#include "rawpeer.h"
#include "testhelpers.h"

#include "client/server/servermethods.h"

#include <gtest/gtest.h>

#include <mutex>

using namespace Qt::StringLiterals;
using tcp = boost::asio::ip::tcp;
using ClientTest::RawPeer;
using ClientTest::RawRequest;

namespace {

// Waits for the client to hang up (or the peer to be torn down), keeping the socket open.
void holdOpen(tcp::socket &socket)
{
    char byte;
    boost::system::error_code ec;
    while (!ec)
        socket.read_some(boost::asio::buffer(&byte, 1), ec);
}

// A peer that answers each request of every connection with answerFor(request, n), n counting
// all requests from 0; an empty answer closes the connection instead.
struct RecordingPeer
{
    std::mutex mutex;
    std::vector<RawRequest> requests;
    std::function<std::string(const RawRequest &, int)> answerFor;
    RawPeer peer{[this](tcp::socket &socket, int) {
        RawRequest request;
        while (RawPeer::readRequest(socket, request)) {
            int n;
            {
                std::lock_guard lock(mutex);
                requests.push_back(request);
                n = int(requests.size()) - 1;
            }
            const std::string reply = answerFor(request, n);
            if (reply.empty())
                return;
            RawPeer::writeRaw(socket, reply);
        }
    }};
};

} // namespace

TEST(Transport, RequestIsAQuotedMethodPostWithTheParametersInTheBody)
{
    RecordingPeer recorder;
    recorder.answerFor = [](const RawRequest &, int) { return RawPeer::answer(200, R"({"result":[12]})"); };
    Server::ServerSession session;
    Server::Connection connection(ClientTest::loopback(recorder.peer.port()), &session);
    ASSERT_TRUE(connection.open());

    const auto answer = Server::TServerMethods1Client(connection).EnVer(42);
    ASSERT_TRUE(answer) << answer.error().message.toStdString();
    EXPECT_EQ(*answer, 12);
    ASSERT_EQ(recorder.requests.size(), 1u);
    const RawRequest &r = recorder.requests.front();
    EXPECT_EQ(r.target, "/datasnap/rest/TServerMethods1/%22EnVer%22/");
    EXPECT_EQ(r.host, "127.0.0.1:" + std::to_string(recorder.peer.port()));
    EXPECT_EQ(r.contentType, "text/plain;charset=UTF-8");
    EXPECT_EQ(r.body, R"({"_parameters":[42]})");
    EXPECT_EQ(r.pragma, ""); // no session id yet
}

TEST(Transport, BrokenAnswersAreErrorsOfTheCallNeverAHang)
{
    struct Case
    {
        const char *what;
        std::function<void(tcp::socket &)> script;
        QString expectedPart;
    };
    const Case cases[] = {
        {"never answers",
         [](tcp::socket &s) {
             RawRequest r;
             RawPeer::readRequest(s, r);
             holdOpen(s);
         },
         u"cevap vermedi"_s},
        {"closes in the middle of the answer",
         [](tcp::socket &s) {
             RawRequest r;
             RawPeer::readRequest(s, r);
             RawPeer::writeRaw(s, "HTTP/1.1 200 OK\r\nContent-Length: 400\r\n\r\n{\"result\":[1");
         },
         u"ortasında"_s},
        {"closes without answering",
         [](tcp::socket &s) {
             RawRequest r;
             RawPeer::readRequest(s, r);
         },
         u"cevap vermeden"_s},
        {"sends the header and stays silent",
         [](tcp::socket &s) {
             RawRequest r;
             RawPeer::readRequest(s, r);
             RawPeer::writeRaw(s, "HTTP/1.1 200 OK\r\nContent-Length: 400\r\n\r\n{");
             holdOpen(s);
         },
         u"cevap vermedi"_s},
        {"answers more than the limit",
         [](tcp::socket &s) {
             RawRequest r;
             RawPeer::readRequest(s, r);
             RawPeer::writeRaw(s, RawPeer::answer(200, std::string(8192, ' ')));
         },
         u"çok büyük"_s},
        {"answers in something else than HTTP",
         [](tcp::socket &s) {
             RawRequest r;
             RawPeer::readRequest(s, r);
             RawPeer::writeRaw(s, "SSH-2.0-OpenSSH_9.2\r\n");
         },
         u"HTTP değil"_s},
        {"answers 200 with a body that is not JSON",
         [](tcp::socket &s) {
             RawRequest r;
             RawPeer::readRequest(s, r);
             RawPeer::writeRaw(s, RawPeer::answer(200, "<html>ok</html>"));
         },
         QString()},
        {"answers 200 with a result of the wrong kind",
         [](tcp::socket &s) {
             RawRequest r;
             RawPeer::readRequest(s, r);
             RawPeer::writeRaw(s, RawPeer::answer(200, R"({"result":["on iki"]})"));
         },
         QString()},
        {"answers 404 with a web page",
         [](tcp::socket &s) {
             RawRequest r;
             RawPeer::readRequest(s, r);
             RawPeer::writeRaw(s, RawPeer::answer(404, "<html>Not Found</html>"));
         },
         u"HTTP 404"_s},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        RawPeer peer([&c](tcp::socket &s, int) { c.script(s); });
        Server::ServerSession session;
        Server::ConnectionParams params = ClientTest::loopback(peer.port());
        params.responseTimeout = std::chrono::milliseconds(400);
        params.maxResponseBytes = 4096;
        Server::Connection connection(params, &session);
        ASSERT_TRUE(connection.open());

        const auto answer = Server::TServerMethods1Client(connection).EnVer(1);
        ASSERT_FALSE(answer);
        EXPECT_FALSE(answer.error().message.isEmpty());
        if (!c.expectedPart.isEmpty()) {
            EXPECT_TRUE(answer.error().message.contains(c.expectedPart)) << answer.error().message.toStdString();
        }
        EXPECT_TRUE(connection.isOpen()) << "a failed call leaves the connection for the caller to close";
    }
}

TEST(Transport, ServerErrorTextReachesTheCaller)
{
    RecordingPeer recorder;
    recorder.answerFor = [](const RawRequest &, int) {
        return RawPeer::answer(500, R"({"error":"Stok kartı bulunamadı"})");
    };
    Server::ServerSession session;
    Server::Connection connection(ClientTest::loopback(recorder.peer.port()), &session);
    ASSERT_TRUE(connection.open());
    const auto answer = Server::TServerMethods1Client(connection).EnVer(7);
    ASSERT_FALSE(answer);
    EXPECT_EQ(answer.error().message, u"Stok kartı bulunamadı"_s);
}

TEST(Transport, ExpiredSessionIsDroppedAndTheCallRepeatedOnceWithoutIt)
{
    RecordingPeer recorder;
    recorder.answerFor = [](const RawRequest &r, int) {
        if (r.pragma == "dssession=OLD-1")
            return RawPeer::answer(403, R"({"SessionExpired":"Oturum yok"})");
        return RawPeer::answer(200, R"({"result":[5]})", "Pragma: dssession=NEW-7,dssessionexpires=1200000\r\n");
    };
    Server::ServerSession session;
    session.setDsSessionId("OLD-1");
    Server::Connection connection(ClientTest::loopback(recorder.peer.port()), &session);
    ASSERT_TRUE(connection.open());

    const auto answer = Server::TServerMethods1Client(connection).EnVer(3);
    ASSERT_TRUE(answer) << answer.error().message.toStdString();
    EXPECT_EQ(*answer, 5);
    ASSERT_EQ(recorder.requests.size(), 2u);
    EXPECT_EQ(recorder.requests[0].pragma, "dssession=OLD-1");
    EXPECT_EQ(recorder.requests[1].pragma, "");
    EXPECT_EQ(session.dsSessionId(), QByteArray("NEW-7"));

    // The next call carries the id the server handed out.
    ASSERT_TRUE(Server::TServerMethods1Client(connection).EnVer(3));
    ASSERT_EQ(recorder.requests.size(), 3u);
    EXPECT_EQ(recorder.requests[2].pragma, "dssession=NEW-7");
}

TEST(Transport, SessionExpiredTwiceIsAnErrorAfterExactlyOneRepeat)
{
    RecordingPeer recorder;
    recorder.answerFor = [](const RawRequest &, int) {
        return RawPeer::answer(403, R"({"SessionExpired":"Oturum bulunamadı"})");
    };
    Server::ServerSession session;
    Server::Connection connection(ClientTest::loopback(recorder.peer.port()), &session);
    ASSERT_TRUE(connection.open());
    const auto answer = Server::TServerMethods1Client(connection).EnVer(3);
    ASSERT_FALSE(answer);
    EXPECT_EQ(answer.error().message, u"Oturum bulunamadı"_s);
    EXPECT_EQ(recorder.requests.size(), 2u);
}

TEST(Transport, ConnectionTheServerDroppedIsReopenedOnceBeforeTheRequest)
{
    struct Case
    {
        const char *what;
        std::string firstAnswerHeaders;
        bool serverClosesAfterFirst;
    };
    const Case cases[] = {
        {"idle keep-alive connection closed by the server", {}, true},
        {"server asked to close after its answer", "Connection: close\r\n", true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        std::atomic<int> answered{0};
        std::atomic<bool> closed{false};
        RawPeer peer([&](tcp::socket &s, int) {
            RawRequest r;
            while (RawPeer::readRequest(s, r)) {
                const int n = answered++;
                RawPeer::writeRaw(s, RawPeer::answer(200, R"({"result":[)" + std::to_string(n) + "]}",
                                                     n == 0 ? c.firstAnswerHeaders : std::string()));
                if (n == 0 && c.serverClosesAfterFirst) {
                    s.shutdown(tcp::socket::shutdown_both);
                    closed = true;
                    return;
                }
            }
        });
        Server::ServerSession session;
        Server::Connection connection(ClientTest::loopback(peer.port()), &session);
        ASSERT_TRUE(connection.open());
        Server::TServerMethods1Client proxy(connection);
        const auto first = proxy.EnVer(1);
        ASSERT_TRUE(first) << first.error().message.toStdString();
        EXPECT_EQ(*first, 0);
        // The server's close reaches the client while it is idle (on loopback at once).
        ASSERT_TRUE(ClientTest::processEventsUntil([&] { return closed.load(); }, std::chrono::seconds(10)));
        const auto second = proxy.EnVer(1);
        ASSERT_TRUE(second) << second.error().message.toStdString();
        EXPECT_EQ(*second, 1);
        EXPECT_EQ(peer.connections(), 2);
    }
}

TEST(Transport, KeepAliveConnectionCarriesSeveralCalls)
{
    RecordingPeer recorder;
    recorder.answerFor = [](const RawRequest &, int n) {
        return RawPeer::answer(200, R"({"result":[)" + std::to_string(n) + "]}");
    };
    Server::ServerSession session;
    Server::Connection connection(ClientTest::loopback(recorder.peer.port()), &session);
    ASSERT_TRUE(connection.open());
    Server::TServerMethods1Client proxy(connection);
    for (int i = 0; i < 3; ++i) {
        const auto answer = proxy.EnVer(1);
        ASSERT_TRUE(answer);
        EXPECT_EQ(*answer, i);
    }
    EXPECT_EQ(recorder.peer.connections(), 1);
}

TEST(Transport, ProxyOnAClosedConnectionSendsNothing)
{
    RecordingPeer recorder;
    recorder.answerFor = [](const RawRequest &, int) { return RawPeer::answer(200, R"({"result":[1]})"); };
    Server::ServerSession session;
    Server::Connection connection(ClientTest::loopback(recorder.peer.port()), &session);
    const auto answer = Server::TServerMethods1Client(connection).EnVer(1);
    ASSERT_FALSE(answer);
    EXPECT_FALSE(answer.error().message.isEmpty());
    EXPECT_EQ(recorder.peer.connections(), 0);
}
