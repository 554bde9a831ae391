#pragma once

#include "client/server/connection.h"
#include "client/server/serversession.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>

#include <chrono>
#include <functional>
#include <string>

namespace ClientTest {

// Parameters of a loopback server with short time-outs, so a failure shows in seconds.
inline Server::ConnectionParams loopback(std::uint16_t port, std::string host = "127.0.0.1")
{
    Server::ConnectionParams params;
    params.hostName = QString::fromStdString(host);
    params.port = QString::number(port);
    params.connectTimeout = std::chrono::seconds(5);
    params.responseTimeout = std::chrono::seconds(20);
    return params;
}

// Spins the event loop until done() or the deadline; true when done() came true.
inline bool processEventsUntil(const std::function<bool()> &done,
                               std::chrono::milliseconds limit = std::chrono::seconds(60))
{
    QDeadlineTimer deadline(limit);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}

} // namespace ClientTest
