#include "sql.h"

#include <QSqlError>

using namespace Qt::StringLiterals;

namespace Store {

namespace {

QString describe(const QSqlError &error)
{
    const QString text = error.databaseText().isEmpty() ? error.text() : error.databaseText();
    return u"Veritabanı hatası: "_s + text;
}

} // namespace

QString databaseIdentity(const QSqlDatabase &db)
{
    return db.driverName() + u'|' + db.databaseName() + u'|' + db.hostName() + u':' + QString::number(db.port());
}

QVariant bindable(const QVariant &value)
{
    if (value.typeId() == QMetaType::QString && value.toString().isNull())
        return QVariant(QString(u""_s));
    return value;
}

Protocol::Expected<QSqlQuery> exec(const QSqlDatabase &db, const QString &sql, const QVariantList &binds)
{
    QSqlQuery query(db);
    query.setForwardOnly(true);
    if (binds.isEmpty()) {
        // Without values nothing needs preparing, and PostgreSQL cannot prepare DDL.
        if (!query.exec(sql))
            return Protocol::makeError(describe(query.lastError()));
        return query;
    }
    if (!query.prepare(sql))
        return Protocol::makeError(describe(query.lastError()));
    for (const QVariant &value : binds)
        query.addBindValue(bindable(value));
    if (!query.exec())
        return Protocol::makeError(describe(query.lastError()));
    return query;
}

Protocol::Expected<QVariant> scalar(const QSqlDatabase &db, const QString &sql, const QVariantList &binds)
{
    auto query = exec(db, sql, binds);
    if (!query)
        return query.error();
    if (!query->next())
        return QVariant();
    return query->value(0);
}

Protocol::Expected<qint64> insertReturningId(const QSqlDatabase &db, const QString &insertSql,
                                             const QVariantList &binds, const QString &idColumn)
{
    auto query = exec(db, insertSql + u" RETURNING "_s + idColumn, binds);
    if (!query)
        return query.error();
    if (!query->next())
        return Protocol::makeError(u"Veritabanı hatası: kayıt numarası alınamadı"_s);
    return query->value(0).toLongLong();
}

Transaction::Transaction(QSqlDatabase db)
    : m_db(std::move(db))
{
    m_open = m_db.transaction();
    if (!m_open)
        m_error = describe(m_db.lastError());
}

Transaction::~Transaction()
{
    if (m_open)
        m_db.rollback();
}

Protocol::Expected<Protocol::Done> Transaction::commit()
{
    if (!m_open)
        return Protocol::makeError(m_error.isEmpty() ? u"Veritabanı hatası: işlem açık değil"_s : m_error);
    m_open = false;
    if (!m_db.commit()) {
        const QString error = describe(m_db.lastError());
        m_db.rollback();
        return Protocol::makeError(error);
    }
    return Protocol::Done{};
}

} // namespace Store
