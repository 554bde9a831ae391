#include "columnkeys.h"

#include "turkishtext.h"

#include <cstring>

namespace Widgets {

using Protocol::ColumnKind;

ColumnKeys::ColumnKeys(const Protocol::ClientTable &table, int column)
    : m_table(&table)
    , m_column(column)
{
    if (column < 0)
        return;
    const int rows = table.rowCount();
    m_null.resize(size_t(rows));
    for (int r = 0; r < rows; ++r)
        m_null[size_t(r)] = table.isNull(r, column);
    switch (table.column(column).kind) {
    case ColumnKind::Float:
    case ColumnKind::Currency:
        m_mode = Mode::Number;
        m_numbers.resize(size_t(rows));
        for (int r = 0; r < rows; ++r)
            m_numbers[size_t(r)] = table.number(r, column);
        break;
    case ColumnKind::Int32:
    case ColumnKind::Int64:
    case ColumnKind::Bool:
        m_mode = Mode::Integer;
        m_integers.resize(size_t(rows));
        for (int r = 0; r < rows; ++r)
            m_integers[size_t(r)] = table.integer(r, column);
        break;
    case ColumnKind::DateTime:
        m_mode = Mode::Integer;
        m_integers.resize(size_t(rows));
        for (int r = 0; r < rows; ++r)
            m_integers[size_t(r)] = table.dateTimeMsecs(r, column);
        break;
    case ColumnKind::Text:
        m_mode = Mode::Text;
        m_keyEnds.resize(size_t(rows));
        for (int r = 0; r < rows; ++r) {
            appendTurkishSortKey(m_keys, table.utf8(r, column));
            m_keyEnds[size_t(r)] = quint32(m_keys.size());
        }
        break;
    case ColumnKind::Bytes: break;
    }
}

int ColumnKeys::compare(int a, int b) const
{
    if (m_mode == Mode::None)
        return 0;
    const bool na = m_null[size_t(a)], nb = m_null[size_t(b)];
    if (na || nb)
        return int(nb) - int(na);
    switch (m_mode) {
    case Mode::Number: {
        const double x = m_numbers[size_t(a)], y = m_numbers[size_t(b)];
        return x < y ? -1 : y < x ? 1 : 0;
    }
    case Mode::Integer: {
        const qint64 x = m_integers[size_t(a)], y = m_integers[size_t(b)];
        return x < y ? -1 : y < x ? 1 : 0;
    }
    case Mode::Text: {
        const quint32 ab = a == 0 ? 0 : m_keyEnds[size_t(a) - 1], ae = m_keyEnds[size_t(a)];
        const quint32 bb = b == 0 ? 0 : m_keyEnds[size_t(b) - 1], be = m_keyEnds[size_t(b)];
        const int byKey = std::string_view(m_keys.data() + ab, ae - ab)
                              .compare(std::string_view(m_keys.data() + bb, be - bb));
        if (byKey != 0)
            return byKey;
        return m_table->utf8(a, m_column).compare(m_table->utf8(b, m_column));
    }
    case Mode::None: break;
    }
    return 0;
}

std::string filterKey(const Protocol::ClientTable &table, int row, int column)
{
    if (column < 0 || table.isNull(row, column))
        return {};
    std::string key(1, '\1'); // non-null values never give the empty key
    auto put = [&key](auto v) { key.append(reinterpret_cast<const char *>(&v), sizeof v); };
    switch (table.column(column).kind) {
    case ColumnKind::Text: key.append(table.utf8(row, column)); break;
    case ColumnKind::Float:
    case ColumnKind::Currency: put(table.number(row, column)); break;
    case ColumnKind::DateTime: put(table.dateTimeMsecs(row, column)); break;
    case ColumnKind::Bytes: {
        const QByteArray b = table.bytes(row, column);
        key.append(b.constData(), size_t(b.size()));
        break;
    }
    default: put(table.integer(row, column)); break;
    }
    return key;
}

} // namespace Widgets
