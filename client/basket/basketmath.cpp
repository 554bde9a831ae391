#include "basketmath.h"

#include "client/catalogue/prices.h"

#include "protocol/clienttable.h"

#include <QLocale>

using namespace Qt::StringLiterals;

namespace Basket {

SepetToplamlari sepetToplamlari(const Protocol::ClientTable &sepet)
{
    using Catalogue::Yuvarla2;
    SepetToplamlari t;
    const int sec = sepet.columnIndex(u"SEC");
    const int tutar = sepet.columnIndex(u"TUTAR");
    const int indirim = sepet.columnIndex(u"INDIRIMTUTAR");
    const int vergi = sepet.columnIndex(u"VERGITUTARI");
    if (sec < 0)
        return t;
    const auto cell = [&sepet](int row, int col) {
        return col < 0 || sepet.isNull(row, col) ? 0.0 : sepet.number(row, col);
    };
    for (int row = 0; row < sepet.rowCount(); ++row) {
        // Exactly 1: a 2 or an empty flag leaves the row out.
        if (sepet.isNull(row, sec) || sepet.number(row, sec) != 1.0)
            continue;
        t.toplam = Yuvarla2(t.toplam + cell(row, tutar));
        t.indirim = Yuvarla2(t.indirim + cell(row, indirim));
        t.vergi = Yuvarla2(t.vergi + cell(row, vergi));
    }
    t.araToplam = Yuvarla2(t.toplam - t.indirim);
    t.genelToplam = Yuvarla2(t.araToplam + t.vergi);
    return t;
}

qint32 packageQuantity(qint32 enVerAnswer)
{
    return enVerAnswer < 1 ? 1 : enVerAnswer;
}

qint32 roundUpToPackage(qint32 quantity, qint32 koliadet)
{
    koliadet = packageQuantity(koliadet);
    const qint32 rest = quantity % koliadet;
    if (rest == 0)
        return quantity;
    // A negative quantity rounds towards zero, as the box never holds one below koliadet.
    return rest > 0 ? quantity + koliadet - rest : quantity - rest;
}

std::optional<qint32> quantityFromText(const QString &text)
{
    const QString trimmed = text.trimmed();
    bool ok = false;
    qint32 value = trimmed.toInt(&ok);
    if (ok)
        return value;
    // The box may show digit groups in the Turkish way ("10.000").
    static const QLocale turkish(QLocale::Turkish, QLocale::Turkey);
    value = turkish.toInt(trimmed, &ok);
    if (ok)
        return value;
    return std::nullopt;
}

qint32 toggledSelection(qint32 sec)
{
    return sec == 0 ? 1 : 0;
}

bool pricesEditable(qint32 musteriTipi)
{
    return musteriTipi == 1 || musteriTipi == 2;
}

QString notANumberText(const QString &typed)
{
    return u"Adet kutusundaki \"%1\" bir sayı değil.\nLütfen adedi rakamlarla yazınız."_s.arg(typed.trimmed());
}

} // namespace Basket
