#include "server.h"

#include "restservice.h"
#include "sessions.h"
#include "webservice.h"

#include <QString>
#include <QtGlobal>

#include <boost/asio/io_context.hpp>
#include <boost/asio/signal_set.hpp>

#include <algorithm>
#include <csignal>
#include <thread>
#include <vector>

namespace net = boost::asio;
using tcp = net::ip::tcp;
using namespace Qt::StringLiterals;

namespace Http {

struct Server::Private
{
    Private(Store::Database &db, const Methods::Registry &registry, ServerOptions opts)
        : options(std::move(opts))
        , sessions(options.sessionSecret, options.sessionLifetime)
        , rest(db, registry, sessions)
        , web(db)
    {}

    ServerOptions options;
    SessionKeys sessions;
    RestService rest;
    WebService web;
    net::io_context io;
    std::shared_ptr<Listener> restListener;
    std::shared_ptr<Listener> webListener;
};

Server::Server(Store::Database &db, const Methods::Registry &registry, ServerOptions options)
    : d(std::make_unique<Private>(db, registry, std::move(options)))
{}

Server::~Server()
{
    // Connections still queued hold references to the services: end them first.
    d->io.stop();
    d->restListener.reset();
    d->webListener.reset();
}

Protocol::Expected<Protocol::Done> Server::listen()
{
    boost::system::error_code ec;
    const auto address = net::ip::make_address(d->options.bind, ec);
    if (ec)
        return Protocol::makeError(u"Geçersiz adres: %1"_s.arg(QString::fromStdString(d->options.bind)));

    const auto open = [&](std::shared_ptr<Listener> &listener, Service &service,
                          std::uint16_t port) -> Protocol::Expected<Protocol::Done> {
        listener = std::make_shared<Listener>(d->io, service, d->options.limits);
        std::string error;
        if (!listener->listen(tcp::endpoint(address, port), error)) {
            return Protocol::makeError(u"%1 dinlenemiyor: %2"_s.arg(QString::fromStdString(
                                                                       endpointText(tcp::endpoint(address, port))),
                                                                   QString::fromStdString(error)));
        }
        return Protocol::Done{};
    };
    if (auto opened = open(d->restListener, d->rest, d->options.port); !opened)
        return opened;
    return open(d->webListener, d->web, d->options.webPort);
}

tcp::endpoint Server::restEndpoint() const
{
    return d->restListener ? d->restListener->localEndpoint() : tcp::endpoint();
}

tcp::endpoint Server::webEndpoint() const
{
    return d->webListener ? d->webListener->localEndpoint() : tcp::endpoint();
}

void Server::run()
{
    net::signal_set stopSignals(d->io, SIGINT, SIGTERM);
    stopSignals.async_wait([this](const boost::system::error_code &ec, int) {
        if (!ec)
            stop();
    });
    if (d->restListener)
        d->restListener->start();
    if (d->webListener)
        d->webListener->start();

    int count = d->options.threads;
    if (count <= 0)
        count = std::max(2, int(std::thread::hardware_concurrency()));
    std::vector<std::thread> pool;
    pool.reserve(std::size_t(count - 1));
    const auto serve = [this] {
        // A failure outside any request (a request's own exceptions never get here) costs
        // the connection it happened on, not the thread.
        for (;;) {
            try {
                d->io.run();
                return;
            } catch (const std::exception &e) {
                qWarning("varsel-appserver: %s", e.what());
            }
        }
    };
    for (int i = 1; i < count; ++i)
        pool.emplace_back(serve);
    serve();
    for (auto &thread : pool)
        thread.join();
}

void Server::stop()
{
    if (d->restListener)
        d->restListener->stop();
    if (d->webListener)
        d->webListener->stop();
    d->io.stop();
}

bool isValidAddress(const std::string &address)
{
    boost::system::error_code ec;
    net::ip::make_address(address, ec);
    return !ec;
}

std::string endpointText(const tcp::endpoint &endpoint)
{
    const auto address = endpoint.address();
    std::string text = address.is_v6() ? '[' + address.to_string() + ']' : address.to_string();
    return text + ':' + std::to_string(endpoint.port());
}

} // namespace Http
