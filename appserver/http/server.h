#pragma once

#include "listener.h"

#include "protocol/expected.h"

#include <QByteArray>

#include <boost/asio/ip/tcp.hpp>

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>

namespace Methods {
class Registry;
}
namespace Store {
class Database;
}

namespace Http {

struct ServerOptions
{
    std::string bind = "0.0.0.0";
    std::uint16_t port = 9090;    // DataSnap REST
    std::uint16_t webPort = 8080; // the web endpoints
    int threads = 0;              // 0: max(2, hardware threads)
    // Shared by every instance behind one balancer; empty: a random one for this process.
    QByteArray sessionSecret;
    std::chrono::seconds sessionLifetime{20 * 60};
    Limits limits;
};

// Both ports on one io_context, served by a small pool of threads. Methods run on the pool
// threads and take their database connection from Store::Database::connection().
class Server final
{
public:
    Server(Store::Database &db, const Methods::Registry &registry, ServerOptions options);
    ~Server();

    // Binds both ports; the error names the address and the system's reason.
    Protocol::Expected<Protocol::Done> listen();
    boost::asio::ip::tcp::endpoint restEndpoint() const;
    boost::asio::ip::tcp::endpoint webEndpoint() const;

    // Serves until stop(), SIGINT or SIGTERM; the calling thread is one of the pool. A method
    // already running is finished before this returns.
    void run();
    void stop(); // from any thread

private:
    struct Private;
    std::unique_ptr<Private> d;
};

// True for a numeric IPv4 or IPv6 address, as --bind takes it.
bool isValidAddress(const std::string &address);

// "ADDRESS:PORT", IPv6 addresses in brackets.
std::string endpointText(const boost::asio::ip::tcp::endpoint &endpoint);

} // namespace Http
