#pragma once

#include "protocol/expected.h"

#include <QDate>
#include <QSqlDatabase>

namespace Seed {

struct Options
{
    int parts = 20000; // stock items
    QDate anchor;      // the "today" of the history: orders, statement and due dates lie before it
};

// Fills an empty database (schema in place) with the demo data. Deterministic: the same
// options give the same rows, byte for byte. Runs in the caller's transaction, with
// explicit keys; the caller moves PostgreSQL's key sequences on afterwards.
Protocol::Expected<Protocol::Done> populate(const QSqlDatabase &db, const Options &options);

} // namespace Seed
