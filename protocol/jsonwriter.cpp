#include "jsonwriter.h"

namespace Protocol::Json {

void appendEscaped(std::string &out, std::string_view s)
{
    static constexpr char hex[] = "0123456789abcdef";
    out.reserve(out.size() + s.size() + 2);
    out += '"';
    size_t run = 0; // start of the pending run of characters that need no escape
    for (size_t i = 0; i < s.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        if (c >= 0x20 && c != '"' && c != '\\')
            continue;
        out.append(s.data() + run, i - run);
        run = i + 1;
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        case '\b': out += "\\b"; break;
        case '\f': out += "\\f"; break;
        default:
            out += "\\u00";
            out += hex[c >> 4];
            out += hex[c & 15];
        }
    }
    out.append(s.data() + run, s.size() - run);
    out += '"';
}

void appendEscaped(std::string &out, const QString &text)
{
    const QByteArray utf = text.toUtf8();
    appendEscaped(out, std::string_view(utf.constData(), size_t(utf.size())));
}

} // namespace Protocol::Json
