#include "folding.h"

namespace Catalogue {

QChar foldTypedCharacter(QChar c)
{
    switch (c.unicode()) {
    case 0x011F: return u'g'; // ğ
    case 0x00FC: return u'u'; // ü
    case 0x015F: return u's'; // ş
    case 0x00F6: return u'o'; // ö
    case 0x00E7: return u'c'; // ç
    case 0x011E: return u'G'; // Ğ
    case 0x00DC: return u'U'; // Ü
    case 0x015E: return u'S'; // Ş
    case 0x0130: return u'I'; // İ
    case 0x00D6: return u'O'; // Ö
    case 0x00C7: return u'C'; // Ç
    case 0x0131: return u'I'; // ı
    default: return c;
    }
}

QString foldTyped(QStringView typed)
{
    QString out;
    out.reserve(typed.size());
    for (const QChar c : typed)
        out.append(foldTypedCharacter(c));
    return out;
}

} // namespace Catalogue
