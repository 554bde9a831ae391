#pragma once

#include <QLocale>
#include <QString>

namespace Session {

// The money display format "#,###,##0.00" of result tables: digit groups with the
// locale's thousands separator and exactly two decimals (1234.5 → "1.234,50" in Turkish).
QString moneyText(double value, const QLocale &locale = QLocale());

} // namespace Session
