#include "marshal.h"

#include "jsonwriter.h"

#include <simdjson.h>

#include <map>
#include <type_traits>

namespace Protocol {

namespace {

using namespace simdjson;

template<typename>
inline constexpr bool kAlwaysFalse = false;

Error malformed(const QString &what)
{
    return Error{QStringLiteral("Sunucu cevabı bozuk: ") + what};
}

class ObjectWriter
{
public:
    explicit ObjectWriter(std::string &out) : m_out(out) {}

    template<typename R>
    void write(const R &record)
    {
        m_out += "{\"type\":";
        Json::appendEscaped(m_out, std::string_view(R::typeName));
        m_out += ",\"id\":";
        Json::appendInt(m_out, ++m_nextId);
        m_out += ",\"fields\":{";
        bool first = true;
        const_cast<R &>(record).visit([&](const char *name, const auto &field) {
            if (!first)
                m_out += ',';
            first = false;
            Json::appendEscaped(m_out, std::string_view(name));
            m_out += ':';
            writeField(field);
        });
        m_out += "}}";
    }

private:
    void writeField(const QString &v) { Json::appendEscaped(m_out, v); }
    void writeField(qint32 v) { Json::appendInt(m_out, v); }
    void writeField(double v) { Json::appendDouble17(m_out, v); }
    void writeField(bool v) { Json::appendBool(m_out, v); }
    void writeField(const QList<TAcilisEkran> &items)
    {
        m_out += '[';
        for (qsizetype i = 0; i < items.size(); ++i) {
            if (i)
                m_out += ',';
            write(items[i]);
        }
        m_out += ']';
    }

    std::string &m_out;
    int m_nextId = 0;
};

class ObjectReader
{
public:
    template<typename R>
    std::optional<Error> read(const dom::element &element, R &record)
    {
        dom::object obj;
        if (element.get_object().get(obj))
            return malformed(QStringLiteral("nesne bekleniyordu"));
        int64_t ref = 0;
        if (!obj.at_key("ref").get_int64().get(ref)) {
            if constexpr (std::is_same_v<R, TAcilisEkran>) {
                const auto it = m_screens.find(ref);
                if (it == m_screens.end())
                    return malformed(QStringLiteral("tanımsız nesne başvurusu %1").arg(ref));
                record = it->second;
                return std::nullopt;
            } else {
                return malformed(QStringLiteral("beklenmeyen nesne başvurusu"));
            }
        }
        std::string_view type;
        if (obj.at_key("type").get_string().get(type))
            return malformed(QStringLiteral("nesnenin tipi yok"));
        if (type != std::string_view(R::typeName)) {
            return malformed(QStringLiteral("%1 bekleniyordu, %2 geldi")
                                 .arg(QLatin1StringView(R::typeName), QString::fromUtf8(type.data(), qsizetype(type.size()))));
        }
        dom::object fields;
        if (obj.at_key("fields").get_object().get(fields))
            return malformed(QStringLiteral("nesnenin alanları yok"));
        std::optional<Error> failure;
        record.visit([&](const char *name, auto &field) {
            if (failure)
                return;
            dom::element v;
            if (fields.at_key(name).get(v))
                return; // missing: stays at its default
            if (!readField(v, field))
                failure = malformed(QStringLiteral("%1 alanı yanlış türde").arg(QLatin1StringView(name)));
        });
        if (failure)
            return failure;
        if constexpr (std::is_same_v<R, TAcilisEkran>) {
            int64_t id = 0;
            if (!obj.at_key("id").get_int64().get(id))
                m_screens[id] = record;
        }
        return std::nullopt;
    }

private:
    bool readField(const dom::element &v, QString &out)
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
    bool readField(const dom::element &v, qint32 &out)
    {
        int64_t i = 0;
        if (!v.get_int64().get(i) && i >= INT32_MIN && i <= INT32_MAX) {
            out = qint32(i);
            return true;
        }
        double d = 0;
        if (!v.get_double().get(d) && d == double(qint32(d))) {
            out = qint32(d);
            return true;
        }
        return false;
    }
    bool readField(const dom::element &v, double &out) { return !v.get_double().get(out); }
    bool readField(const dom::element &v, bool &out) { return !v.get_bool().get(out); }
    bool readField(const dom::element &v, QList<TAcilisEkran> &out)
    {
        out.clear();
        if (v.is_null())
            return true;
        dom::array arr;
        if (v.get_array().get(arr))
            return false;
        for (dom::element e : arr) {
            TAcilisEkran item;
            if (read(e, item))
                return false;
            out.append(std::move(item));
        }
        return true;
    }

    std::map<int64_t, TAcilisEkran> m_screens;
};

template<typename R>
Expected<Value> readAs(const dom::element &element)
{
    R record;
    ObjectReader reader;
    if (auto err = reader.read(element, record))
        return *err;
    return Value(std::move(record));
}

} // namespace

void writeObject(std::string &out, const Value &value)
{
    std::visit(
        [&](const auto &v) {
            using T = std::decay_t<decltype(v)>;
            if constexpr (std::is_same_v<T, TSonucBilgisi> || std::is_same_v<T, TSiparisDipAyrinti>
                          || std::is_same_v<T, TTusSonuclari> || std::is_same_v<T, TAcilisEkran>
                          || std::is_same_v<T, TAcilisEkranlariki> || std::is_same_v<T, TMobilCariBilgisi>) {
                ObjectWriter(out).write(v);
            } else {
                out += "null";
            }
        },
        value);
}

Expected<Value> readObject(const dom::element &element, std::string_view expectedType)
{
    if (element.is_null())
        return Value{};
    if (expectedType == TSonucBilgisi::typeName)
        return readAs<TSonucBilgisi>(element);
    if (expectedType == TSiparisDipAyrinti::typeName)
        return readAs<TSiparisDipAyrinti>(element);
    if (expectedType == TTusSonuclari::typeName)
        return readAs<TTusSonuclari>(element);
    if (expectedType == TAcilisEkran::typeName)
        return readAs<TAcilisEkran>(element);
    if (expectedType == TAcilisEkranlariki::typeName)
        return readAs<TAcilisEkranlariki>(element);
    if (expectedType == TMobilCariBilgisi::typeName)
        return readAs<TMobilCariBilgisi>(element);
    return malformed(QStringLiteral("bilinmeyen nesne tipi"));
}

} // namespace Protocol
