#include "webforms.h"

#include "appserver/store/database.h"
#include "appserver/store/sql.h"

#include <QDateTime>
#include <QJsonDocument>

using namespace Qt::StringLiterals;

namespace Http {

Protocol::Expected<qint64> storeWebRequest(Store::Database &db, const WebRequest &request)
{
    const QString now = QDateTime::currentDateTime().toString(u"yyyy-MM-dd HH:mm:ss"_s);
    const QString fields = QString::fromUtf8(QJsonDocument(request.fields).toJson(QJsonDocument::Compact));
    auto id = Store::insertReturningId(db.connection(),
                                       u"INSERT INTO web_requests (created_at, computer_id, carino, kullanici, "
                                       u"fields_json) VALUES (?, ?, ?, ?, ?)"_s,
                                       {now, request.computerId, request.carino, request.kullanici, fields}, u"id"_s);
    if (!id)
        return Protocol::makeError(u"İstek kaydedilemedi: "_s + id.error().message);
    return id;
}

} // namespace Http
