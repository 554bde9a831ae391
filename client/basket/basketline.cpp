#include "basketline.h"

#include "protocol/clienttable.h"

namespace Basket {

namespace {

QString textOf(const Protocol::ClientTable &t, int row, QStringView name)
{
    const int col = t.columnIndex(name);
    return col < 0 || t.isNull(row, col) ? QString() : t.text(row, col);
}

double numberOf(const Protocol::ClientTable &t, int row, QStringView name)
{
    const int col = t.columnIndex(name);
    return col < 0 || t.isNull(row, col) ? 0.0 : t.number(row, col);
}

int rowWith(const Protocol::ClientTable &t, QStringView name, qint32 value)
{
    const int col = t.columnIndex(name);
    for (int row = 0; col >= 0 && row < t.rowCount(); ++row) {
        if (!t.isNull(row, col) && qRound(t.number(row, col)) == value)
            return row;
    }
    return -1;
}

} // namespace

BasketLine basketLineFromRow(const Protocol::ClientTable &sepet, int row)
{
    BasketLine b;
    b.sirano = qRound(numberOf(sepet, row, u"SIRANO"));
    b.stokno = qRound(numberOf(sepet, row, u"STOKNO"));
    b.barkod = textOf(sepet, row, u"BARKOD");
    b.stokadi = textOf(sepet, row, u"STOKADI");
    b.marka = textOf(sepet, row, u"MARKA");
    b.finishkod = textOf(sepet, row, u"FINISHKOD");
    b.model = textOf(sepet, row, u"MODEL");
    b.miktar = numberOf(sepet, row, u"MIKTAR");
    b.kdv = numberOf(sepet, row, u"KDV");
    b.birimfiyat = numberOf(sepet, row, u"BIRIMFIYAT");
    b.oran = {numberOf(sepet, row, u"INDIRIMORANI1"), numberOf(sepet, row, u"INDIRIMORANI2"),
              numberOf(sepet, row, u"INDIRIMORANI3"), numberOf(sepet, row, u"INDIRIMORANI4")};
    return b;
}

int basketRowOfPart(const Protocol::ClientTable &sepet, qint32 stokno)
{
    return rowWith(sepet, u"STOKNO", stokno);
}

int basketRowOfSirano(const Protocol::ClientTable &sepet, qint32 sirano)
{
    return rowWith(sepet, u"SIRANO", sirano);
}

} // namespace Basket
