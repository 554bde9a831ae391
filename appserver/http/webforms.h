#pragma once

#include "protocol/expected.h"

#include <QJsonObject>
#include <QString>

namespace Store {
class Database;
}

namespace Http {

// A request sent from the web request form: who asked (the computer identifier and what the
// form was opened with) and the typed fields, kept as typed.
struct WebRequest
{
    QString computerId;
    qint32 carino = 0;
    QString kullanici;
    QJsonObject fields;
};

// Stores the request in web_requests (id, created_at, computer_id, carino, kullanici,
// fields_json) with one parameterised INSERT; returns the new row's id.
Protocol::Expected<qint64> storeWebRequest(Store::Database &db, const WebRequest &request);

} // namespace Http
