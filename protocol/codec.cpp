#include "codec.h"

#include "jsondates.h"
#include "jsonwriter.h"
#include "marshal.h"
#include "tablejson.h"

#include <simdjson.h>

#include <QTimeZone>

#include <algorithm>
#include <cmath>
#include <type_traits>

namespace Protocol {

namespace {

using namespace simdjson;

Error malformed(const QString &what)
{
    return Error{QStringLiteral("Sunucu cevabı bozuk: ") + what};
}

QString opName(const Operation &op)
{
    return QString::fromLatin1(op.name.data(), qsizetype(op.name.size()));
}

void writeValue(std::string &out, const Value &value)
{
    std::visit(
        [&](const auto &v) {
            using T = std::decay_t<decltype(v)>;
            if constexpr (std::is_same_v<T, std::monostate>) {
                out += "null";
            } else if constexpr (std::is_same_v<T, QString>) {
                Json::appendEscaped(out, v);
            } else if constexpr (std::is_same_v<T, qint32> || std::is_same_v<T, qint64>) {
                Json::appendInt(out, v);
            } else if constexpr (std::is_same_v<T, double>) {
                Json::appendDouble17(out, v);
            } else if constexpr (std::is_same_v<T, bool>) {
                Json::appendBool(out, v);
            } else if constexpr (std::is_same_v<T, ClientTable>) {
                writeTable(out, v);
            } else if constexpr (std::is_same_v<T, Stream>) {
                out += '[';
                const QByteArray &b = v.bytes;
                out.reserve(out.size() + size_t(b.size()) * 4 + 2);
                for (qsizetype i = 0; i < b.size(); ++i) {
                    if (i)
                        out += ',';
                    const unsigned char c = static_cast<unsigned char>(b[i]);
                    if (c >= 100)
                        out += char('0' + c / 100);
                    if (c >= 10)
                        out += char('0' + c / 10 % 10);
                    out += char('0' + c % 10);
                }
                out += ']';
            } else {
                writeObject(out, value);
            }
        },
        value);
}

bool readInt64(const dom::element &v, int64_t &out)
{
    if (!v.get_int64().get(out))
        return true;
    double d = 0;
    if (!v.get_double().get(d) && std::isfinite(d) && d == std::trunc(d) && std::fabs(d) < 9.2e18) {
        out = int64_t(d);
        return true;
    }
    return false;
}

bool readInt32(const dom::element &v, qint32 &out)
{
    int64_t i = 0;
    if (!readInt64(v, i) || i < INT32_MIN || i > INT32_MAX)
        return false;
    out = qint32(i);
    return true;
}

bool readText(const dom::element &v, QString &out)
{
    if (v.is_null()) {
        out.clear();
        return true;
    }
    std::string_view s;
    if (v.get_string().get(s))
        return false;
    out = QString::fromUtf8(s.data(), qsizetype(s.size()));
    return true;
}

Expected<QByteArray> readStreamBytes(const dom::element &v)
{
    if (v.is_null())
        return QByteArray();
    dom::array arr;
    if (v.get_array().get(arr))
        return malformed(QStringLiteral("akış bir bayt dizisi değil"));
    QByteArray bytes;
    bytes.reserve(qsizetype(arr.size()));
    for (dom::element e : arr) {
        int64_t b = 0;
        if (e.get_int64().get(b) || b < 0 || b > 255)
            return malformed(QStringLiteral("akışta geçersiz bayt"));
        bytes.append(char(b));
    }
    return bytes;
}

// Parses body into root. simdjson reads past the end in blocks, so the body is copied into a
// padded buffer; buffer and parser are kept per thread, as a fresh 25 MB parser per answer
// costs more in page faults than the parse itself. The root lives until the thread's next parse.
error_code parseBody(std::string_view body, dom::element &root)
{
    thread_local dom::parser parser;
    thread_local std::vector<char> buffer;
    if (buffer.size() < body.size() + SIMDJSON_PADDING)
        buffer.resize(body.size() + SIMDJSON_PADDING);
    std::copy(body.begin(), body.end(), buffer.begin());
    std::fill_n(buffer.begin() + std::ptrdiff_t(body.size()), SIMDJSON_PADDING, '\0');
    return parser.parse(buffer.data(), body.size(), false).get(root);
}

} // namespace

std::string methodPath(std::string_view context, const Operation &op)
{
    std::string path = "/";
    path += context;
    if (path.back() != '/')
        path += '/';
    path += "rest/TServerMethods1/%22";
    path += op.name;
    path += "%22/";
    return path;
}

Expected<std::string> encodeRequest(const Operation &op, const std::vector<Value> &inputs)
{
    if (int(inputs.size()) != op.inputCount())
        return Error{QStringLiteral("%1: %2 parametre bekleniyordu, %3 verildi")
                         .arg(opName(op))
                         .arg(op.inputCount())
                         .arg(inputs.size())};
    std::string out = "{\"_parameters\":[";
    size_t i = 0;
    for (const Parameter &p : op.params) {
        if (p.kind == ParamKind::OutInt64)
            continue;
        const Value &v = inputs[i];
        bool ok = false;
        switch (p.kind) {
        case ParamKind::Text: ok = std::holds_alternative<QString>(v); break;
        case ParamKind::Int32: ok = std::holds_alternative<qint32>(v); break;
        case ParamKind::Double: ok = std::holds_alternative<double>(v); break;
        case ParamKind::Session:
            ok = std::holds_alternative<TSonucBilgisi>(v) || std::holds_alternative<std::monostate>(v);
            break;
        case ParamKind::OutInt64: break;
        }
        if (!ok)
            return Error{QStringLiteral("%1: %2 parametresinin türü yanlış").arg(opName(op), QLatin1StringView(p.name.data(), qsizetype(p.name.size())))};
        if (i)
            out += ',';
        writeValue(out, v);
        ++i;
    }
    out += "]}";
    return out;
}

Expected<std::vector<Value>> decodeResponse(const Operation &op, std::string_view body)
{
    dom::element root;
    if (auto err = parseBody(body, root))
        return malformed(QString::fromUtf8(error_message(err)));
    dom::array result;
    if (root.at_key("result").get_array().get(result))
        return malformed(QStringLiteral("\"result\" dizisi yok"));
    const size_t expected = size_t(op.outputCount()) + (op.result == ResultKind::None ? 0 : 1);
    if (result.size() != expected)
        return malformed(QStringLiteral("%1 için %2 değer bekleniyordu, %3 geldi")
                             .arg(opName(op))
                             .arg(expected)
                             .arg(result.size()));

    std::vector<Value> values;
    values.reserve(expected);
    auto it = result.begin();
    qint64 announced = 0;
    for (int i = 0; i < op.outputCount(); ++i, ++it) {
        int64_t n = 0;
        if (!readInt64(*it, n))
            return malformed(QStringLiteral("boyut bir sayı değil"));
        announced = n;
        values.emplace_back(qint64(n));
    }
    if (op.result == ResultKind::None)
        return values;

    const dom::element v = *it;
    switch (op.result) {
    case ResultKind::None: break;
    case ResultKind::Text: {
        QString s;
        if (!readText(v, s))
            return malformed(QStringLiteral("metin bekleniyordu"));
        values.emplace_back(std::move(s));
        break;
    }
    case ResultKind::Int32: {
        qint32 n = 0;
        if (!readInt32(v, n))
            return malformed(QStringLiteral("tamsayı bekleniyordu"));
        values.emplace_back(n);
        break;
    }
    case ResultKind::Bool: {
        bool b = false;
        if (v.get_bool().get(b))
            return malformed(QStringLiteral("mantıksal değer bekleniyordu"));
        values.emplace_back(b);
        break;
    }
    case ResultKind::TableReader:
    case ResultKind::DataPacket: {
        auto table = tableFromElement(v);
        if (!table)
            return table.error();
        values.emplace_back(std::move(*table));
        break;
    }
    case ResultKind::Stream: {
        auto bytes = readStreamBytes(v);
        if (!bytes)
            return bytes.error();
        values.emplace_back(Stream{announced, std::move(*bytes)});
        break;
    }
    case ResultKind::Object: {
        auto obj = readObject(v, op.objectType);
        if (!obj)
            return obj.error();
        values.push_back(std::move(*obj));
        break;
    }
    }
    return values;
}

ErrorAnswer decodeErrorAnswer(int httpStatus, std::string_view body)
{
    ErrorAnswer answer;
    dom::element root;
    std::string_view text;
    if (!parseBody(body, root) && root.is_object()) {
        if (!root.at_key("SessionExpired").get_string().get(text)) {
            answer.kind = ErrorAnswer::Kind::SessionExpired;
            answer.message = QString::fromUtf8(text.data(), qsizetype(text.size()));
            return answer;
        }
        if (root.at_key("SessionExpired").error() == SUCCESS) {
            answer.kind = ErrorAnswer::Kind::SessionExpired;
            return answer;
        }
        if (!root.at_key("error").get_string().get(text)) {
            answer.kind = ErrorAnswer::Kind::Raised;
            answer.message = QString::fromUtf8(text.data(), qsizetype(text.size()));
            return answer;
        }
    }
    answer.kind = ErrorAnswer::Kind::Other;
    answer.message = QStringLiteral("Sunucu beklenmeyen bir cevap verdi (HTTP %1)").arg(httpStatus);
    return answer;
}

Expected<std::vector<Value>> decodeRequest(const Operation &op, std::string_view body)
{
    dom::element root;
    if (auto err = parseBody(body, root))
        return Error{QStringLiteral("Geçersiz istek: ") + QString::fromUtf8(error_message(err))};
    dom::array params;
    if (root.at_key("_parameters").get_array().get(params))
        return Error{QStringLiteral("Geçersiz istek: \"_parameters\" dizisi yok")};
    if (params.size() != size_t(op.inputCount()))
        return Error{QStringLiteral("%1: %2 parametre bekleniyordu, %3 geldi")
                         .arg(opName(op))
                         .arg(op.inputCount())
                         .arg(params.size())};
    std::vector<Value> values;
    values.reserve(params.size());
    auto it = params.begin();
    for (const Parameter &p : op.params) {
        if (p.kind == ParamKind::OutInt64)
            continue;
        const dom::element v = *it;
        ++it;
        const QString pname = QLatin1StringView(p.name.data(), qsizetype(p.name.size()));
        const Error wrongKind{QStringLiteral("%1: %2 parametresinin türü yanlış").arg(opName(op), pname)};
        switch (p.kind) {
        case ParamKind::Text: {
            QString s;
            if (!readText(v, s))
                return wrongKind;
            values.emplace_back(std::move(s));
            break;
        }
        case ParamKind::Int32: {
            qint32 n = 0;
            if (!readInt32(v, n))
                return wrongKind;
            values.emplace_back(n);
            break;
        }
        case ParamKind::Double: {
            double d = 0;
            if (v.get_double().get(d) || !std::isfinite(d))
                return wrongKind;
            values.emplace_back(d);
            break;
        }
        case ParamKind::Session: {
            auto obj = readObject(v, TSonucBilgisi::typeName);
            if (!obj)
                return Error{QStringLiteral("%1: %2 parametresi okunamadı: %3").arg(opName(op), pname, obj.error().message)};
            values.push_back(std::move(*obj));
            break;
        }
        case ParamKind::OutInt64: break;
        }
    }
    return values;
}

// The most room a thread keeps for writing answers (a 100,000-row list's worst case is ~60 MB).
constexpr size_t kKeptScratchBytes = size_t(128) << 20;

std::string encodeResponse(const Operation &, const std::vector<Value> &outputs)
{
    // Written into a buffer the thread keeps, sized for the worst case, then copied out at its
    // exact size: the worst case of a long list is far larger than the answer, and a block
    // that large would come fresh from the system (and be touched page by page) every time.
    thread_local std::string out;
    out.clear();
    size_t guess = 32;
    for (const Value &v : outputs) {
        if (const auto *t = std::get_if<ClientTable>(&v))
            guess += tableJsonBound(*t);
        else if (const auto *st = std::get_if<Stream>(&v))
            guess += size_t(st->bytes.size()) * 4;
    }
    out.reserve(guess);
    out += "{\"result\":[";
    for (size_t i = 0; i < outputs.size(); ++i) {
        if (i)
            out += ',';
        writeValue(out, outputs[i]);
    }
    out += "]}";
    std::string answer(out);
    if (out.capacity() > kKeptScratchBytes)
        std::string().swap(out); // an exceptionally long answer's room is not kept
    return answer;
}

std::string encodeError(const QString &message)
{
    std::string out = "{\"error\":";
    Json::appendEscaped(out, message);
    out += '}';
    return out;
}

std::string encodeSessionExpired(const QString &message)
{
    std::string out = "{\"SessionExpired\":";
    Json::appendEscaped(out, message);
    out += '}';
    return out;
}

double toOleDate(const QDateTime &dt)
{
    const qint64 ms = toNaiveMsecs(dt) - Dates::daysFromCivil(1899, 12, 30) * 86'400'000;
    // Before day zero the platform counts the fraction away from zero as well.
    const qint64 days = ms >= 0 ? ms / 86'400'000 : -((-ms + 86'399'999) / 86'400'000);
    const qint64 rest = ms - days * 86'400'000;
    return days >= 0 ? double(days) + double(rest) / 86'400'000.0 : double(days) - double(rest) / 86'400'000.0;
}

QDateTime fromOleDate(double days)
{
    if (!std::isfinite(days) || std::fabs(days) > 3e6)
        return {};
    const double whole = std::trunc(days);
    const qint64 fractionMs = qint64(std::llround(std::fabs(days - whole) * 86'400'000.0));
    const qint64 ms = (qint64(whole) + Dates::daysFromCivil(1899, 12, 30)) * 86'400'000 + fractionMs;
    return fromNaiveMsecs(ms);
}

} // namespace Protocol
