#include "webforms.h"

#include "appserver/store/database.h"

#include <QDateTime>
#include <QJsonDocument>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

using namespace Qt::StringLiterals;

namespace Http {

Protocol::Expected<qint64> storeWebRequest(Store::Database &db, const WebRequest &request)
{
    QSqlQuery query(db.connection());
    // PostgreSQL reports no last insert id through Qt SQL: it returns the id itself.
    const bool returning = db.isPostgres();
    query.prepare(u"INSERT INTO web_requests (created_at, computer_id, carino, kullanici, fields_json) "
                  u"VALUES (?, ?, ?, ?, ?)"_s
                  + (returning ? u" RETURNING id"_s : QString()));
    query.addBindValue(QDateTime::currentDateTimeUtc());
    query.addBindValue(request.computerId);
    query.addBindValue(request.carino);
    query.addBindValue(request.kullanici);
    query.addBindValue(QString::fromUtf8(QJsonDocument(request.fields).toJson(QJsonDocument::Compact)));
    if (!query.exec())
        return Protocol::makeError(u"İstek kaydedilemedi: "_s + query.lastError().text());
    const QVariant id = returning ? (query.next() ? query.value(0) : QVariant()) : query.lastInsertId();
    return id.isValid() ? id.toLongLong() : qint64(0);
}

} // namespace Http
