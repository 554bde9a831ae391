#pragma once

#include "serversession.h"

#include "protocol/expected.h"

#include <memory>
#include <string>
#include <string_view>

namespace Server {

// What one HTTP exchange brought back.
struct HttpReply
{
    int status = 0;
    std::string body;
};

// A connection to the application server (the main connection `bagc` and its copies).
// Open resolves the host and connects; calls are keep-alive HTTP POSTs on that socket.
// A connection is used by one thread at a time; copies are independent connections.
//
// Copying a connection makes a "connection copy": same parameters and session,
// closed. So a worker's lambda may capture a copy of the main connection by value.
class Connection final
{
public:
    explicit Connection(ConnectionParams params = ServerSession::instance().connectionParams(),
                        ServerSession *session = &ServerSession::instance());
    ~Connection();
    Connection(Connection &&) noexcept;
    Connection &operator=(Connection &&) noexcept;
    Connection(const Connection &other);            // closed copy
    Connection &operator=(const Connection &other); // closes, then takes other's parameters

    // Same parameters and session, closed.
    Connection copy() const;

    const ConnectionParams &params() const;
    void setParams(const ConnectionParams &params); // closes the connection when open
    void setHostName(const QString &host);
    void setPort(const QString &port);
    ServerSession &session() const;

    // Resolves and connects within the connect time-out. The error text is the system's own
    // ("Connection refused", "Host not found (authoritative)", ...).
    Protocol::Expected<Protocol::Done> open();
    void close();
    bool isOpen() const;

    // One POST of body to target on the open connection, with the session id (when held) in
    // the Pragma header; a session id the server hands out is kept in the session. If the
    // server dropped the idle connection before the request went out, reconnects once.
    // Statuses other than 2xx come back as replies; transport failures as errors.
    Protocol::Expected<HttpReply> post(std::string_view target, std::string_view body);

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

} // namespace Server
