#include "jsondates.h"

#include <charconv>

namespace Protocol::Dates {

namespace {

constexpr qint64 kMsPerDay = 86'400'000;

bool digits(std::string_view s, size_t pos, size_t n, int &out)
{
    if (pos + n > s.size())
        return false;
    int v = 0;
    for (size_t i = pos; i < pos + n; ++i) {
        const char c = s[i];
        if (c < '0' || c > '9')
            return false;
        v = v * 10 + (c - '0');
    }
    out = v;
    return true;
}

int daysInMonth(int y, int m)
{
    static constexpr int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
    return m == 2 && leap ? 29 : days[m - 1];
}

// "hh:nn:ss[.N]" at pos to the end of the string.
bool parseTime(std::string_view s, size_t pos, qint64 &ms)
{
    int h = 0, n = 0, sec = 0;
    if (!digits(s, pos, 2, h) || s.size() < pos + 5 || s[pos + 2] != ':' || !digits(s, pos + 3, 2, n))
        return false;
    size_t end = pos + 5;
    if (end < s.size() && s[end] == ':') {
        if (!digits(s, end + 1, 2, sec))
            return false;
        end += 3;
    }
    int millis = 0;
    if (end < s.size() && s[end] == '.') {
        const size_t start = end + 1;
        size_t stop = start;
        while (stop < s.size() && s[stop] >= '0' && s[stop] <= '9')
            ++stop;
        if (stop == start || stop - start > 3)
            return false;
        digits(s, start, stop - start, millis);
        end = stop;
    }
    if (end != s.size() || h > 23 || n > 59 || sec > 59)
        return false;
    ms = ((qint64(h) * 60 + n) * 60 + sec) * 1000 + millis;
    return true;
}

void two(std::string &out, int v)
{
    out += char('0' + v / 10);
    out += char('0' + v % 10);
}

} // namespace

qint64 daysFromCivil(int y, int m, int d)
{
    y -= m <= 2;
    const qint64 era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = unsigned(y - era * 400);
    const unsigned doy = unsigned((153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1);
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + qint64(doe) - 719468;
}

void civilFromDays(qint64 z, int &y, int &m, int &d)
{
    z += 719468;
    const qint64 era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = unsigned(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    d = int(doy - (153 * mp + 2) / 5 + 1);
    m = int(mp < 10 ? mp + 3 : mp - 9);
    y = int(qint64(yoe) + era * 400 + (m <= 2));
}

bool parse(std::string_view s, qint64 &out)
{
    if (s.size() >= 10 && s[4] == '-' && s[7] == '-') {
        int y = 0, m = 0, d = 0;
        if (!digits(s, 0, 4, y) || !digits(s, 5, 2, m) || !digits(s, 8, 2, d) || m < 1 || m > 12 || d < 1
            || d > daysInMonth(y, m))
            return false;
        qint64 ms = 0;
        if (s.size() > 10) {
            if ((s[10] != ' ' && s[10] != 'T') || !parseTime(s, 11, ms))
                return false;
        }
        out = daysFromCivil(y, m, d) * kMsPerDay + ms;
        return true;
    }
    qint64 ms = 0;
    if (!parseTime(s, 0, ms))
        return false;
    out = daysFromCivil(1899, 12, 30) * kMsPerDay + ms;
    return true;
}

void append(std::string &out, qint64 msecs, int typeCode)
{
    qint64 days = msecs / kMsPerDay;
    qint64 rest = msecs % kMsPerDay;
    if (rest < 0) {
        rest += kMsPerDay;
        --days;
    }
    int y = 0, m = 0, d = 0;
    civilFromDays(days, y, m, d);
    const int ms = int(rest % 1000);
    const int sec = int(rest / 1000 % 60);
    const int min = int(rest / 60000 % 60);
    const int hour = int(rest / 3600000);
    if (typeCode != 10) {
        char buf[8];
        const auto res = std::to_chars(buf, buf + sizeof buf, y);
        for (auto n = res.ptr - buf; n < 4; ++n)
            out += '0';
        out.append(buf, res.ptr);
        out += '-';
        two(out, m);
        out += '-';
        two(out, d);
        if (typeCode == 2)
            return;
        out += ' ';
    }
    two(out, hour);
    out += ':';
    two(out, min);
    out += ':';
    two(out, sec);
    if (typeCode != 10) {
        out += '.';
        char buf[8];
        const auto res = std::to_chars(buf, buf + sizeof buf, ms);
        out.append(buf, res.ptr);
    }
}

} // namespace Protocol::Dates
