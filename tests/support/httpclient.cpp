#include "httpclient.h"

#include <boost/asio/connect.hpp>
#include <boost/asio/io_context.hpp>
#include <boost/asio/ip/tcp.hpp>
#include <boost/asio/write.hpp>
#include <boost/beast/core/flat_buffer.hpp>
#include <boost/beast/core/tcp_stream.hpp>
#include <boost/beast/http/parser.hpp>
#include <boost/beast/http/read.hpp>
#include <boost/beast/http/string_body.hpp>
#include <boost/beast/http/write.hpp>

#include <array>

namespace beast = boost::beast;
namespace http = boost::beast::http;
namespace net = boost::asio;
using tcp = net::ip::tcp;

namespace Support {

namespace {

bool equalNoCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i]))
            return false;
    }
    return true;
}

} // namespace

std::string HttpReply::header(std::string_view name) const
{
    for (const auto &[key, value] : headers) {
        if (equalNoCase(key, name))
            return value;
    }
    return {};
}

bool HttpReply::hasHeader(std::string_view name) const
{
    for (const auto &[key, value] : headers) {
        if (equalNoCase(key, name))
            return true;
    }
    return false;
}

struct HttpConnection::Private
{
    net::io_context io;
    beast::tcp_stream stream{io};
    beast::flat_buffer buffer;
    std::chrono::milliseconds timeout;
    std::string host;
    bool connected = false;
    std::string error;

    // Runs one asynchronous step to its end; the stream's expiry bounds it.
    template<typename Start>
    beast::error_code run(Start start)
    {
        beast::error_code result;
        stream.expires_after(timeout);
        start([&result](beast::error_code ec, auto &&...) { result = ec; });
        io.restart();
        io.run();
        return result;
    }
};

HttpConnection::HttpConnection(const std::string &host, std::uint16_t port, std::chrono::milliseconds timeout)
    : d(std::make_unique<Private>())
{
    d->timeout = timeout;
    d->host = host + ':' + std::to_string(port);
    beast::error_code ec;
    tcp::resolver resolver(d->io);
    const auto endpoints = resolver.resolve(host, std::to_string(port), ec);
    if (!ec)
        ec = d->run([&](auto handler) { d->stream.async_connect(endpoints, std::move(handler)); });
    d->connected = !ec;
    if (ec)
        d->error = ec.message();
}

HttpConnection::~HttpConnection() = default;

bool HttpConnection::connected() const
{
    return d->connected;
}

const std::string &HttpConnection::error() const
{
    return d->error;
}

HttpReply HttpConnection::request(std::string_view method, std::string_view target, std::string_view body,
                                  const Headers &headers)
{
    http::request<http::string_body> request;
    request.method_string(method);
    request.target(target);
    request.version(11);
    request.set(http::field::host, d->host);
    for (const auto &[name, value] : headers)
        request.set(name, value);
    request.body() = std::string(body);
    request.prepare_payload();
    const auto ec = d->run([&](auto handler) { http::async_write(d->stream, request, std::move(handler)); });
    if (ec) {
        HttpReply reply;
        reply.error = "write: " + ec.message();
        return reply;
    }
    return readReply();
}

bool HttpConnection::sendRaw(std::string_view bytes)
{
    const auto ec = d->run([&](auto handler) {
        net::async_write(d->stream, net::buffer(bytes.data(), bytes.size()), std::move(handler));
    });
    return !ec;
}

HttpReply HttpConnection::readReply()
{
    HttpReply reply;
    http::response_parser<http::string_body> parser;
    parser.body_limit(256 * 1024 * 1024);
    const auto ec = d->run([&](auto handler) { http::async_read(d->stream, d->buffer, parser, std::move(handler)); });
    if (ec) {
        reply.error = "read: " + ec.message();
        return reply;
    }
    const auto &message = parser.get();
    reply.ok = true;
    reply.status = int(message.result_int());
    for (const auto &field : message)
        reply.headers.emplace_back(std::string(field.name_string()), std::string(field.value()));
    reply.body = message.body();
    return reply;
}

bool HttpConnection::closedByPeer()
{
    if (d->buffer.size() > 0)
        return false;
    std::array<char, 256> scratch;
    const auto ec = d->run([&](auto handler) { d->stream.async_read_some(net::buffer(scratch), std::move(handler)); });
    return ec == net::error::eof || ec == net::error::connection_reset;
}

void HttpConnection::close()
{
    beast::error_code ignored;
    d->stream.socket().shutdown(tcp::socket::shutdown_both, ignored);
    d->stream.close();
    d->connected = false;
}

HttpReply httpPost(const std::string &host, std::uint16_t port, std::string_view path, std::string_view body,
                   const Headers &headers)
{
    HttpConnection connection(host, port);
    if (!connection.connected()) {
        HttpReply reply;
        reply.error = "connect: " + connection.error();
        return reply;
    }
    return connection.request("POST", path, body, headers);
}

HttpReply httpGet(const std::string &host, std::uint16_t port, std::string_view path, const Headers &headers)
{
    HttpConnection connection(host, port);
    if (!connection.connected()) {
        HttpReply reply;
        reply.error = "connect: " + connection.error();
        return reply;
    }
    return connection.request("GET", path, {}, headers);
}

} // namespace Support
