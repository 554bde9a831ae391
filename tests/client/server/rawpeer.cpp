#include "rawpeer.h"

#include <boost/asio/read.hpp>
#include <boost/asio/write.hpp>
#include <boost/beast/core/flat_buffer.hpp>
#include <boost/beast/http/read.hpp>
#include <boost/beast/http/string_body.hpp>

#include <sys/socket.h>

namespace ClientTest {

namespace asio = boost::asio;
namespace http = boost::beast::http;
using tcp = asio::ip::tcp;

RawPeer::RawPeer(Script script)
    : m_acceptor(m_ioc, tcp::endpoint(asio::ip::make_address("127.0.0.1"), 0))
{
    m_port = m_acceptor.local_endpoint().port();
    m_acceptThread = std::thread([this, script = std::move(script)] {
        for (int index = 0;; ++index) {
            auto socket = std::make_shared<tcp::socket>(m_ioc);
            boost::system::error_code ec;
            m_acceptor.accept(*socket, ec);
            if (ec)
                return;
            ++m_accepted;
            std::lock_guard lock(m_mutex);
            m_sockets.push_back(socket);
            m_threads.emplace_back([socket, script, index] {
                script(*socket, index);
                ::shutdown(socket->native_handle(), SHUT_RDWR); // the peer hangs up when its script ends
            });
        }
    });
}

RawPeer::~RawPeer()
{
    ::shutdown(m_acceptor.native_handle(), SHUT_RDWR); // wakes the blocked accept
    m_acceptThread.join();
    std::lock_guard lock(m_mutex);
    for (auto &socket : m_sockets)
        ::shutdown(socket->native_handle(), SHUT_RDWR); // wakes blocked reads
    for (auto &thread : m_threads)
        thread.join();
}

bool RawPeer::readRequest(tcp::socket &socket, RawRequest &request)
{
    // Requests are small and read one at a time, so a fresh buffer per request is enough.
    boost::beast::flat_buffer buffer;
    http::request<http::string_body> message;
    boost::system::error_code ec;
    http::read(socket, buffer, message, ec);
    if (ec)
        return false;
    request.target = std::string(message.target());
    request.pragma = std::string(message[http::field::pragma]);
    request.host = std::string(message[http::field::host]);
    request.contentType = std::string(message[http::field::content_type]);
    request.body = message.body();
    return true;
}

void RawPeer::writeRaw(tcp::socket &socket, const std::string &bytes)
{
    boost::system::error_code ec;
    asio::write(socket, asio::buffer(bytes), ec);
}

std::string RawPeer::answer(int status, const std::string &body, const std::string &extraHeaders)
{
    return "HTTP/1.1 " + std::to_string(status) +
           " X\r\nContent-Type: application/json\r\nContent-Length: " + std::to_string(body.size()) + "\r\n" +
           extraHeaders + "\r\n" + body;
}

std::uint16_t unusedPort()
{
    asio::io_context ioc;
    tcp::acceptor acceptor(ioc, tcp::endpoint(asio::ip::make_address("127.0.0.1"), 0));
    return acceptor.local_endpoint().port();
}

} // namespace ClientTest
