#pragma once

#include <QtGlobal>

#include <string>
#include <string_view>

namespace Protocol::Dates {

// Date-time cells travel as "YYYY-MM-DD", "hh:nn:ss" or "YYYY-MM-DD hh:nn:ss.N", N being the
// millisecond count without zero padding (".7" is 7 ms). Values are naive milliseconds since
// 1970-01-01 (see ClientTable). A missing time part reads as midnight; a time alone lies on
// the platform's day zero, 1899-12-30.
bool parse(std::string_view text, qint64 &naiveMsecs);
void append(std::string &out, qint64 naiveMsecs, int typeCode);

qint64 daysFromCivil(int y, int m, int d);
void civilFromDays(qint64 z, int &y, int &m, int &d);

} // namespace Protocol::Dates
