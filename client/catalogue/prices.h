#pragma once

#include <array>

namespace Catalogue {

// x rounded to two decimals: written as text with exactly two decimals, a half rounded away
// from zero (0.125 → 0.13, −0.125 → −0.13), and read back. The rounding looks at the value as
// it is stored, so 1.005, which is stored as 1.00499…, gives 1.00. NaN and infinities come back
// unchanged.
double Yuvarla2(double x);

// What the price panel computes from: the unit price P, the four successive discount rates in
// percent, the tax rate t in percent and the quantity Q.
struct PriceInputs
{
    double price = 0;              // P, `birimfiyat`
    std::array<double, 4> rates{}; // r1 … r4, `edindirim1` … `edindirim4`
    double taxRate = 0;            // t, `kdvoran`
    double quantity = 0;           // Q
};

// What SatirHesapla shows, and the two amounts on the way there.
struct PriceLine
{
    double indtutar = 0;      // discount amount of the whole line (not rounded)
    double kdvdahiltutar = 0; // price of one piece after discounts, with tax
    double geneltutar = 0;    // line total with tax
    double net = 0;           // N, the rounded net line amount
    double unitNet = 0;       // U, the rounded net price of one piece (0 when Q is 0)
};

// The line: the discounts one after the other on P × Q (a rate of 0 or below is skipped),
// the net amount and the net price of one piece rounded, the price with tax rounded from that,
// and the total as that rounded price times the quantity, rounded again.
PriceLine SatirHesapla(const PriceInputs &in);

// The discount line of the dialog is shown when the four rates add up to more than 1 percent.
bool discountLineVisible(const std::array<double, 4> &rates);

// F4 in the price panel: the price without a 20 % tax.
double priceWithoutTax(double price);

} // namespace Catalogue
