#pragma once

// How far the tables that answers are made from have moved.
//
// Table veri_surumleri (alan, surum) holds one number per watched table. Triggers made when
// the database is opened raise a table's number with every insert, update or delete on it,
// whoever writes: this server, another instance on the same database, or the distributor's
// own programs updating prices and stock. A server that keeps something in memory keeps it
// with the numbers it was read at and reads it again once they have moved, so memory never
// answers from data the database no longer has.

#include "schema.h"

#include "protocol/expected.h"

#include <QSqlDatabase>

namespace Store {

struct DataVersions
{
    qint64 catalogue = -1; // stoklar alone: the parts' own columns
    qint64 all = -1;       // the sum over every watched table: moves when any of them changes
    bool operator==(const DataVersions &) const = default;
};

// Creates the table, its rows and the triggers where they are missing. Run when the database
// is opened, after a new database's seed (so the seed's rows are not counted one by one).
Protocol::Expected<Protocol::Done> ensureDataVersions(const QSqlDatabase &db, Dialect dialect);

// The current numbers. Read them before the data they stand for: then what was read is at
// least as new as the numbers it is kept with.
Protocol::Expected<DataVersions> dataVersions(const QSqlDatabase &db);

} // namespace Store
