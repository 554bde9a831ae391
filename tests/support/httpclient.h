#pragma once

// A small blocking HTTP/1.1 client for protocol-level tests: exact requests, raw bytes when a
// test needs a broken request, and the whole answer (status, every header, body) back.
// Every step is bounded by a time-out, so a test fails instead of hanging.

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace Support {

using Headers = std::vector<std::pair<std::string, std::string>>;

struct HttpReply
{
    bool ok = false;   // false: no complete answer arrived; `error` says why
    std::string error;
    int status = 0;
    Headers headers;   // in the order received
    std::string body;  // chunked bodies arrive joined

    // The first header of that name (case-insensitive), or empty.
    std::string header(std::string_view name) const;
    bool hasHeader(std::string_view name) const;
};

// One keep-alive connection; requests on it go one after the other.
class HttpConnection final
{
public:
    HttpConnection(const std::string &host, std::uint16_t port,
                   std::chrono::milliseconds timeout = std::chrono::seconds(30));
    ~HttpConnection();
    HttpConnection(const HttpConnection &) = delete;
    HttpConnection &operator=(const HttpConnection &) = delete;

    bool connected() const;
    const std::string &error() const; // why the connection failed

    // Sends one request (Host and Content-Length are added) and reads its answer.
    HttpReply request(std::string_view method, std::string_view target, std::string_view body = {},
                      const Headers &headers = {});

    // For broken requests: bytes as they are, then the answer (if any) as it comes.
    bool sendRaw(std::string_view bytes);
    HttpReply readReply();

    // True when the server has closed the connection (reads end of stream within the time-out).
    bool closedByPeer();
    void close();

private:
    struct Private;
    std::unique_ptr<Private> d;
};

// One request on a fresh connection.
HttpReply httpPost(const std::string &host, std::uint16_t port, std::string_view path, std::string_view body,
                   const Headers &headers = {});
HttpReply httpGet(const std::string &host, std::uint16_t port, std::string_view path, const Headers &headers = {});

} // namespace Support
