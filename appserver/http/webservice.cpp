#include "webservice.h"

#include "setupprogram.h"

#include <QUrlQuery>

#include <boost/asio/ip/address.hpp>
#include <boost/beast/http/field.hpp>
#include <boost/beast/http/verb.hpp>

#include <charconv>

namespace http = boost::beast::http;
namespace net = boost::asio;
using namespace Qt::StringLiterals;

namespace Http {

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

void answerText(Response &response, Status status, std::string body)
{
    response.result(status);
    response.set(http::field::content_type, "text/plain; charset=utf-8");
    response.body() = std::move(body);
}

std::string utf8(const QString &text)
{
    return text.toStdString();
}

} // namespace

std::string callerAddress(std::string_view forwardedFor, const net::ip::address &peer)
{
    net::ip::address address = peer;
    if (!forwardedFor.empty()) {
        std::string_view first = forwardedFor.substr(0, forwardedFor.find(','));
        while (!first.empty() && first.front() == ' ')
            first.remove_prefix(1);
        while (!first.empty() && first.back() == ' ')
            first.remove_suffix(1);
        boost::system::error_code ec;
        const auto given = net::ip::make_address(first, ec);
        if (!ec)
            address = given;
    }
    if (address.is_v6() && address.to_v6().is_v4_mapped())
        address = net::ip::make_address_v4(net::ip::v4_mapped, address.to_v6());
    return address.to_string();
}

WebService::WebService(Store::Database &db)
    : m_requestForm(db)
    , m_pictures(db)
{}

void WebService::reject(Status status, const QString &message, Response &response)
{
    answerText(response, status, utf8(message) + '\n');
}

void WebService::handle(const Request &request, const net::ip::address &peer, Response &response)
{
    const std::string_view target(request.target().data(), request.target().size());
    const auto mark = target.find('?');
    const std::string_view path = target.substr(0, mark);
    const std::string_view query = mark == std::string_view::npos ? std::string_view() : target.substr(mark + 1);
    const http::verb verb = request.method();
    const bool isGet = verb == http::verb::get;

    if (equalNoCase(path, "/formmailgonder.aspx")) {
        if (verb == http::verb::post)
            return m_requestForm.submit(request, response);
        if (isGet)
            return m_requestForm.show(query, response);
    } else if (equalNoCase(path, "/ip")) {
        if (isGet) {
            const auto forwarded = request["X-Forwarded-For"];
            response.set(http::field::cache_control, "no-store");
            return answerText(response, Status::ok,
                              callerAddress(std::string_view(forwarded.data(), forwarded.size()), peer));
        }
    } else if (equalNoCase(path, "/exe/VarselSetup.exe") || equalNoCase(path, "/exe/VarselSetup-nolength.exe")) {
        if (isGet)
            return setupDownload(request, query, equalNoCase(path, "/exe/VarselSetup.exe"), response);
    } else if (equalNoCase(path, "/resimgoster.ashx")) {
        if (isGet)
            return m_pictures.serve(query, response);
    } else if (equalNoCase(path, "/tahsilkart.html")) {
        return reject(Status::not_found, u"Bu sayfa henüz hizmet vermiyor."_s, response);
    } else {
        return reject(Status::not_found, u"Sayfa bulunamadı."_s, response);
    }
    response.set(http::field::allow, equalNoCase(path, "/formmailgonder.aspx") ? "GET, POST" : "GET");
    reject(Status::method_not_allowed, u"Bu adres bu yöntemle çağrılamaz."_s, response);
}

// ?nolength=1 sends the same bytes chunked, without a length, as some servers do;
// ?size=N pads the program to N bytes, for progress displays worth watching.
void WebService::setupDownload(const Request &request, std::string_view query, bool withLength, Response &response)
{
    const QUrlQuery parsed(QString::fromUtf8(query.data(), qsizetype(query.size())));
    if (parsed.queryItemValue(u"nolength"_s) == u"1"_s)
        withLength = false;
    std::string bytes;
    const QString size = parsed.queryItemValue(u"size"_s);
    if (size.isEmpty()) {
        bytes = setupProgram();
    } else {
        bool ok = false;
        const qulonglong n = size.toULongLong(&ok);
        if (!ok || n > kSetupProgramMaxSize)
            return reject(Status::bad_request, u"Geçersiz boyut."_s, response);
        bytes = setupProgram(std::size_t(n));
    }
    response.result(Status::ok);
    response.set(http::field::content_type, "application/octet-stream");
    response.set(http::field::content_disposition, "attachment; filename=\"VarselSetup.exe\"");
    response.body() = std::move(bytes);
    // HTTP/1.0 knows no chunks: such a client gets the length.
    if (!withLength && request.version() >= 11)
        response.chunked(true);
}

} // namespace Http
