#pragma once

#include "sheetsource.h"

#include "protocol/clienttable.h"

#include <utility>
#include <vector>

namespace Spreadsheet {

struct TableSheetColumn
{
    int tableColumn = -1; // -1: a column bound to no table column (left empty)
    QString caption;
    NumberStyle style = NumberStyle::General;
    // When set, a value listed here is written as its name (mark and status columns).
    std::vector<std::pair<qint64, QString>> valueNames;
};

struct TableSheetRow
{
    int tableRow = -1; // the table row written, or -1 for a heading row
    QString heading;
};

// A ClientTable as a sheet: chosen columns, chosen rows in the chosen order, each cell in its
// own kind (texts, numbers, dates, booleans; nulls and byte columns stay empty).
class TableSheet final : public SheetSource
{
public:
    TableSheet(const Protocol::ClientTable &table, std::vector<TableSheetColumn> columns,
               std::vector<TableSheetRow> rows);
    // Every column under its name, every row in table order.
    explicit TableSheet(const Protocol::ClientTable &table);

    int columnCount() const override { return int(m_columns.size()); }
    QString caption(int column) const override { return m_columns[size_t(column)].caption; }
    NumberStyle numberStyle(int column) const override { return m_columns[size_t(column)].style; }
    int rowCount() const override { return int(m_rows.size()); }
    QString heading(int row) const override { return m_rows[size_t(row)].heading; }
    Cell cell(int row, int column) const override;

private:
    const Protocol::ClientTable &m_table;
    std::vector<TableSheetColumn> m_columns;
    std::vector<TableSheetRow> m_rows;
};

// The cell of one table value, in its own kind.
Cell tableCell(const Protocol::ClientTable &table, int row, int column);

} // namespace Spreadsheet
