#pragma once

#include "listener.h"
#include "productpictures.h"
#include "requestform.h"

namespace Store {
class Database;
}

namespace Http {

// The distributor's web port: the address echo (/ip), the setup download
// (/exe/VarselSetup.exe, also without a length), the request form (formmailgonder.aspx),
// the product pictures (resimgoster.ashx) and the place of the payment page.
class WebService final : public Service
{
public:
    explicit WebService(Store::Database &db);

    void handle(const Request &request, const boost::asio::ip::address &peer, Response &response) override;
    void reject(Status status, const QString &message, Response &response) override;

private:
    void setupDownload(const Request &request, std::string_view query, bool withLength, Response &response);

    RequestForm m_requestForm;
    ProductPictures m_pictures;
};

// The caller's address as the echo reports it: the first X-Forwarded-For entry when a
// balancer in front of us gives a valid one, else the peer; IPv4 inside IPv6 as IPv4.
std::string callerAddress(std::string_view forwardedFor, const boost::asio::ip::address &peer);

} // namespace Http
