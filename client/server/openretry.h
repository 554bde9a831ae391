#pragma once

#include <chrono>

namespace Server {

class Connection;

// How often and how far apart a connection is tried. The program uses the defaults;
// tests shorten the pause.
struct RetryPolicy
{
    int attempts = 11;
    std::chrono::milliseconds pause{500};
};

// The policy openWithRetry uses when none is given: 11 attempts, 500 ms apart.
RetryPolicy defaultRetryPolicy();
void setDefaultRetryPolicy(const RetryPolicy &policy);

// Closes the connection when open, then tries to open it up to policy.attempts times.
// Each failure shows its error text in a plain message box (from a worker, the dialog
// service hands it to the UI thread and waits for it), closes the connection and pauses.
// When every attempt failed and reportNow is set, the connection-failure message follows.
bool openWithRetry(Connection &connection, bool reportNow);
bool openWithRetry(Connection &connection, bool reportNow, const RetryPolicy &policy);

} // namespace Server
