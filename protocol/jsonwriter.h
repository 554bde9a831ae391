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

// Writes a finite v at p in the shortest form that reads back exactly, the very characters
// std::to_chars gives; returns the end (at most 24 characters). Money and quantities are
// mostly whole cents below 100,000: those are written from their integer number of cents,
// which is several times faster than the general shortest-form search.
inline char *writeDouble(char *p, double v)
{
    if (std::fabs(v) < 1e5) {
        const double cents = std::nearbyint(v * 100.0);
        const auto k = static_cast<std::int64_t>(cents);
        // v is the double nearest to k / 100, and k / 100 has at most seven significant
        // digits: no shorter or other decimal of that length reads back as v, and below
        // 100,000 the fixed form is never longer than the exponent form. Negative zero is
        // left to the general path, which keeps its sign.
        if (static_cast<double>(k) / 100.0 == v && (k != 0 || !std::signbit(v))) {
            std::uint64_t magnitude = static_cast<std::uint64_t>(k < 0 ? -k : k);
            if (k < 0)
                *p++ = '-';
            const std::uint64_t whole = magnitude / 100;
            const auto fraction = static_cast<unsigned>(magnitude % 100);
            p = std::to_chars(p, p + 8, whole).ptr;
            if (fraction != 0) {
                *p++ = '.';
                *p++ = char('0' + fraction / 10);
                if (fraction % 10 != 0)
                    *p++ = char('0' + fraction % 10);
            }
            return p;
        }
    }
    return std::to_chars(p, p + 24, v).ptr;
}

// Shortest form that reads back exactly; NaN and infinities have no JSON form and become null.
inline void appendDouble(std::string &out, double v)
{
    if (!std::isfinite(v)) {
        out += "null";
        return;
    }
    char buf[32];
    out.append(buf, writeDouble(buf, v));
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
