#include "dbedit.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace CatalogueTests {

namespace {

bool run(QSqlQuery &query, const QString &sql, const QVariantList &binds)
{
    if (!query.prepare(sql)) {
        ADD_FAILURE() << "prepare failed: " << sql.toStdString() << ": " << query.lastError().text().toStdString();
        return false;
    }
    for (const QVariant &bind : binds)
        query.addBindValue(bind);
    if (!query.exec()) {
        ADD_FAILURE() << "query failed: " << sql.toStdString() << ": " << query.lastError().text().toStdString();
        return false;
    }
    return true;
}

} // namespace

DatabaseEdit::DatabaseEdit(const Support::AppServer &server)
    : m_name(u"edit-"_s + QUuid::createUuid().toString(QUuid::WithoutBraces))
{
    QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_s, m_name);
    db.setDatabaseName(server.dbPath());
    db.setConnectOptions(u"QSQLITE_BUSY_TIMEOUT=10000"_s);
    if (!db.open())
        ADD_FAILURE() << "cannot open " << server.dbPath().toStdString();
}

DatabaseEdit::~DatabaseEdit()
{
    {
        QSqlDatabase db = QSqlDatabase::database(m_name, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(m_name);
}

void DatabaseEdit::exec(const QString &sql, const QVariantList &binds) const
{
    QSqlQuery query(QSqlDatabase::database(m_name, false));
    run(query, sql, binds);
}

QVariant DatabaseEdit::scalar(const QString &sql, const QVariantList &binds) const
{
    QSqlQuery query(QSqlDatabase::database(m_name, false));
    if (!run(query, sql, binds) || !query.next())
        return {};
    return query.value(0);
}

std::set<int> DatabaseEdit::numbers(const QString &sql, const QVariantList &binds) const
{
    std::set<int> out;
    QSqlQuery query(QSqlDatabase::database(m_name, false));
    if (!run(query, sql, binds))
        return out;
    while (query.next())
        out.insert(query.value(0).toInt());
    return out;
}

} // namespace CatalogueTests
