#pragma once

#include "protocol/clienttable.h"

#include <string>
#include <vector>

namespace Widgets {

// Typed sort keys of one table column for every row: numbers and dates compare as numbers,
// texts by their Turkish collation order (each distinct text is ranked once, so a sort
// compares integers). Nulls come first. Built once per table and column.
class ColumnKeys final
{
public:
    ColumnKeys() = default;
    ColumnKeys(const Protocol::ClientTable &table, int column);

    // <0, 0, >0 like strcmp; rows equal in value compare equal (callers break ties by row).
    int compare(int a, int b) const;

private:
    enum class Mode { None, Number, Integer, Text };
    Mode m_mode = Mode::None;
    std::vector<std::uint8_t> m_null;
    std::vector<double> m_numbers;
    std::vector<qint64> m_integers;
    std::vector<qint32> m_ranks; // Text: the place of the row's text among the column's distinct texts
};

// The identity of a cell's value for value filters: equal values give equal keys within a column.
std::string filterKey(const Protocol::ClientTable &table, int row, int column);

} // namespace Widgets
