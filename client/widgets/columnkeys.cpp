#include "columnkeys.h"

#include "turkishtext.h"

#include <algorithm>
#include <numeric>
#include <unordered_map>

namespace Widgets {

using Protocol::ColumnKind;

ColumnKeys::ColumnKeys(const Protocol::ClientTable &table, int column)
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
    case ColumnKind::Text: {
        m_mode = Mode::Text;
        // Distinct texts first: lists repeat their values, and a text is ranked only once.
        std::unordered_map<std::string_view, qint32> ids;
        std::vector<std::string_view> distinct;
        m_ranks.resize(size_t(rows));
        for (int r = 0; r < rows; ++r) {
            const std::string_view text = table.utf8(r, column);
            const auto [it, added] = ids.emplace(text, qint32(distinct.size()));
            if (added)
                distinct.push_back(text);
            m_ranks[size_t(r)] = it->second;
        }
        std::string keys;
        std::vector<quint32> ends(distinct.size());
        for (size_t i = 0; i < distinct.size(); ++i) {
            appendTurkishSortKey(keys, distinct[i]);
            ends[i] = quint32(keys.size());
        }
        auto key = [&](qint32 i) {
            const quint32 begin = i == 0 ? 0 : ends[size_t(i) - 1];
            return std::string_view(keys.data() + begin, ends[size_t(i)] - begin);
        };
        std::vector<qint32> order(distinct.size());
        std::iota(order.begin(), order.end(), 0);
        std::sort(order.begin(), order.end(), [&](qint32 a, qint32 b) {
            const int c = key(a).compare(key(b));
            return c != 0 ? c < 0 : distinct[size_t(a)] < distinct[size_t(b)];
        });
        std::vector<qint32> rankOfId(distinct.size());
        for (size_t place = 0; place < order.size(); ++place)
            rankOfId[size_t(order[place])] = qint32(place);
        for (qint32 &rank : m_ranks)
            rank = rankOfId[size_t(rank)];
        break;
    }
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
        const qint32 x = m_ranks[size_t(a)], y = m_ranks[size_t(b)];
        return x < y ? -1 : y < x ? 1 : 0;
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
