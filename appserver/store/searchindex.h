#pragma once

// The catalogue's substring index over the folded search column `stoklar.arama`.
//
// Table arama_parcalari (parca, adet, liste): for every piece of one, two or three
// characters that occurs in some part's search column, the stock numbers of those parts
// (ascending, as delta-coded varints in `liste`) and how many they are (`adet`). A search
// text of up to three characters is one piece and reads exactly one list; a longer one
// intersects the lists of its three-character pieces, rarest first, and checks what is left
// against the search column itself. Plain tables and SQL only, so it works the same on
// SQLite and PostgreSQL.
//
// The catalogue is written only by the seed; whoever changes `stoklar` afterwards calls
// rebuildSearchIndex in the same transaction. ensureSearchIndex (run when the database is
// opened) builds the index for a database that was made before it existed.

#include "protocol/expected.h"

#include <QSqlDatabase>
#include <QString>

#include <cstdint>
#include <string>
#include <vector>

namespace Store {

// Replaces the whole index with one made from the current catalogue.
Protocol::Expected<Protocol::Done> rebuildSearchIndex(const QSqlDatabase &db);

// Creates the table if it is missing and (re)builds the index when it does not describe
// the current catalogue (its part count and highest stock number, kept in settings).
Protocol::Expected<Protocol::Done> ensureSearchIndex(const QSqlDatabase &db);

// The longest search text worth looking up: no part's search column is this long.
constexpr int kMaxSearchTextLength = 400;

// Rows a stock search answers at most unless the settings row stok_arama_limiti says
// otherwise: more than any list a person reads, few enough that a one-letter search
// stays quick.
constexpr int kDefaultSearchLimit = 5000;

// The search step: the stock numbers (ascending, at most `limit`) of the parts whose search
// column contains `text` folded with foldForSearch and trimmed. An empty text matches every
// part; a text with characters that folding cannot make ASCII, or longer than
// kMaxSearchTextLength, matches none. Every value is bound; the text is never part of SQL.
Protocol::Expected<std::vector<int>> searchParts(const QSqlDatabase &db, const QString &text, int limit);

// The list coding, exposed for the tests: ascending numbers as varint deltas.
std::string encodePostings(const std::vector<int> &ascending);
std::vector<int> decodePostings(const char *data, std::size_t size, std::size_t limit = std::size_t(-1));

} // namespace Store
