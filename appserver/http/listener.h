#pragma once

#include <QString>

#include <boost/asio/io_context.hpp>
#include <boost/asio/ip/tcp.hpp>
#include <boost/beast/http/message.hpp>
#include <boost/beast/http/status.hpp>
#include <boost/beast/http/string_body.hpp>

#include "answerbody.h"

#include <chrono>
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

namespace Http {

using Request = boost::beast::http::request<boost::beast::http::string_body>;
using Response = boost::beast::http::response<AnswerBody>;
using Status = boost::beast::http::status;

// What a port serves. handle() runs on a pool thread and fills the response; the listener
// sets the version, keep-alive and length afterwards. reject() writes the port's error form
// for requests that never reached handle() (too large, malformed) and for exceptions that
// escaped handle(): the listener is the one place where an exception becomes an answer.
class Service
{
public:
    virtual ~Service() = default;
    virtual void handle(const Request &request, const boost::asio::ip::address &peer, Response &response) = 0;
    virtual void reject(Status status, const QString &message, Response &response) = 0;
};

struct Limits
{
    std::size_t bodyBytes = 16 * 1024 * 1024;
    std::uint32_t headerBytes = 16 * 1024;
    // A connection that sends nothing for this long is closed; it also bounds how long one
    // request may take to arrive, so a slow sender cannot hold a connection forever.
    std::chrono::seconds idle{30};
};

// Accepts connections on one address and serves HTTP/1.1 with keep-alive on them, every
// connection on its own strand of the shared io_context.
class Listener final : public std::enable_shared_from_this<Listener>
{
public:
    Listener(boost::asio::io_context &io, Service &service, Limits limits);

    // Binds and listens; port 0 picks a free port. The error text is the system's own.
    bool listen(const boost::asio::ip::tcp::endpoint &endpoint, std::string &error);
    boost::asio::ip::tcp::endpoint localEndpoint() const;

    void start();
    void stop();

private:
    void accept();

    boost::asio::io_context &m_io;
    boost::asio::ip::tcp::acceptor m_acceptor;
    Service &m_service;
    Limits m_limits;
};

} // namespace Http
