#pragma once

#include "answercache.h"
#include "listener.h"
#include "sessions.h"

namespace Methods {
class Registry;
}
namespace Store {
class Database;
}

namespace Http {

// The DataSnap REST port: POST /datasnap/rest/TServerMethods1/%22Name%22/ with
// {"_parameters":[...]} calls the registered method; DSAdmin's GetPlatformName is the
// liveness check. Every answer that the session rules allow carries a session id.
class RestService final : public Service
{
public:
    RestService(Store::Database &db, const Methods::Registry &registry, const SessionKeys &sessions);

    void handle(const Request &request, const boost::asio::ip::address &peer, Response &response) override;
    void reject(Status status, const QString &message, Response &response) override;

    static constexpr std::string_view kPlatformName = "Varsel Application Server";

private:
    void callMethod(const Request &request, std::string_view name, Response &response);

    Store::Database &m_db;
    const Methods::Registry &m_registry;
    const SessionKeys &m_sessions;
    AnswerCache m_answers{kKeptAnswerBytes};

public:
    static constexpr std::size_t kKeptAnswerBytes = std::size_t(256) << 20;
};

} // namespace Http
