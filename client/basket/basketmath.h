#pragma once

#include <QString>

#include <optional>

namespace Protocol {
class ClientTable;
}

namespace Basket {

// The five totals under the basket, of the rows whose SEC is exactly 1.
struct SepetToplamlari
{
    double toplam = 0;      // T, the sum of TUTAR
    double indirim = 0;     // I, the sum of INDIRIMTUTAR
    double araToplam = 0;   // N = T − I
    double vergi = 0;       // V, the sum of VERGITUTARI
    double genelToplam = 0; // G = N + V
};

// Every single addition is rounded to two decimals, as the order totals are: three
// selected lines of 0.004 stay 0.00 although their exact sum would show 0.01.
SepetToplamlari sepetToplamlari(const Protocol::ClientTable &sepet);

// The package quantity of a part as the dialog uses it: an answer below 1 (a part without a
// package size, or a broken record) is taken as 1, since the quantity is rounded up by it.
qint32 packageQuantity(qint32 enVerAnswer);

// The quantity raised to the next whole multiple of the package quantity: with 6, 7 gives 12
// and 12 stays 12. A package quantity below 1 counts as 1.
qint32 roundUpToPackage(qint32 quantity, qint32 koliadet);

// The quantity box's text read as a whole number; none when it does not hold one.
std::optional<qint32> quantityFromText(const QString &text);

// The "Seç" toggle: 1 when the flag was 0 (or empty), 0 for anything else (2 included).
qint32 toggledSelection(qint32 sec);

// Representatives (user types 1 and 2) may change the price and the four rates in the
// add/change dialog; every other user only the quantity.
bool pricesEditable(qint32 musteriTipi);

// The texts that stand for a number in the quantity box's error.
QString notANumberText(const QString &typed);

} // namespace Basket
