#include "tablejson.h"

#include "jsondates.h"
#include "jsonwriter.h"

#include <simdjson.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <memory>
#include <vector>
#include <cstring>

namespace Protocol {

namespace {

using namespace simdjson;

void writeCell(std::string &out, const ClientTable &t, int row, int col)
{
    if (t.isNull(row, col)) {
        out += "null";
        return;
    }
    const ColumnInfo &info = t.column(col);
    switch (info.kind) {
    case ColumnKind::Text: Json::appendEscaped(out, t.utf8(row, col)); break;
    case ColumnKind::Int32:
    case ColumnKind::Int64: Json::appendInt(out, t.integer(row, col)); break;
    case ColumnKind::Float:
    case ColumnKind::Currency: Json::appendDouble(out, t.number(row, col)); break;
    case ColumnKind::Bool: Json::appendBool(out, t.boolean(row, col)); break;
    case ColumnKind::DateTime:
        out += '"';
        Dates::append(out, t.dateTimeMsecs(row, col), info.typeCode);
        out += '"';
        break;
    case ColumnKind::Bytes: {
        const QByteArray b = t.bytes(row, col);
        out += '[';
        for (qsizetype i = 0; i < b.size(); ++i) {
            if (i)
                out += ',';
            Json::appendInt(out, static_cast<unsigned char>(b[i]));
        }
        out += ']';
        break;
    }
    }
}

bool kindOfTypeCode(int64_t code, ColumnKind &kind)
{
    switch (code) {
    case 1:
    case 26: kind = ColumnKind::Text; return true;
    case 5:
    case 6:
    case 12:
    case 13:
    case 28:
    case 29: kind = ColumnKind::Int32; return true;
    case 18:
    case 19: kind = ColumnKind::Int64; return true;
    case 7:
    case 27: kind = ColumnKind::Float; return true;
    case 25:
    case 8: kind = ColumnKind::Currency; return true;
    case 4: kind = ColumnKind::Bool; return true;
    case 2:
    case 10:
    case 11:
    case 24: kind = ColumnKind::DateTime; return true;
    case 3:
    case 9:
    case 15:
    case 33: kind = ColumnKind::Bytes; return true;
    default: return false;
    }
}

Error malformed(const QString &what)
{
    return Error{QStringLiteral("Sunucu cevabı bozuk: ") + what};
}

QString name(std::string_view s)
{
    return QString::fromUtf8(s.data(), qsizetype(s.size()));
}

// Reads a number that may be written as a string (numeric columns accept both).
bool readNumber(const dom::element &v, double &out)
{
    switch (v.type()) {
    case dom::element_type::INT64: out = double(int64_t(v)); return true;
    case dom::element_type::UINT64: out = double(uint64_t(v)); return true;
    case dom::element_type::DOUBLE: out = double(v); return true;
    case dom::element_type::STRING: {
        const std::string_view s = v.get_string().value_unsafe();
        const auto res = std::from_chars(s.data(), s.data() + s.size(), out);
        return res.ec == std::errc() && res.ptr == s.data() + s.size();
    }
    default: return false;
    }
}

bool readInteger(const dom::element &v, int64_t &out)
{
    switch (v.type()) {
    case dom::element_type::INT64: out = int64_t(v); return true;
    case dom::element_type::UINT64: out = int64_t(uint64_t(v)); return true;
    case dom::element_type::DOUBLE: {
        const double d = double(v);
        out = int64_t(d);
        return double(out) == d;
    }
    case dom::element_type::STRING: {
        const std::string_view s = v.get_string().value_unsafe();
        const auto res = std::from_chars(s.data(), s.data() + s.size(), out);
        return res.ec == std::errc() && res.ptr == s.data() + s.size();
    }
    default: return false;
    }
}

// Sets one cell; false when the value has the wrong kind.
bool readCell(ClientTable &t, int col, int row, ColumnKind kind, int typeCode, const dom::element &v)
{
    if (v.is_null()) {
        t.bulkNull(col, row);
        return true;
    }
    switch (kind) {
    case ColumnKind::Text: {
        std::string_view s;
        if (v.get_string().get(s))
            return false;
        t.bulkText(col, row, s);
        return true;
    }
    case ColumnKind::Int32:
    case ColumnKind::Int64: {
        int64_t i = 0;
        if (!readInteger(v, i))
            return false;
        if (kind == ColumnKind::Int32 && (i < INT32_MIN || i > INT32_MAX) && typeCode != 13)
            return false;
        t.bulkInteger(col, row, i);
        return true;
    }
    case ColumnKind::Float:
    case ColumnKind::Currency: {
        double d = 0;
        if (!readNumber(v, d))
            return false;
        t.bulkNumber(col, row, d);
        return true;
    }
    case ColumnKind::Bool: {
        bool b = false;
        if (v.get_bool().get(b))
            return false;
        t.bulkBool(col, row, b);
        return true;
    }
    case ColumnKind::DateTime: {
        std::string_view s;
        qint64 msecs = 0;
        if (v.get_string().get(s) || !Dates::parse(s, msecs))
            return false;
        t.bulkDateTimeMsecs(col, row, msecs);
        return true;
    }
    case ColumnKind::Bytes: {
        if (v.is_string()) {
            const std::string_view s = v.get_string().value_unsafe();
            t.bulkBytes(col, row, QByteArray(s.data(), qsizetype(s.size())));
            return true;
        }
        dom::array arr;
        if (v.get_array().get(arr))
            return false;
        QByteArray bytes;
        bytes.reserve(qsizetype(arr.size()));
        for (dom::element b : arr) {
            int64_t x = 0;
            if (b.get_int64().get(x) || x < 0 || x > 255)
                return false;
            bytes.append(char(x));
        }
        t.bulkBytes(col, row, std::move(bytes));
        return true;
    }
    }
    return false;
}

} // namespace

namespace {

// Writes one column's values at p; the caller has made room for the worst case.
char *writeEscapedRaw(char *p, std::string_view s)
{
    static constexpr char hex[] = "0123456789abcdef";
    *p++ = '"';
    size_t run = 0;
    for (size_t i = 0; i < s.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        if (c >= 0x20 && c != '"' && c != '\\')
            continue;
        std::memcpy(p, s.data() + run, i - run);
        p += i - run;
        run = i + 1;
        *p++ = '\\';
        switch (c) {
        case '"': *p++ = '"'; break;
        case '\\': *p++ = '\\'; break;
        case '\n': *p++ = 'n'; break;
        case '\r': *p++ = 'r'; break;
        case '\t': *p++ = 't'; break;
        default:
            *p++ = 'u';
            *p++ = '0';
            *p++ = '0';
            *p++ = hex[c >> 4];
            *p++ = hex[c & 15];
        }
    }
    std::memcpy(p, s.data() + run, s.size() - run);
    p += s.size() - run;
    *p++ = '"';
    return p;
}

size_t columnBound(const ClientTable &t, int col)
{
    const size_t rows = size_t(t.rowCount());
    switch (t.column(col).kind) {
    case ColumnKind::Text: {
        // Exact: every byte once, five more for each that needs a \u escape, quotes and commas.
        size_t bytes = 0;
        for (int r = 0; r < t.rowCount(); ++r) {
            const std::string_view s = t.utf8(r, col);
            bytes += s.size();
            for (const char ch : s)
                bytes += static_cast<unsigned char>(ch) < 0x20 || ch == '"' || ch == '\\' ? 5 : 0;
        }
        return bytes + rows * 7 + 16;
    }
    case ColumnKind::Bytes: {
        size_t bytes = 0;
        for (int r = 0; r < t.rowCount(); ++r)
            bytes += size_t(t.bytes(r, col).size()) * 4 + 5;
        return bytes + 16;
    }
    default: return rows * 26 + 16; // to_chars needs at most 24 characters, plus the comma
    }
}

} // namespace

std::size_t tableJsonBound(const ClientTable &t)
{
    std::size_t total = 64;
    for (int c = 0; c < t.columnCount(); ++c)
        total += 128 + size_t(t.column(c).name.size()) * 12 + columnBound(t, c);
    return total;
}

namespace {

char *writeNull(char *p)
{
    std::memcpy(p, "null", 4);
    return p + 4;
}

// One loop per kind over the column's own storage: no per-cell dispatch.
char *writeColumnValues(char *p, const ClientTable &t, int col)
{
    const ColumnKind kind = t.column(col).kind;
    const int rows = t.rowCount();
    const ClientTable::RawColumn c = t.raw(col);
    switch (kind) {
    case ColumnKind::Text: {
        quint32 begin = 0;
        for (int r = 0; r < rows; ++r) {
            if (r)
                *p++ = ',';
            const quint32 end = c.ends[r];
            p = c.isNull(r) ? writeNull(p) : writeEscapedRaw(p, std::string_view(c.blob + begin, end - begin));
            begin = end;
        }
        return p;
    }
    case ColumnKind::Int32:
        for (int r = 0; r < rows; ++r) {
            if (r)
                *p++ = ',';
            p = c.isNull(r) ? writeNull(p) : std::to_chars(p, p + 12, c.i32[r]).ptr;
        }
        return p;
    case ColumnKind::Int64:
        for (int r = 0; r < rows; ++r) {
            if (r)
                *p++ = ',';
            p = c.isNull(r) ? writeNull(p) : std::to_chars(p, p + 24, c.i64[r]).ptr;
        }
        return p;
    case ColumnKind::Float:
    case ColumnKind::Currency:
        for (int r = 0; r < rows; ++r) {
            if (r)
                *p++ = ',';
            const double d = c.f64[r];
            p = c.isNull(r) || !std::isfinite(d) ? writeNull(p) : Json::writeDouble(p, d);
        }
        return p;
    case ColumnKind::Bool:
        for (int r = 0; r < rows; ++r) {
            if (r)
                *p++ = ',';
            if (c.isNull(r)) {
                p = writeNull(p);
            } else if (c.b[r]) {
                std::memcpy(p, "true", 4);
                p += 4;
            } else {
                std::memcpy(p, "false", 5);
                p += 5;
            }
        }
        return p;
    case ColumnKind::DateTime:
    case ColumnKind::Bytes: {
        std::string cell;
        for (int r = 0; r < rows; ++r) {
            if (r)
                *p++ = ',';
            cell.clear();
            writeCell(cell, t, r, col);
            std::memcpy(p, cell.data(), cell.size());
            p += cell.size();
        }
        return p;
    }
    }
    return p;
}

} // namespace

void writeTable(std::string &out, const ClientTable &t)
{
    const int cols = t.columnCount();
    out += "{\"table\":[";
    for (int c = 0; c < cols; ++c) {
        const ColumnInfo &info = t.column(c);
        if (c)
            out += ',';
        out += '[';
        Json::appendEscaped(out, info.name);
        out += ',';
        Json::appendInt(out, info.typeCode);
        out += ',';
        Json::appendInt(out, c);
        out += ",0,";
        Json::appendInt(out, info.scale);
        out += ',';
        Json::appendInt(out, info.size);
        out += ',';
        Json::appendInt(out, info.precision);
        out += ",0,";
        Json::appendBool(out, info.nullable);
        out += ",false,0,false,false]";
    }
    out += ']';
    std::size_t bound = 16;
    std::vector<std::size_t> bounds(static_cast<size_t>(cols));
    for (int c = 0; c < cols; ++c) {
        bounds[size_t(c)] = columnBound(t, c);
        bound += bounds[size_t(c)] + 8 + size_t(t.column(c).name.size()) * 12;
    }
    out.reserve(out.size() + bound);
    // Each column is formatted through a pointer into a per-thread scratch buffer with room for
    // its worst case, then appended once: appending character by character to a std::string,
    // or zero-filling the worst case inside it, costs more than the formatting itself.
    thread_local std::unique_ptr<char[]> scratch;
    thread_local std::size_t scratchSize = 0;
    for (int c = 0; c < cols; ++c) {
        out += ',';
        Json::appendEscaped(out, t.column(c).name);
        out += ":[";
        if (scratchSize < bounds[size_t(c)]) {
            scratchSize = std::max(bounds[size_t(c)], scratchSize * 2);
            scratch.reset(new char[scratchSize]);
        }
        const char *end = writeColumnValues(scratch.get(), t, c);
        out.append(scratch.get(), size_t(end - scratch.get()));
        out += ']';
    }
    out += '}';
}

std::string tableToJson(const ClientTable &table)
{
    std::string out;
    out.reserve(tableJsonBound(table));
    writeTable(out, table);
    return out;
}

Expected<ClientTable> tableFromElement(const dom::element &element)
{
    dom::object obj;
    if (element.get_object().get(obj))
        return malformed(QStringLiteral("tablo bir nesne değil"));
    dom::array meta;
    if (obj.at_key("table").get_array().get(meta))
        return malformed(QStringLiteral("\"table\" üyesi yok"));

    ClientTable table;
    for (dom::element m : meta) {
        dom::array item;
        if (m.get_array().get(item) || item.size() < 2)
            return malformed(QStringLiteral("sütun tanımı geçersiz"));
        std::string_view colName;
        int64_t code = 0;
        if (item.at(0).get_string().get(colName) || item.at(1).get_int64().get(code))
            return malformed(QStringLiteral("sütun tanımı geçersiz"));
        ColumnInfo info;
        info.name = name(colName);
        if (!kindOfTypeCode(code, info.kind))
            return malformed(QStringLiteral("bilinmeyen sütun tipi %1 (%2)").arg(code).arg(info.name));
        info.typeCode = int(code);
        int64_t n = 0;
        if (item.size() > 4 && !item.at(4).get_int64().get(n))
            info.scale = qint16(static_cast<uint16_t>(n)); // a signed 16-bit value on the wire
        if (item.size() > 5 && !item.at(5).get_int64().get(n))
            info.size = int(n);
        if (item.size() > 6 && !item.at(6).get_int64().get(n))
            info.precision = int(n);
        bool nullable = true;
        if (item.size() > 8 && !item.at(8).get_bool().get(nullable))
            info.nullable = nullable;
        table.addColumn(std::move(info));
    }

    const int cols = table.columnCount();
    std::vector<dom::array> data(static_cast<size_t>(cols));
    std::vector<bool> seen(static_cast<size_t>(cols), false);
    for (dom::key_value_pair kv : obj) {
        if (kv.key == "table")
            continue;
        const int c = table.columnIndex(name(kv.key));
        if (c < 0)
            continue; // members that name no column carry nothing for us
        if (kv.value.get_array().get(data[size_t(c)]))
            return malformed(QStringLiteral("%1 sütunu bir dizi değil").arg(table.column(c).name));
        seen[size_t(c)] = true;
    }
    size_t rows = 0;
    for (int c = 0; c < cols; ++c) {
        if (!seen[size_t(c)])
            return malformed(QStringLiteral("%1 sütununun değerleri yok").arg(table.column(c).name));
        if (c == 0)
            rows = data[0].size();
        else if (data[size_t(c)].size() != rows)
            return malformed(QStringLiteral("sütun uzunlukları farklı"));
    }
    if (rows > size_t(INT32_MAX))
        return malformed(QStringLiteral("çok fazla satır"));

    // The JSON is column-major, so is the table: fill one column at a time.
    table.beginBulk(int(rows));
    for (int c = 0; c < cols; ++c) {
        const dom::array &values = data[size_t(c)];
        const ColumnKind kind = table.column(c).kind;
        const int code = table.column(c).typeCode;
        if (kind == ColumnKind::Text) {
            size_t bytes = 0;
            for (dom::element v : values) {
                std::string_view s;
                if (!v.get_string().get(s))
                    bytes += s.size();
            }
            table.reserveText(c, bytes);
        }
        int r = 0;
        for (dom::element v : values) {
            if (!readCell(table, c, r, kind, code, v)) {
                return malformed(QStringLiteral("%1 sütununda %2. satırda yanlış türde değer")
                                     .arg(table.column(c).name)
                                     .arg(r + 1));
            }
            ++r;
        }
    }
    return table;
}

Expected<ClientTable> tableFromJson(std::string_view json)
{
    dom::parser parser;
    dom::element root;
    if (auto err = parser.parse(json.data(), json.size(), true).get(root))
        return malformed(QString::fromUtf8(error_message(err)));
    return tableFromElement(root);
}

} // namespace Protocol
