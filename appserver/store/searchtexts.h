#pragma once

// The catalogue's search column held in memory, to check the candidates of a search
// without a round of queries: every part's folded text back to back, found by stock number.
//
// One copy per database and process, shared by all request threads and replaced when the
// search index is rebuilt (the index's stamp in settings changes with every rebuild), so it
// never answers from a catalogue the database no longer has.

#include "protocol/expected.h"

#include <QSqlDatabase>
#include <QString>

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace Store {

class SearchTexts final
{
public:
    // The texts of the catalogue the index stamp describes, loaded on first use.
    static Protocol::Expected<std::shared_ptr<const SearchTexts>> current(const QSqlDatabase &db, const QString &stamp);

    // The folded search text of a part; empty for a number that names none.
    std::string_view text(int stokno) const;

private:
    std::string m_blob;
    std::vector<std::uint32_t> m_start; // by stock number; a part's text ends where the next one starts
};

} // namespace Store
