#include "moneyformat.h"

#include <cmath>

namespace Session {

QString moneyText(double value, const QLocale &locale)
{
    QLocale grouped = locale;
    grouped.setNumberOptions(locale.numberOptions() & ~QLocale::OmitGroupSeparator);
    // A value that rounds to zero shows without a sign, never as "-0,00".
    if (std::round(value * 100.0) == 0.0)
        value = 0.0;
    return grouped.toString(value, 'f', 2);
}

} // namespace Session
