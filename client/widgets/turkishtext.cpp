#include "turkishtext.h"

#include <QLocale>

#include <array>

namespace Widgets {

namespace {

// The alphabet in order, each letter as upper- and lower-case code point.
constexpr std::array<std::pair<char16_t, char16_t>, 32> kAlphabet{{
    {u'A', u'a'}, {u'B', u'b'}, {u'C', u'c'}, {u'Ç', u'ç'}, {u'D', u'd'}, {u'E', u'e'}, {u'F', u'f'}, {u'G', u'g'},
    {u'Ğ', u'ğ'}, {u'H', u'h'}, {u'I', u'ı'}, {u'İ', u'i'}, {u'J', u'j'}, {u'K', u'k'}, {u'L', u'l'}, {u'M', u'm'},
    {u'N', u'n'}, {u'O', u'o'}, {u'Ö', u'ö'}, {u'P', u'p'}, {u'Q', u'q'}, {u'R', u'r'}, {u'S', u's'}, {u'Ş', u'ş'},
    {u'T', u't'}, {u'U', u'u'}, {u'Ü', u'ü'}, {u'V', u'v'}, {u'W', u'w'}, {u'X', u'x'}, {u'Y', u'y'}, {u'Z', u'z'},
}};

// Weight of one code point: signs < digits < letters of the alphabet < everything else.
// Weights of the table take two key bytes; any other code point four: 0xF0 and the code point.
quint32 weight(char32_t cp)
{
    static const auto table = [] {
        std::array<quint32, 0x180> t{};
        for (char32_t c = 0; c < t.size(); ++c)
            t[c] = 0x2000 + c;
        for (char32_t c = 0; c < 0x80; ++c)
            t[c] = 0x0100 + c;
        for (char32_t c = u'0'; c <= u'9'; ++c)
            t[c] = 0x0200 + (c - u'0');
        for (size_t i = 0; i < kAlphabet.size(); ++i) {
            t[kAlphabet[i].first] = 0x1000 + quint32(i);
            t[kAlphabet[i].second] = 0x1000 + quint32(i);
        }
        return t;
    }();
    return cp < table.size() ? table[cp] : 0xF0000000u | quint32(cp);
}

} // namespace

void appendTurkishSortKey(std::string &out, std::string_view s)
{
    const auto *p = reinterpret_cast<const unsigned char *>(s.data());
    const auto *end = p + s.size();
    while (p < end) {
        char32_t cp = *p;
        int extra = 0;
        if (cp >= 0xF0 && cp < 0xF8) {
            cp &= 0x07;
            extra = 3;
        } else if (cp >= 0xE0) {
            cp &= 0x0F;
            extra = 2;
        } else if (cp >= 0xC0) {
            cp &= 0x1F;
            extra = 1;
        }
        ++p;
        for (; extra > 0 && p < end && (*p & 0xC0) == 0x80; --extra, ++p)
            cp = (cp << 6) | (*p & 0x3F);
        const quint32 w = weight(cp);
        if (w > 0xFFFF) {
            out.push_back(char((w >> 24) & 0xFF));
            out.push_back(char((w >> 16) & 0xFF));
        }
        out.push_back(char((w >> 8) & 0xFF));
        out.push_back(char(w & 0xFF));
    }
}

QString turkishUpper(QStringView text)
{
    static const QLocale turkish(QLocale::Turkish, QLocale::Turkey);
    return turkish.toUpper(text.toString());
}

} // namespace Widgets
