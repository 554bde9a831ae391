#include "listener.h"

#include <boost/asio/dispatch.hpp>
#include <boost/asio/post.hpp>
#include <boost/asio/steady_timer.hpp>
#include <boost/asio/strand.hpp>
#include <boost/beast/core/error.hpp>
#include <boost/beast/core/flat_buffer.hpp>
#include <boost/beast/core/tcp_stream.hpp>
#include <boost/beast/http/error.hpp>
#include <boost/beast/http/parser.hpp>
#include <boost/beast/http/read.hpp>
#include <boost/beast/http/write.hpp>

#include <array>
#include <exception>
#include <optional>

namespace beast = boost::beast;
namespace http = boost::beast::http;
namespace net = boost::asio;
using tcp = net::ip::tcp;
using namespace Qt::StringLiterals;

namespace Http {

namespace {

// How long a rejected client may go on sending before the socket is closed under it.
constexpr std::chrono::seconds kDrainTime{5};

bool isParseError(const beast::error_code &ec)
{
    static const auto &category = http::make_error_code(http::error::bad_target).category();
    return ec.category() == category && ec != http::error::end_of_stream && ec != http::error::partial_message;
}

class Connection final : public std::enable_shared_from_this<Connection>
{
public:
    Connection(tcp::socket &&socket, Service &service, const Limits &limits)
        : m_stream(std::move(socket))
        , m_service(service)
        , m_limits(limits)
    {
        beast::error_code ec;
        m_peer = m_stream.socket().remote_endpoint(ec).address();
        // Beast reads at most the buffer's free room (512 bytes when it is empty): with this
        // room a request with its session record arrives in one read instead of three.
        m_buffer.reserve(kReadRoom);
    }

    void start()
    {
        net::dispatch(m_stream.get_executor(), [self = shared_from_this()] { self->read(); });
    }

private:
    void read()
    {
        m_parser.emplace();
        m_parser->body_limit(m_limits.bodyBytes);
        m_parser->header_limit(m_limits.headerBytes);
        m_stream.expires_after(m_limits.idle);
        http::async_read(m_stream, m_buffer, *m_parser,
                         [self = shared_from_this()](beast::error_code ec, std::size_t) { self->onRead(ec); });
    }

    void onRead(const beast::error_code &ec)
    {
        if (!ec)
            return serve();
        if (ec == http::error::body_limit)
            return reject(Status::payload_too_large, u"İstek gövdesi çok büyük"_s);
        if (ec == http::error::header_limit)
            return reject(Status::request_header_fields_too_large, u"İstek başlıkları çok büyük"_s);
        if (isParseError(ec))
            return reject(Status::bad_request, u"Geçersiz HTTP isteği"_s);
        // The peer closed, reset or went quiet: nothing to answer.
        close();
    }

    void serve()
    {
        const Request &request = m_parser->get();
        m_response = {};
        m_response.version(request.version());
        m_response.keep_alive(request.keep_alive());
        try {
            m_service.handle(request, m_peer, m_response);
        } catch (const std::exception &e) {
            answerFailure(request, QString::fromUtf8(e.what()));
        } catch (...) {
            answerFailure(request, u"bilinmeyen hata"_s);
        }
        if (!m_response.chunked())
            m_response.prepare_payload();
        write(m_response.keep_alive());
    }

    void answerFailure(const Request &request, const QString &what)
    {
        m_response = {};
        m_response.version(request.version());
        m_response.keep_alive(request.keep_alive());
        m_service.reject(Status::internal_server_error, what, m_response);
    }

    // The request could not be read to its end, so the stream is out of step: answer, then
    // close. The rest of what the client sends is read and dropped for a while, so that it
    // sees the answer instead of a reset.
    void reject(Status status, const QString &message)
    {
        m_response = {};
        m_response.version(11);
        m_service.reject(status, message, m_response);
        m_response.keep_alive(false);
        m_response.prepare_payload();
        write(false);
    }

    void write(bool keepAlive)
    {
        m_stream.expires_after(m_limits.idle);
        http::async_write(m_stream, m_response,
                          [self = shared_from_this(), keepAlive](beast::error_code ec, std::size_t) {
                              self->onWrite(ec, keepAlive);
                          });
    }

    void onWrite(const beast::error_code &ec, bool keepAlive)
    {
        if (ec)
            return close();
        if (keepAlive) {
            m_response.body().clear();
            return read();
        }
        beast::error_code ignored;
        m_stream.socket().shutdown(tcp::socket::shutdown_send, ignored);
        m_stream.expires_after(kDrainTime);
        drain();
    }

    void drain()
    {
        m_stream.async_read_some(net::buffer(m_scratch),
                                 [self = shared_from_this()](beast::error_code ec, std::size_t) {
                                     if (ec)
                                         return self->close();
                                     self->drain();
                                 });
    }

    void close()
    {
        beast::error_code ignored;
        m_stream.socket().shutdown(tcp::socket::shutdown_both, ignored);
        m_stream.close();
    }

    beast::tcp_stream m_stream;
    Service &m_service;
    const Limits m_limits;
    net::ip::address m_peer;
    static constexpr std::size_t kReadRoom = 16 * 1024;
    beast::flat_buffer m_buffer;
    std::optional<http::request_parser<http::string_body>> m_parser;
    Response m_response;
    std::array<char, 16 * 1024> m_scratch;
};

} // namespace

Listener::Listener(net::io_context &io, Service &service, Limits limits)
    : m_io(io)
    , m_acceptor(net::make_strand(io))
    , m_service(service)
    , m_limits(limits)
{}

bool Listener::listen(const tcp::endpoint &endpoint, std::string &error)
{
    beast::error_code ec;
    m_acceptor.open(endpoint.protocol(), ec);
    if (!ec)
        m_acceptor.set_option(net::socket_base::reuse_address(true), ec);
    if (!ec)
        m_acceptor.bind(endpoint, ec);
    if (!ec)
        m_acceptor.listen(net::socket_base::max_listen_connections, ec);
    if (ec) {
        error = ec.message();
        beast::error_code ignored;
        m_acceptor.close(ignored);
        return false;
    }
    return true;
}

tcp::endpoint Listener::localEndpoint() const
{
    beast::error_code ec;
    return m_acceptor.local_endpoint(ec);
}

void Listener::start()
{
    net::dispatch(m_acceptor.get_executor(), [self = shared_from_this()] { self->accept(); });
}

void Listener::stop()
{
    net::post(m_acceptor.get_executor(), [self = shared_from_this()] {
        beast::error_code ignored;
        self->m_acceptor.close(ignored);
    });
}

void Listener::accept()
{
    m_acceptor.async_accept(net::make_strand(m_io), [self = shared_from_this()](beast::error_code ec, tcp::socket socket) {
        if (ec == net::error::operation_aborted || !self->m_acceptor.is_open())
            return;
        if (ec) {
            // Out of descriptors and the like: pause instead of spinning on the error.
            auto timer = std::make_shared<net::steady_timer>(self->m_acceptor.get_executor(),
                                                             std::chrono::milliseconds(100));
            timer->async_wait([self, timer](beast::error_code) { self->accept(); });
            return;
        }
        beast::error_code ignored;
        socket.set_option(tcp::no_delay(true), ignored);
        std::make_shared<Connection>(std::move(socket), self->m_service, self->m_limits)->start();
        self->accept();
    });
}

} // namespace Http
