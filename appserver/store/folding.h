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
        switch (c.unicode()) {
        case 0x0131: // ı dotless i
        case 0x0130: // İ dotted capital I
            out.append(QLatin1Char('I'));
            continue;
        default:
            break;
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
