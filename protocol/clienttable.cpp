#include "clienttable.h"

#include <QTimeZone>

#include <cmath>
#include <cstring>

namespace Protocol {

QString columnKindName(ColumnKind kind)
{
    switch (kind) {
    case ColumnKind::Text: return QStringLiteral("text");
    case ColumnKind::Int32: return QStringLiteral("int32");
    case ColumnKind::Int64: return QStringLiteral("int64");
    case ColumnKind::Float: return QStringLiteral("float");
    case ColumnKind::Currency: return QStringLiteral("currency");
    case ColumnKind::Bool: return QStringLiteral("bool");
    case ColumnKind::DateTime: return QStringLiteral("datetime");
    case ColumnKind::Bytes: return QStringLiteral("bytes");
    }
    return {};
}

int defaultTypeCode(ColumnKind kind)
{
    switch (kind) {
    case ColumnKind::Text: return 26;
    case ColumnKind::Int32: return 6;
    case ColumnKind::Int64: return 18;
    case ColumnKind::Float: return 7;
    case ColumnKind::Currency: return 25;
    case ColumnKind::Bool: return 4;
    case ColumnKind::DateTime: return 24;
    case ColumnKind::Bytes: return 33;
    }
    return 26;
}

qint64 toNaiveMsecs(const QDateTime &dt)
{
    return QDateTime(dt.date(), dt.time(), Qt::UTC).toMSecsSinceEpoch();
}

QDateTime fromNaiveMsecs(qint64 msecs)
{
    const QDateTime utc = QDateTime::fromMSecsSinceEpoch(msecs, Qt::UTC);
    return QDateTime(utc.date(), utc.time());
}

int ClientTable::columnIndex(QStringView name) const
{
    for (size_t i = 0; i < m_columns.size(); ++i) {
        if (m_columns[i].info.name.compare(name, Qt::CaseInsensitive) == 0)
            return int(i);
    }
    return -1;
}

bool ClientTable::isNull(int row, int col) const
{
    const Column &c = m_columns[size_t(col)];
    const size_t byte = size_t(row) >> 3;
    return byte < c.nulls.size() && (c.nulls[byte] >> (row & 7) & 1);
}

void ClientTable::setNull(Column &col, int row, bool null)
{
    const size_t byte = size_t(row) >> 3;
    if (byte >= col.nulls.size()) {
        if (!null)
            return;
        col.nulls.resize(byte + 1, 0);
    }
    if (null)
        col.nulls[byte] |= std::uint8_t(1u << (row & 7));
    else
        col.nulls[byte] &= std::uint8_t(~(1u << (row & 7)));
}

std::string_view ClientTable::utf8(int row, int col) const
{
    const Column &c = m_columns[size_t(col)];
    if (c.info.kind != ColumnKind::Text)
        return {};
    const quint32 begin = row == 0 ? 0 : c.ends[size_t(row) - 1];
    return std::string_view(c.blob.data() + begin, c.ends[size_t(row)] - begin);
}

qint64 ClientTable::integer(int row, int col) const
{
    const Column &c = m_columns[size_t(col)];
    switch (c.info.kind) {
    case ColumnKind::Int32: return c.i32[size_t(row)];
    case ColumnKind::Int64:
    case ColumnKind::DateTime: return c.i64[size_t(row)];
    case ColumnKind::Float:
    case ColumnKind::Currency: return qint64(c.f64[size_t(row)]);
    case ColumnKind::Bool: return c.b[size_t(row)];
    case ColumnKind::Text: return text(row, col).toLongLong();
    case ColumnKind::Bytes: return 0;
    }
    return 0;
}

double ClientTable::number(int row, int col) const
{
    const Column &c = m_columns[size_t(col)];
    switch (c.info.kind) {
    case ColumnKind::Float:
    case ColumnKind::Currency: return c.f64[size_t(row)];
    case ColumnKind::Text: return text(row, col).toDouble();
    default: return double(integer(row, col));
    }
}

bool ClientTable::boolean(int row, int col) const
{
    const Column &c = m_columns[size_t(col)];
    if (c.info.kind == ColumnKind::Bool)
        return c.b[size_t(row)] != 0;
    return number(row, col) != 0;
}

qint64 ClientTable::dateTimeMsecs(int row, int col) const
{
    const Column &c = m_columns[size_t(col)];
    return c.info.kind == ColumnKind::DateTime ? c.i64[size_t(row)] : 0;
}

QDateTime ClientTable::dateTime(int row, int col) const
{
    if (isNull(row, col) || column(col).kind != ColumnKind::DateTime)
        return {};
    return fromNaiveMsecs(dateTimeMsecs(row, col));
}

QByteArray ClientTable::bytes(int row, int col) const
{
    const Column &c = m_columns[size_t(col)];
    if (c.info.kind == ColumnKind::Bytes)
        return c.bytes[size_t(row)];
    if (c.info.kind == ColumnKind::Text) {
        const auto s = utf8(row, col);
        return QByteArray(s.data(), qsizetype(s.size()));
    }
    return {};
}

QString ClientTable::text(int row, int col) const
{
    if (isNull(row, col))
        return {};
    const Column &c = m_columns[size_t(col)];
    switch (c.info.kind) {
    case ColumnKind::Text: {
        const auto s = utf8(row, col);
        return QString::fromUtf8(s.data(), qsizetype(s.size()));
    }
    case ColumnKind::Int32:
    case ColumnKind::Int64: return QString::number(integer(row, col));
    case ColumnKind::Float:
    case ColumnKind::Currency: return QString::number(c.f64[size_t(row)], 'g', 17);
    case ColumnKind::Bool: return c.b[size_t(row)] ? QStringLiteral("True") : QStringLiteral("False");
    case ColumnKind::DateTime: return dateTime(row, col).toString(Qt::ISODateWithMs);
    case ColumnKind::Bytes: return QString::fromLatin1(c.bytes[size_t(row)].toHex());
    }
    return {};
}

QVariant ClientTable::value(int row, int col) const
{
    if (row < 0 || row >= m_rows || col < 0 || col >= columnCount() || isNull(row, col))
        return {};
    const Column &c = m_columns[size_t(col)];
    switch (c.info.kind) {
    case ColumnKind::Text: return text(row, col);
    case ColumnKind::Int32: return QVariant(c.i32[size_t(row)]);
    case ColumnKind::Int64: return QVariant(c.i64[size_t(row)]);
    case ColumnKind::Float:
    case ColumnKind::Currency: return QVariant(c.f64[size_t(row)]);
    case ColumnKind::Bool: return QVariant(c.b[size_t(row)] != 0);
    case ColumnKind::DateTime: return QVariant(dateTime(row, col));
    case ColumnKind::Bytes: return QVariant(c.bytes[size_t(row)]);
    }
    return {};
}

QVariant ClientTable::field(QStringView name) const
{
    const int col = columnIndex(name);
    if (col < 0 || m_current < 0 || m_current >= m_rows)
        return {};
    return value(m_current, col);
}

void ClientTable::setValue(int row, int col, const QVariant &v)
{
    if (row < 0 || row >= m_rows || col < 0 || col >= columnCount())
        return;
    Column &c = m_columns[size_t(col)];
    const bool null = !v.isValid() || v.isNull();
    setNull(c, row, null);
    switch (c.info.kind) {
    case ColumnKind::Text: {
        // Rare (edits of a shown table): rebuild the block with the one cell replaced.
        const QByteArray utf = null ? QByteArray() : v.toString().toUtf8();
        const quint32 begin = row == 0 ? 0 : c.ends[size_t(row) - 1];
        const quint32 oldLen = c.ends[size_t(row)] - begin;
        c.blob.replace(begin, oldLen, utf.constData(), size_t(utf.size()));
        const qint64 delta = qint64(utf.size()) - qint64(oldLen);
        for (size_t r = size_t(row); r < c.ends.size(); ++r)
            c.ends[r] = quint32(qint64(c.ends[r]) + delta);
        break;
    }
    case ColumnKind::Int32: c.i32[size_t(row)] = null ? 0 : v.toInt(); break;
    case ColumnKind::Int64: c.i64[size_t(row)] = null ? 0 : v.toLongLong(); break;
    case ColumnKind::Float:
    case ColumnKind::Currency: c.f64[size_t(row)] = null ? 0 : v.toDouble(); break;
    case ColumnKind::Bool: c.b[size_t(row)] = !null && v.toBool(); break;
    case ColumnKind::DateTime: c.i64[size_t(row)] = null ? 0 : toNaiveMsecs(v.toDateTime()); break;
    case ColumnKind::Bytes: c.bytes[size_t(row)] = null ? QByteArray() : v.toByteArray(); break;
    }
}

int ClientTable::addColumn(ColumnInfo info)
{
    Q_ASSERT(m_rows == 0);
    Column c;
    c.info = std::move(info);
    m_columns.push_back(std::move(c));
    return columnCount() - 1;
}

void ClientTable::reserveRows(int rows)
{
    for (Column &c : m_columns) {
        switch (c.info.kind) {
        case ColumnKind::Text: c.ends.reserve(size_t(rows)); break;
        case ColumnKind::Int32: c.i32.reserve(size_t(rows)); break;
        case ColumnKind::Int64:
        case ColumnKind::DateTime: c.i64.reserve(size_t(rows)); break;
        case ColumnKind::Float:
        case ColumnKind::Currency: c.f64.reserve(size_t(rows)); break;
        case ColumnKind::Bool: c.b.reserve(size_t(rows)); break;
        case ColumnKind::Bytes: c.bytes.reserve(size_t(rows)); break;
        }
    }
}

ClientTable::Column &ClientTable::appendTarget()
{
    Q_ASSERT(m_appendCol < columnCount());
    return m_columns[size_t(m_appendCol++)];
}

void ClientTable::appendNull()
{
    Column &c = appendTarget();
    setNull(c, m_rows, true);
    switch (c.info.kind) {
    case ColumnKind::Text: c.ends.push_back(quint32(c.blob.size())); break;
    case ColumnKind::Int32: c.i32.push_back(0); break;
    case ColumnKind::Int64:
    case ColumnKind::DateTime: c.i64.push_back(0); break;
    case ColumnKind::Float:
    case ColumnKind::Currency: c.f64.push_back(0); break;
    case ColumnKind::Bool: c.b.push_back(0); break;
    case ColumnKind::Bytes: c.bytes.emplace_back(); break;
    }
}

void ClientTable::appendText(std::string_view s)
{
    Column &c = appendTarget();
    if (c.info.kind != ColumnKind::Text) {
        // A numeric column may arrive as text; callers convert first. Keep the shape consistent.
        --m_appendCol;
        appendNull();
        return;
    }
    c.blob.append(s.data(), s.size());
    c.ends.push_back(quint32(c.blob.size()));
}

void ClientTable::appendText(const QString &text)
{
    const QByteArray utf = text.toUtf8();
    appendText(std::string_view(utf.constData(), size_t(utf.size())));
}

void ClientTable::appendInteger(qint64 v)
{
    Column &c = appendTarget();
    switch (c.info.kind) {
    case ColumnKind::Int32: c.i32.push_back(qint32(v)); break;
    case ColumnKind::Int64:
    case ColumnKind::DateTime: c.i64.push_back(v); break;
    case ColumnKind::Float:
    case ColumnKind::Currency: c.f64.push_back(double(v)); break;
    case ColumnKind::Bool: c.b.push_back(v != 0); break;
    case ColumnKind::Text: {
        const std::string s = std::to_string(v);
        c.blob.append(s);
        c.ends.push_back(quint32(c.blob.size()));
        break;
    }
    case ColumnKind::Bytes: c.bytes.emplace_back(); setNull(c, m_rows, true); break;
    }
}

void ClientTable::appendNumber(double v)
{
    Column &c = appendTarget();
    switch (c.info.kind) {
    case ColumnKind::Float:
    case ColumnKind::Currency: c.f64.push_back(v); break;
    case ColumnKind::Int32: c.i32.push_back(qint32(v)); break;
    case ColumnKind::Int64:
    case ColumnKind::DateTime: c.i64.push_back(qint64(v)); break;
    case ColumnKind::Bool: c.b.push_back(v != 0); break;
    case ColumnKind::Text: {
        const QByteArray s = QByteArray::number(v, 'g', 17);
        c.blob.append(s.constData(), size_t(s.size()));
        c.ends.push_back(quint32(c.blob.size()));
        break;
    }
    case ColumnKind::Bytes: c.bytes.emplace_back(); setNull(c, m_rows, true); break;
    }
}

void ClientTable::appendBool(bool v)
{
    Column &c = appendTarget();
    if (c.info.kind == ColumnKind::Bool) {
        c.b.push_back(v);
        return;
    }
    --m_appendCol;
    appendInteger(v ? 1 : 0);
}

void ClientTable::appendDateTimeMsecs(qint64 msecs)
{
    Column &c = appendTarget();
    if (c.info.kind == ColumnKind::DateTime) {
        c.i64.push_back(msecs);
        return;
    }
    --m_appendCol;
    appendNull();
}

void ClientTable::appendBytes(QByteArray v)
{
    Column &c = appendTarget();
    if (c.info.kind == ColumnKind::Bytes) {
        c.bytes.push_back(std::move(v));
        return;
    }
    --m_appendCol;
    appendText(std::string_view(v.constData(), size_t(v.size())));
}

void ClientTable::endRow()
{
    Q_ASSERT(m_appendCol == columnCount());
    m_appendCol = 0;
    ++m_rows;
}

void ClientTable::appendRow(const QVariantList &values)
{
    for (int col = 0; col < columnCount(); ++col) {
        const QVariant v = col < values.size() ? values[col] : QVariant();
        if (!v.isValid() || v.isNull()) {
            appendNull();
            continue;
        }
        switch (column(col).kind) {
        case ColumnKind::Text: appendText(v.toString()); break;
        case ColumnKind::Int32:
        case ColumnKind::Int64: appendInteger(v.toLongLong()); break;
        case ColumnKind::Float:
        case ColumnKind::Currency: appendNumber(v.toDouble()); break;
        case ColumnKind::Bool: appendBool(v.toBool()); break;
        case ColumnKind::DateTime: appendDateTimeMsecs(toNaiveMsecs(v.toDateTime())); break;
        case ColumnKind::Bytes: appendBytes(v.toByteArray()); break;
        }
    }
    endRow();
}

void ClientTable::beginBulk(int rows)
{
    clearRows();
    m_rows = rows;
    const size_t n = size_t(rows);
    for (Column &c : m_columns) {
        switch (c.info.kind) {
        case ColumnKind::Text: c.ends.resize(n); break;
        case ColumnKind::Int32: c.i32.resize(n); break;
        case ColumnKind::Int64:
        case ColumnKind::DateTime: c.i64.resize(n); break;
        case ColumnKind::Float:
        case ColumnKind::Currency: c.f64.resize(n); break;
        case ColumnKind::Bool: c.b.resize(n); break;
        case ColumnKind::Bytes: c.bytes.resize(n); break;
        }
    }
}

void ClientTable::reserveText(int col, std::size_t bytes)
{
    m_columns[size_t(col)].blob.reserve(bytes);
}

void ClientTable::bulkNull(int col, int row)
{
    Column &c = m_columns[size_t(col)];
    setNull(c, row, true);
    if (c.info.kind == ColumnKind::Text)
        c.ends[size_t(row)] = quint32(c.blob.size());
}

void ClientTable::bulkText(int col, int row, std::string_view s)
{
    Column &c = m_columns[size_t(col)];
    c.blob.append(s.data(), s.size());
    c.ends[size_t(row)] = quint32(c.blob.size());
}

void ClientTable::bulkInteger(int col, int row, qint64 v)
{
    Column &c = m_columns[size_t(col)];
    switch (c.info.kind) {
    case ColumnKind::Int32: c.i32[size_t(row)] = qint32(v); break;
    case ColumnKind::Int64:
    case ColumnKind::DateTime: c.i64[size_t(row)] = v; break;
    case ColumnKind::Float:
    case ColumnKind::Currency: c.f64[size_t(row)] = double(v); break;
    case ColumnKind::Bool: c.b[size_t(row)] = v != 0; break;
    case ColumnKind::Text:
    case ColumnKind::Bytes: bulkNull(col, row); break;
    }
}

void ClientTable::bulkNumber(int col, int row, double v)
{
    Column &c = m_columns[size_t(col)];
    if (c.info.kind == ColumnKind::Float || c.info.kind == ColumnKind::Currency)
        c.f64[size_t(row)] = v;
    else
        bulkInteger(col, row, qint64(v));
}

void ClientTable::bulkBool(int col, int row, bool v)
{
    bulkInteger(col, row, v ? 1 : 0);
}

void ClientTable::bulkDateTimeMsecs(int col, int row, qint64 msecs)
{
    bulkInteger(col, row, msecs);
}

void ClientTable::bulkBytes(int col, int row, QByteArray v)
{
    Column &c = m_columns[size_t(col)];
    if (c.info.kind == ColumnKind::Bytes)
        c.bytes[size_t(row)] = std::move(v);
    else
        bulkNull(col, row);
}

ClientTable::RawColumn ClientTable::raw(int col) const
{
    const Column &c = m_columns[size_t(col)];
    RawColumn r;
    r.nulls = c.nulls.data();
    r.nullBytes = c.nulls.size();
    r.i32 = c.i32.data();
    r.i64 = c.i64.data();
    r.f64 = c.f64.data();
    r.b = c.b.data();
    r.blob = c.blob.data();
    r.ends = c.ends.data();
    return r;
}

std::size_t ClientTable::estimatedJsonBytes() const
{
    std::size_t total = 64 + m_columns.size() * 96;
    for (const Column &c : m_columns) {
        switch (c.info.kind) {
        case ColumnKind::Text: total += c.blob.size() + c.blob.size() / 8 + size_t(m_rows) * 3; break;
        case ColumnKind::Bytes:
            for (const QByteArray &b : c.bytes)
                total += size_t(b.size()) * 4 + 3;
            break;
        default: total += size_t(m_rows) * 26;
        }
    }
    return total;
}

void ClientTable::clear()
{
    m_columns.clear();
    m_rows = 0;
    m_appendCol = 0;
    m_current = -1;
}

void ClientTable::clearRows()
{
    for (Column &c : m_columns) {
        ColumnInfo info = std::move(c.info);
        c = Column();
        c.info = std::move(info);
    }
    m_rows = 0;
    m_appendCol = 0;
    m_current = -1;
}

void ClientTable::setCurrentRow(int row)
{
    m_current = row < 0 ? -1 : std::min(row, m_rows);
}

bool ClientTable::first()
{
    m_current = m_rows > 0 ? 0 : -1;
    return m_rows > 0;
}

bool ClientTable::next()
{
    if (m_current < m_rows)
        ++m_current;
    return m_current < m_rows;
}

void ClientTable::applyMoneyFormat()
{
    for (Column &c : m_columns)
        c.info.moneyFormat = c.info.kind == ColumnKind::Float;
}

std::size_t ClientTable::memoryBytes() const
{
    std::size_t total = sizeof(*this);
    for (const Column &c : m_columns) {
        total += sizeof(Column) + c.nulls.capacity() + c.i32.capacity() * 4 + c.i64.capacity() * 8
                 + c.f64.capacity() * 8 + c.b.capacity() + c.blob.capacity() + c.ends.capacity() * 4;
        for (const QByteArray &b : c.bytes)
            total += sizeof(QByteArray) + size_t(b.capacity());
    }
    return total;
}

} // namespace Protocol
