#include "connection.h"

#include <boost/asio/connect.hpp>
#include <boost/asio/io_context.hpp>
#include <boost/asio/ip/tcp.hpp>
#include <boost/asio/steady_timer.hpp>
#include <boost/beast/core/error.hpp>
#include <boost/beast/core/flat_buffer.hpp>
#include <boost/beast/core/tcp_stream.hpp>
#include <boost/beast/http/error.hpp>
#include <boost/beast/http/parser.hpp>
#include <boost/beast/http/read.hpp>
#include <boost/beast/http/string_body.hpp>
#include <boost/beast/http/write.hpp>

#include <QList>

#include <sys/socket.h>

#include <cerrno>
#include <optional>

using namespace Qt::StringLiterals;

namespace Server {

namespace asio = boost::asio;
namespace beast = boost::beast;
namespace http = beast::http;
using tcp = asio::ip::tcp;
using boost::system::error_code;

namespace {

QString systemText(const error_code &ec)
{
    if (ec == beast::error::timeout)
        return QString::fromStdString(error_code(ETIMEDOUT, boost::system::system_category()).message());
    return QString::fromStdString(ec.message());
}

QString notOpenText()
{
    return u"Sunucu bağlantısı açık değil"_s;
}

// The transport's verdict on a failed read, in the program's words.
QString readFailureText(const error_code &ec, const ConnectionParams &params)
{
    if (ec == beast::error::timeout)
        return u"Sunucu %1 saniye içinde cevap vermedi"_s.arg(double(params.responseTimeout.count()) / 1000.0);
    if (ec == http::error::end_of_stream)
        return u"Sunucu bağlantıyı cevap vermeden kapattı"_s;
    if (ec == http::error::partial_message)
        return u"Sunucu bağlantıyı cevabın ortasında kapattı"_s;
    if (ec == http::error::body_limit || ec == http::error::buffer_overflow || ec == http::error::header_limit)
        return u"Sunucunun cevabı çok büyük (en çok %1 bayt kabul edilir)"_s.arg(params.maxResponseBytes);
    if (ec.category() == http::make_error_code(http::error::bad_version).category())
        return u"Sunucunun cevabı HTTP değil: "_s + QString::fromStdString(ec.message());
    return u"Sunucunun cevabı okunamadı: "_s + systemText(ec);
}

std::string hostHeader(const ConnectionParams &params)
{
    const QString host = params.hostName.contains(u':') ? u'[' + params.hostName + u']' : params.hostName;
    return QString(host + u':' + params.port).toStdString();
}

QByteArray sessionIdFromPragma(std::string_view pragma)
{
    const QList<QByteArray> parts = QByteArray(pragma.data(), qsizetype(pragma.size())).split(',');
    for (const QByteArray &part : parts) {
        const QByteArray item = part.trimmed();
        if (item.startsWith("dssession="))
            return item.mid(int(sizeof("dssession=") - 1));
    }
    return {};
}

} // namespace

constexpr std::size_t kReadChunk = 64 * 1024;

struct Connection::Impl
{
    ConnectionParams params;
    ServerSession *session = nullptr;
    asio::io_context ioc;
    std::optional<beast::tcp_stream> stream;
    // Beast reads at most what the buffer has room for (512 bytes when it is empty), so a
    // 30 MB answer took some 60,000 reads; with this room it takes a few hundred.
    beast::flat_buffer buffer = [] {
        beast::flat_buffer room;
        room.reserve(kReadChunk);
        return room;
    }();
    bool open = false; // between open() and close(), whatever the socket does
    bool used = false; // the socket has carried a whole exchange, so the server may drop it when idle

    Protocol::Expected<Protocol::Done> connectSocket();
    void closeSocket();
    bool socketUsable();

    // Runs the io_context until the operations started by start have completed.
    template<typename Start> void run(Start &&start)
    {
        ioc.restart();
        start();
        ioc.run();
    }
};

Protocol::Expected<Protocol::Done> Connection::Impl::connectSocket()
{
    closeSocket();
    bool ok = false;
    const int port = params.port.toInt(&ok);
    if (!ok || port < 1 || port > 65535)
        return Protocol::makeError(u"Geçersiz port: %1"_s.arg(params.port));
    if (params.hostName.isEmpty())
        return Protocol::makeError(u"Sunucu adresi belirlenmemiş"_s);

    tcp::resolver resolver(ioc);
    asio::steady_timer timer(ioc);
    tcp::resolver::results_type endpoints;
    error_code ec;
    bool timedOut = false;
    run([&] {
        timer.expires_after(params.connectTimeout);
        timer.async_wait([&](const error_code &e) {
            if (!e) {
                timedOut = true;
                resolver.cancel();
            }
        });
        resolver.async_resolve(params.hostName.toStdString(), params.port.toStdString(),
                               [&](const error_code &e, tcp::resolver::results_type results) {
                                   ec = e;
                                   endpoints = std::move(results);
                                   timer.cancel();
                               });
    });
    if (timedOut)
        return Protocol::makeError(systemText(beast::error::timeout));
    if (ec)
        return Protocol::makeError(systemText(ec));

    stream.emplace(ioc);
    run([&] {
        stream->expires_after(params.connectTimeout);
        stream->async_connect(endpoints, [&](const error_code &e, const tcp::endpoint &) { ec = e; });
    });
    if (ec) {
        closeSocket();
        return Protocol::makeError(systemText(ec));
    }
    stream->expires_never();
    error_code ignored;
    stream->socket().set_option(tcp::no_delay(true), ignored);
    used = false;
    return Protocol::Done{};
}

void Connection::Impl::closeSocket()
{
    if (stream) {
        error_code ignored;
        stream->socket().shutdown(tcp::socket::shutdown_both, ignored);
        stream->socket().close(ignored);
        stream.reset();
    }
    buffer.clear();
    used = false;
}

// False when the server has closed the idle connection (or sent something unasked):
// the request must then go out on a fresh socket.
bool Connection::Impl::socketUsable()
{
    if (!stream || !stream->socket().is_open())
        return false;
    if (!used)
        return true;
    char byte = 0;
    const ssize_t n = ::recv(stream->socket().native_handle(), &byte, 1, MSG_PEEK | MSG_DONTWAIT);
    return n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK);
}

Connection::Connection(ConnectionParams params, ServerSession *session)
    : d(std::make_unique<Impl>())
{
    d->params = std::move(params);
    d->session = session ? session : &ServerSession::instance();
}

Connection::~Connection()
{
    if (d)
        d->closeSocket();
}

Connection::Connection(Connection &&) noexcept = default;
Connection &Connection::operator=(Connection &&) noexcept = default;

Connection::Connection(const Connection &other)
    : Connection(other.d->params, other.d->session)
{}

Connection &Connection::operator=(const Connection &other)
{
    if (this != &other) {
        close();
        d->params = other.d->params;
        d->session = other.d->session;
    }
    return *this;
}

Connection Connection::copy() const
{
    return Connection(d->params, d->session);
}

const ConnectionParams &Connection::params() const
{
    return d->params;
}

void Connection::setParams(const ConnectionParams &params)
{
    close();
    d->params = params;
}

void Connection::setHostName(const QString &host)
{
    close();
    d->params.hostName = host;
}

void Connection::setPort(const QString &port)
{
    close();
    d->params.port = port;
}

ServerSession &Connection::session() const
{
    return *d->session;
}

Protocol::Expected<Protocol::Done> Connection::open()
{
    close();
    auto connected = d->connectSocket();
    if (connected)
        d->open = true;
    return connected;
}

void Connection::close()
{
    d->closeSocket();
    d->open = false;
}

bool Connection::isOpen() const
{
    return d->open;
}

Protocol::Expected<HttpReply> Connection::post(std::string_view target, std::string_view body)
{
    if (!d->open)
        return Protocol::makeError(notOpenText());

    http::request<http::string_body> request{http::verb::post, beast::string_view(target.data(), target.size()), 11};
    request.set(http::field::host, hostHeader(d->params));
    request.set(http::field::content_type, "text/plain;charset=UTF-8");
    request.set(http::field::accept, "application/json");
    const QByteArray sessionId = d->session->dsSessionId();
    if (!sessionId.isEmpty())
        request.set(http::field::pragma, "dssession=" + sessionId.toStdString());
    request.keep_alive(true);
    request.body().assign(body.data(), body.size());
    request.prepare_payload();

    bool reconnected = false;
    for (;;) {
        if (!d->socketUsable()) {
            if (reconnected)
                return Protocol::makeError(notOpenText());
            auto again = d->connectSocket();
            if (!again)
                return again.error();
            reconnected = true;
        }

        const bool reused = d->used;
        error_code ec;
        d->run([&] {
            d->stream->expires_after(d->params.responseTimeout);
            http::async_write(*d->stream, request, [&](const error_code &e, std::size_t) { ec = e; });
        });
        if (ec) {
            d->closeSocket();
            // A reused socket the server had already closed: nothing of the request reached
            // a live peer, so it is sent once more on a fresh connection.
            if (reused && !reconnected && ec != beast::error::timeout)
                continue;
            return Protocol::makeError(u"İstek sunucuya gönderilemedi: "_s + systemText(ec));
        }

        http::response_parser<http::string_body> parser;
        parser.body_limit(std::uint64_t(d->params.maxResponseBytes));
        parser.header_limit(64 * 1024);
        d->run([&] {
            http::async_read(*d->stream, d->buffer, parser, [&](const error_code &e, std::size_t) { ec = e; });
        });
        if (ec) {
            d->closeSocket();
            return Protocol::makeError(readFailureText(ec, d->params));
        }
        d->stream->expires_never();
        d->used = true;

        auto &response = parser.get();
        const auto pragma = response[http::field::pragma];
        const QByteArray newId = sessionIdFromPragma(std::string_view(pragma.data(), pragma.size()));
        if (!newId.isEmpty())
            d->session->setDsSessionId(newId);
        if (!response.keep_alive())
            d->closeSocket(); // the next call reconnects
        return HttpReply{int(response.result_int()), std::move(response.body())};
    }
}

} // namespace Server
