#pragma once

#include "protocol/expected.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariant>
#include <QVariantList>

namespace Store {

// A bind value as the store writes it: a null QString becomes an empty text (text columns are
// NOT NULL DEFAULT ''); SQL NULL is written with an invalid QVariant or a null number.
QVariant bindable(const QVariant &value);

// Runs one parameterised statement (positional "?" placeholders). The query is returned
// positioned before its first row; a failure carries the statement's error text.
Protocol::Expected<QSqlQuery> exec(const QSqlDatabase &db, const QString &sql, const QVariantList &binds = {});

// The first column of the first row, or an invalid QVariant when there is no row.
Protocol::Expected<QVariant> scalar(const QSqlDatabase &db, const QString &sql, const QVariantList &binds = {});

// Which database a connection reaches (driver, name, host, port): the key of what a process
// keeps in memory per database, whichever thread's connection asks.
QString databaseIdentity(const QSqlDatabase &db);

// INSERT ... RETURNING <idColumn>: the new row's key on SQLite and PostgreSQL alike.
Protocol::Expected<qint64> insertReturningId(const QSqlDatabase &db, const QString &insertSql,
                                             const QVariantList &binds, const QString &idColumn);

// One transaction on one connection: commit() makes it final, otherwise the destructor
// rolls back, so an early return or an error leaves nothing half-written.
class Transaction final
{
public:
    explicit Transaction(QSqlDatabase db);
    ~Transaction();
    Transaction(const Transaction &) = delete;
    Transaction &operator=(const Transaction &) = delete;

    bool started() const { return m_open; }
    QString errorText() const { return m_error; }
    Protocol::Expected<Protocol::Done> commit();

private:
    QSqlDatabase m_db;
    bool m_open = false;
    QString m_error;
};

// Runs body(db) inside one transaction; commits when it returns a value, rolls back on an Error.
template<typename Body> auto inTransaction(QSqlDatabase db, Body &&body) -> decltype(body(db))
{
    Transaction tx(db);
    if (!tx.started())
        return Protocol::makeError(tx.errorText());
    auto result = body(db);
    if (!result)
        return result;
    if (auto done = tx.commit(); !done)
        return done.error();
    return result;
}

} // namespace Store
