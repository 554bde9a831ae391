#include "tablejson.h"

#include "jsondates.h"
#include "jsonwriter.h"

#include <simdjson.h>

#include <charconv>

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

// Appends one column's values; false when a value has the wrong kind.
bool readCell(ClientTable &t, ColumnKind kind, int typeCode, const dom::element &v)
{
    if (v.is_null()) {
        t.appendNull();
        return true;
    }
    switch (kind) {
    case ColumnKind::Text: {
        if (!v.is_string())
            return false;
        t.appendText(v.get_string().value_unsafe());
        return true;
    }
    case ColumnKind::Int32:
    case ColumnKind::Int64: {
        int64_t i = 0;
        if (!readInteger(v, i))
            return false;
        if (kind == ColumnKind::Int32 && (i < INT32_MIN || i > INT32_MAX) && typeCode != 13)
            return false;
        t.appendInteger(i);
        return true;
    }
    case ColumnKind::Float:
    case ColumnKind::Currency: {
        double d = 0;
        if (!readNumber(v, d))
            return false;
        t.appendNumber(d);
        return true;
    }
    case ColumnKind::Bool: {
        if (!v.is_bool())
            return false;
        t.appendBool(bool(v));
        return true;
    }
    case ColumnKind::DateTime: {
        if (!v.is_string())
            return false;
        qint64 msecs = 0;
        if (!Dates::parse(v.get_string().value_unsafe(), msecs))
            return false;
        t.appendDateTimeMsecs(msecs);
        return true;
    }
    case ColumnKind::Bytes: {
        if (v.is_string()) {
            const std::string_view s = v.get_string().value_unsafe();
            t.appendBytes(QByteArray(s.data(), qsizetype(s.size())));
            return true;
        }
        if (!v.is_array())
            return false;
        QByteArray bytes;
        for (dom::element b : dom::array(v)) {
            int64_t x = 0;
            if (!b.is_int64() || (x = int64_t(b)) < 0 || x > 255)
                return false;
            bytes.append(char(x));
        }
        t.appendBytes(std::move(bytes));
        return true;
    }
    }
    return false;
}

} // namespace

void writeTable(std::string &out, const ClientTable &t)
{
    const int cols = t.columnCount();
    const int rows = t.rowCount();
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
    for (int c = 0; c < cols; ++c) {
        out += ',';
        Json::appendEscaped(out, t.column(c).name);
        out += ":[";
        for (int r = 0; r < rows; ++r) {
            if (r)
                out += ',';
            writeCell(out, t, r, c);
        }
        out += ']';
    }
    out += '}';
}

std::string tableToJson(const ClientTable &table)
{
    std::string out;
    out.reserve(size_t(table.rowCount()) * size_t(table.columnCount()) * 8 + 256);
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

    // Row-major appends over column-major JSON: walk every column array in step.
    table.reserveRows(int(rows));
    std::vector<dom::array::iterator> it(static_cast<size_t>(cols));
    std::vector<ColumnKind> kinds(static_cast<size_t>(cols));
    std::vector<int> codes(static_cast<size_t>(cols));
    for (int c = 0; c < cols; ++c) {
        it[size_t(c)] = data[size_t(c)].begin();
        kinds[size_t(c)] = table.column(c).kind;
        codes[size_t(c)] = table.column(c).typeCode;
    }
    for (size_t r = 0; r < rows; ++r) {
        for (int c = 0; c < cols; ++c) {
            auto &i = it[size_t(c)];
            if (!readCell(table, kinds[size_t(c)], codes[size_t(c)], *i)) {
                return malformed(QStringLiteral("%1 sütununda %2. satırda yanlış türde değer")
                                     .arg(table.column(c).name)
                                     .arg(r + 1));
            }
            ++i;
        }
        table.endRow();
    }
    return table;
}

Expected<ClientTable> tableFromJson(std::string_view json)
{
    dom::parser parser;
    dom::element root;
    if (auto err = parser.parse(json.data(), json.size()).get(root))
        return malformed(QString::fromUtf8(error_message(err)));
    return tableFromElement(root);
}

} // namespace Protocol
