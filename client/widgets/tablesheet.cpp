#include "tablesheet.h"

namespace Spreadsheet {

using Protocol::ColumnKind;

Cell tableCell(const Protocol::ClientTable &table, int row, int column)
{
    if (column < 0 || row < 0 || table.isNull(row, column))
        return {};
    switch (table.column(column).kind) {
    case ColumnKind::Text: return table.text(row, column);
    case ColumnKind::Int32:
    case ColumnKind::Int64:
    case ColumnKind::Float:
    case ColumnKind::Currency: return table.number(row, column);
    case ColumnKind::Bool: return table.boolean(row, column);
    case ColumnKind::DateTime: {
        const qint64 msecs = table.dateTimeMsecs(row, column);
        return DateCell{daySerialFromNaiveMsecs(msecs), msecs % 86400000 != 0};
    }
    case ColumnKind::Bytes: return {};
    }
    return {};
}

TableSheet::TableSheet(const Protocol::ClientTable &table, std::vector<TableSheetColumn> columns,
                       std::vector<TableSheetRow> rows)
    : m_table(table)
    , m_columns(std::move(columns))
    , m_rows(std::move(rows))
{}

TableSheet::TableSheet(const Protocol::ClientTable &table)
    : m_table(table)
{
    for (int c = 0; c < table.columnCount(); ++c) {
        const auto &info = table.column(c);
        m_columns.push_back({c, info.name, info.moneyFormat ? NumberStyle::Money : NumberStyle::General, {}});
    }
    m_rows.reserve(size_t(table.rowCount()));
    for (int r = 0; r < table.rowCount(); ++r)
        m_rows.push_back({r, {}});
}

Cell TableSheet::cell(int row, int column) const
{
    const TableSheetColumn &col = m_columns[size_t(column)];
    const int tableRow = m_rows[size_t(row)].tableRow;
    Cell value = tableCell(m_table, tableRow, col.tableColumn);
    if (!col.valueNames.empty()) {
        if (const auto *d = std::get_if<double>(&value)) {
            for (const auto &[v, name] : col.valueNames) {
                if (double(v) == *d && !name.isEmpty())
                    return name;
            }
        }
    }
    return value;
}

} // namespace Spreadsheet
