#pragma once

#include <QString>

#include <array>

namespace Protocol {
class ClientTable;
}

namespace Basket {

// One row of the basket, as the change dialog and SepetGuncelle2 need it.
struct BasketLine
{
    qint32 sirano = 0;
    qint32 stokno = 0;
    QString barkod;
    QString stokadi;
    QString marka;
    QString finishkod;
    QString model;
    double miktar = 0;
    double kdv = 0;
    double birimfiyat = 0;
    std::array<double, 4> oran{}; // INDIRIMORANI1 … INDIRIMORANI4
};

BasketLine basketLineFromRow(const Protocol::ClientTable &sepet, int row);

// The basket row of a part (its STOKNO), or -1: a part is never in the basket twice.
int basketRowOfPart(const Protocol::ClientTable &sepet, qint32 stokno);
// The row with a basket row number (SIRANO), or -1.
int basketRowOfSirano(const Protocol::ClientTable &sepet, qint32 sirano);

} // namespace Basket
