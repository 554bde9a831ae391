#pragma once

#include "protocol/expected.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <QList>
#include <QVariantList>

#include <optional>

namespace Seed {

// Inserts rows into one table with one prepared multi-row INSERT (many rows per round
// trip: fast on SQLite and on PostgreSQL alike). The first error sticks and is reported by
// finish(); rows after it are dropped, and the caller's transaction is rolled back.
class BatchInserter final
{
public:
    BatchInserter(QSqlDatabase db, QString table, QStringList columns, int rowsPerStatement = 64);

    // Rows of this table refer to rows of parent: the parent's pending rows are written first.
    void dependsOn(BatchInserter &parent) { m_parents.append(&parent); }

    void add(const QVariantList &row);
    Protocol::Expected<Protocol::Done> finish();

private:
    bool flushPending();
    bool flush(int rows);
    QString statement(int rows) const;

    QSqlDatabase m_db;
    QString m_table;
    QStringList m_columns;
    int m_rowsPerStatement;
    QVariantList m_pending;
    std::optional<QSqlQuery> m_full; // prepared once for a full batch
    QString m_error;
    QList<BatchInserter *> m_parents;
};

} // namespace Seed
