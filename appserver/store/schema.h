#pragma once

#include "protocol/expected.h"

#include <QSqlDatabase>
#include <QStringList>

namespace Store {

enum class Dialect { Sqlite, Postgres };

// The schema version this build writes and reads (table schema_version).
constexpr int kSchemaVersion = 1;

// The CREATE statements of the whole schema in this dialect, in dependency order.
QStringList schemaStatements(Dialect dialect);

// Tables whose key is generated (identity) with that key's column: after rows were inserted
// with explicit keys, PostgreSQL's sequences are moved past them.
struct GeneratedKey
{
    const char *table;
    const char *column;
};
QList<GeneratedKey> generatedKeys();

// Creates every table and index and records kSchemaVersion; runs inside the caller's transaction.
Protocol::Expected<Protocol::Done> createSchema(const QSqlDatabase &db, Dialect dialect);

// After a bulk load with explicit keys: PostgreSQL identity sequences continue after the
// largest key (SQLite's AUTOINCREMENT does this by itself).
Protocol::Expected<Protocol::Done> syncGeneratedKeys(const QSqlDatabase &db, Dialect dialect);

// 0 when the database has no schema yet.
Protocol::Expected<int> schemaVersion(const QSqlDatabase &db);

} // namespace Store
