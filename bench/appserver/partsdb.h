#pragma once

// The benchmarks' catalogue: a SQLite database seeded with 200,000 parts, made once and kept
// at /tmp/varsel-bench/parts-200000.sqlite (a new seed takes minutes; the file is reused by
// every later run and by both benchmarks).

#include <QString>

namespace BenchParts {

constexpr int kParts = 200000;

// The database file, created first if it does not exist yet. Empty on failure (printed).
QString databasePath();

} // namespace BenchParts
