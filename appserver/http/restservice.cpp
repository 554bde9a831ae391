#include "restservice.h"

#include "appserver/methods/registry.h"
#include "appserver/store/database.h"
#include "appserver/store/dataversions.h"
#include "protocol/codec.h"

#include <boost/beast/http/field.hpp>
#include <boost/beast/http/verb.hpp>

namespace http = boost::beast::http;
using namespace Qt::StringLiterals;

namespace Http {

namespace {

constexpr std::string_view kPrefix = "/datasnap/rest/";
constexpr std::string_view kJson = "application/json; charset=UTF-8";

// The method segment of the path: a quoted name is called exactly as written; an unquoted
// one gets the verb's prefix, as DataSnap maps verbs (so an unquoted POST asks for "updateName").
std::string_view methodName(http::verb verb, std::string_view segment, std::string &storage)
{
    for (std::string_view quote : {std::string_view("%22"), std::string_view("\"")}) {
        if (segment.size() >= 2 * quote.size() && segment.starts_with(quote) && segment.ends_with(quote))
            return segment.substr(quote.size(), segment.size() - 2 * quote.size());
    }
    std::string_view prefix;
    switch (verb) {
    case http::verb::post:
        prefix = "update";
        break;
    case http::verb::put:
        prefix = "accept";
        break;
    case http::verb::delete_:
        prefix = "cancel";
        break;
    default:
        break;
    }
    storage.assign(prefix);
    storage += segment;
    return storage;
}

QString notFound(std::string_view className, std::string_view method)
{
    return u"%1.%2 sunucu yöntemi bulunamadı"_s.arg(QString::fromUtf8(className.data(), qsizetype(className.size())),
                                                    QString::fromUtf8(method.data(), qsizetype(method.size())));
}

void answer(Response &response, Status status, std::string body)
{
    response.result(status);
    response.set(http::field::content_type, kJson);
    response.body() = std::move(body);
}

void answerKept(Response &response, AnswerCache::Body kept)
{
    response.result(Status::ok);
    response.set(http::field::content_type, kJson);
    response.body().share(std::move(kept));
}

} // namespace

RestService::RestService(Store::Database &db, const Methods::Registry &registry, const SessionKeys &sessions)
    : m_db(db)
    , m_registry(registry)
    , m_sessions(sessions)
{}

void RestService::reject(Status status, const QString &message, Response &response)
{
    answer(response, status, Protocol::encodeError(message));
}

void RestService::handle(const Request &request, const boost::asio::ip::address &, Response &response)
{
    std::string_view path(request.target().data(), request.target().size());
    path = path.substr(0, path.find('?'));
    if (!path.starts_with(kPrefix))
        return reject(Status::not_found, u"Bu adreste hizmet yok"_s, response);
    path.remove_prefix(kPrefix.size());

    // /Class/Method with an optional trailing slash; parameters travel in the body only.
    const auto slash = path.find('/');
    if (slash == std::string_view::npos)
        return reject(Status::not_found, u"Bu adreste hizmet yok"_s, response);
    const std::string_view className = path.substr(0, slash);
    std::string_view segment = path.substr(slash + 1);
    if (segment.ends_with('/'))
        segment.remove_suffix(1);
    if (segment.empty() || segment.find('/') != std::string_view::npos)
        return reject(Status::not_found, u"Parametreler adreste değil istek gövdesinde gönderilir"_s, response);

    const auto pragma = request[http::field::pragma];
    switch (m_sessions.check(std::string_view(pragma.data(), pragma.size()))) {
    case SessionKeys::State::Invalid:
        return answer(response, Status::forbidden,
                      Protocol::encodeSessionExpired(u"Oturum bulunamadı ya da süresi doldu"_s));
    case SessionKeys::State::Absent:
    case SessionKeys::State::Renew:
        response.set(http::field::pragma, m_sessions.issue());
        break;
    case SessionKeys::State::Valid:
        break;
    }

    std::string storage;
    const std::string_view name = methodName(request.method(), segment, storage);
    if (className == "DSAdmin") {
        // Monitoring may ask with GET as well as POST; it touches no database.
        if (name == "GetPlatformName" || (request.method() == http::verb::get && segment == "GetPlatformName")) {
            std::string body = R"({"result":[")";
            body += kPlatformName;
            body += R"("]})";
            return answer(response, Status::ok, std::move(body));
        }
        return reject(Status::internal_server_error, notFound(className, name), response);
    }
    if (className != "TServerMethods1")
        return reject(Status::internal_server_error, notFound(className, name), response);
    if (request.method() != http::verb::post) {
        response.set(http::field::allow, "POST");
        return reject(Status::method_not_allowed, u"Sunucu yöntemleri POST ile çağrılır"_s, response);
    }
    callMethod(request, name, response);
}

void RestService::callMethod(const Request &request, std::string_view name, Response &response)
{
    const Protocol::Operation *op = Protocol::findOperation(name);
    if (!op)
        return reject(Status::internal_server_error, notFound("TServerMethods1", name), response);
    // A list that is kept: the versions are read before the answer is made, so a kept answer is
    // never older than the versions it is kept with. A request whose very bytes were answered
    // before was decoded and checked then, so a kept answer is given without decoding again.
    const Methods::Method *method = m_registry.find(op->name);
    const bool keep = method && method->keep == Methods::Keep::WhileDataUnchanged;
    qint64 version = -1;
    if (keep) {
        auto versions = m_db.dataVersions();
        if (!versions)
            return reject(Status::internal_server_error, versions.error().message, response);
        version = versions->all;
        if (auto kept = m_answers.find(name, request.body(), version))
            return answerKept(response, std::move(kept));
    }

    auto inputs = Protocol::decodeRequest(*op, request.body());
    if (!inputs)
        return reject(Status::internal_server_error, inputs.error().message, response);
    if (!method || !method->handler) {
        return reject(Status::internal_server_error,
                      u"not implemented: "_s + QString::fromUtf8(name.data(), qsizetype(name.size())), response);
    }

    Methods::CallContext context{m_db};
    auto outputs = method->handler(context, *inputs);
    if (!outputs)
        return reject(Status::internal_server_error, outputs.error().message, response);

    // A method that answers out of its signature is a fault here, not something to send.
    const std::size_t expected = std::size_t(op->outputCount()) + (op->result == Protocol::ResultKind::None ? 0 : 1);
    if (outputs->size() != expected) {
        return reject(Status::internal_server_error,
                      u"%1 yanıtı imzasına uymuyor"_s.arg(QString::fromUtf8(name.data(), qsizetype(name.size()))),
                      response);
    }
    std::string body = Protocol::encodeResponse(*op, *outputs);
    if (!keep)
        return answer(response, Status::ok, std::move(body));
    auto kept = std::make_shared<const std::string>(std::move(body));
    m_answers.keep(name, request.body(), version, kept);
    answerKept(response, std::move(kept));
}

} // namespace Http
