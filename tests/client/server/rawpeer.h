#pragma once

// A tiny scripted TCP peer on loopback for the transport's failure paths (a server that
// never answers, closes in the middle of an answer, drops an idle keep-alive connection,
// or expires a session): things a well-behaved server cannot be made to do on demand.

#include <boost/asio/ip/tcp.hpp>

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace ClientTest {

// One request as the peer read it.
struct RawRequest
{
    std::string target;
    std::string pragma;
    std::string host;
    std::string contentType;
    std::string body;
};

class RawPeer final
{
public:
    // script runs on a thread of its own for each accepted connection (index from 0).
    using Script = std::function<void(boost::asio::ip::tcp::socket &socket, int connection)>;

    explicit RawPeer(Script script);
    ~RawPeer(); // wakes and joins every connection thread
    RawPeer(const RawPeer &) = delete;
    RawPeer &operator=(const RawPeer &) = delete;

    std::uint16_t port() const { return m_port; }
    int connections() const { return m_accepted.load(); }

    // Helpers for scripts. readRequest returns false when the client closed first.
    static bool readRequest(boost::asio::ip::tcp::socket &socket, RawRequest &request);
    static void writeRaw(boost::asio::ip::tcp::socket &socket, const std::string &bytes);
    static std::string answer(int status, const std::string &body, const std::string &extraHeaders = {});

private:
    boost::asio::io_context m_ioc;
    boost::asio::ip::tcp::acceptor m_acceptor;
    std::uint16_t m_port = 0;
    std::atomic<int> m_accepted{0};
    std::mutex m_mutex;
    std::vector<std::shared_ptr<boost::asio::ip::tcp::socket>> m_sockets;
    std::vector<std::thread> m_threads;
    std::thread m_acceptThread;
};

// A loopback port that nothing listens on (bound once to find it, then released).
std::uint16_t unusedPort();

} // namespace ClientTest
