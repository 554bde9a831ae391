#pragma once

#include <QString>

namespace Store {

// The search form of a text: Turkish letters folded to ASCII (Ç→C, Ğ→G, İ/ı→I, Ö→O, Ş→S,
// Ü→U, and any other accent dropped), then upper case. The catalogue's `arama` column holds
// this form and a search text is folded the same way, so "çağrı", "ÇAĞRI" and "CAGRI" meet.
inline QString foldForSearch(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        // The Turkish letters directly; other accented letters through their decomposition.
        char folded = 0;
        // clang-format off
        switch (c.unicode()) {
        case 0x0131: case 0x0130: case 0x00EE: case 0x00CE: folded = 'I'; break; // ı İ î Î
        case 0x00E7: case 0x00C7: folded = 'C'; break;                           // ç Ç
        case 0x011F: case 0x011E: folded = 'G'; break;                           // ğ Ğ
        case 0x00F6: case 0x00D6: folded = 'O'; break;                           // ö Ö
        case 0x015F: case 0x015E: folded = 'S'; break;                           // ş Ş
        case 0x00FC: case 0x00DC: case 0x00FB: case 0x00DB: folded = 'U'; break; // ü Ü û Û
        case 0x00E2: case 0x00C2: folded = 'A'; break;                           // â Â
        default: break;
        }
        // clang-format on
        if (folded) {
            out.append(QLatin1Char(folded));
            continue;
        }
        if (c.unicode() < 0x80) {
            out.append(c.toUpper());
            continue;
        }
        // Ç, Ğ, Ö, Ş, Ü, Â, Î, Û...: decompose and keep the base letter only.
        const QString decomposed = QString(c).normalized(QString::NormalizationForm_KD);
        for (const QChar d : decomposed) {
            if (d.category() != QChar::Mark_NonSpacing)
                out.append(d.toUpper());
        }
    }
    return out;
}

} // namespace Store
