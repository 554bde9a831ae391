#pragma once

#include "listener.h"

#include <QString>

#include <string_view>

namespace Store {
class Database;
}

namespace Http {

// formmailgonder.aspx: the request form that an unregistered computer is sent to. GET shows
// the form for ?carino=..&kullanici=..&id=COMPUTER; POST checks the typed fields and stores
// the request. A refused submission shows the form again with what was typed and the reason.
class RequestForm final
{
public:
    explicit RequestForm(Store::Database &db);

    void show(std::string_view query, Response &response) const;
    void submit(const Request &request, Response &response) const;

private:
    Store::Database &m_db;
};

} // namespace Http
