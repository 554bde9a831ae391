#pragma once

#include <QString>

#include <charconv>
#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>

namespace Protocol::Json {

// A minimal streaming JSON writer over std::string: the server writes whole tables with it,
// so it appends straight into the output without intermediate values.

void appendEscaped(std::string &out, std::string_view utf8); // with the quotes
void appendEscaped(std::string &out, const QString &text);

inline void appendInt(std::string &out, std::int64_t v)
{
    char buf[24];
    const auto res = std::to_chars(buf, buf + sizeof buf, v);
    out.append(buf, res.ptr);
}

// Shortest form that reads back exactly; NaN and infinities have no JSON form and become null.
inline void appendDouble(std::string &out, double v)
{
    if (!std::isfinite(v)) {
        out += "null";
        return;
    }
    char buf[32];
    const auto res = std::to_chars(buf, buf + sizeof buf, v);
    out.append(buf, res.ptr);
}

// Parameters are written with 17 significant digits, never in a locale format.
inline void appendDouble17(std::string &out, double v)
{
    if (!std::isfinite(v)) {
        out += "null";
        return;
    }
    char buf[40];
    const auto res = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::general, 17);
    out.append(buf, res.ptr);
}

inline void appendBool(std::string &out, bool v)
{
    out += v ? "true" : "false";
}

} // namespace Protocol::Json
