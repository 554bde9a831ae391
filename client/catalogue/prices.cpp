#include "prices.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <string>

namespace Catalogue {

double Yuvarla2(double x)
{
    if (!std::isfinite(x))
        return x;
    // x × 100 is exact in long double (53 + 7 bits fit its 64-bit mantissa), so a half is
    // recognised on the stored value itself, not on a decimal shortening of it.
    static_assert(sizeof(long double) > sizeof(double), "the exact product needs a wider type");
    const long double hundredfold = static_cast<long double>(x) * 100.0L;
    const long double whole = std::trunc(hundredfold);
    const long double fraction = hundredfold - whole;
    long double cents = whole;
    if (std::fabs(fraction) >= 0.5L)
        cents += hundredfold < 0 ? -1.0L : 1.0L;

    // The cents as decimal text with the point before the last two digits, read back.
    char digits[64];
    const int length = std::snprintf(digits, sizeof digits, "%.0Lf", std::fabs(cents));
    if (length <= 0 || length >= int(sizeof digits))
        return x;
    std::string text(digits, size_t(length));
    if (text.size() < 3)
        text.insert(0, 3 - text.size(), '0');
    text.insert(text.size() - 2, 1, '.');
    if (cents < 0) // a value that rounds to zero reads back as 0, never as −0
        text.insert(0, 1, '-');
    double result = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), result);
    if (error != std::errc() || end != text.data() + text.size())
        return x;
    return result;
}

PriceLine SatirHesapla(const PriceInputs &in)
{
    PriceLine line;
    const double gross = in.price * in.quantity;
    double g = gross;
    for (const double rate : in.rates) {
        if (rate > 0)
            g = g - g * rate / 100;
    }
    line.indtutar = gross - g;
    line.net = Yuvarla2(g);
    line.unitNet = in.quantity == 0 ? 0 : Yuvarla2(line.net / in.quantity);
    line.kdvdahiltutar = Yuvarla2(line.unitNet * (1 + in.taxRate / 100));
    line.geneltutar = Yuvarla2(line.kdvdahiltutar * in.quantity);
    return line;
}

bool discountLineVisible(const std::array<double, 4> &rates)
{
    return rates[0] + rates[1] + rates[2] + rates[3] > 1;
}

double priceWithoutTax(double price)
{
    return price / 1.2;
}

} // namespace Catalogue
