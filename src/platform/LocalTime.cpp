#include "platform/LocalTime.h"

#include <cstdio>

namespace quirnel {
namespace {

void PutDigits(char16_t* at, int value, int width) {
    for (int k = width - 1; k >= 0; --k, value /= 10) at[k] = static_cast<char16_t>(u'0' + value % 10);
}

std::u16string FormatStamp(const std::tm& c) {
    const int year = c.tm_year + 1900;
    if (year >= 0 && year <= 9999) {  // the usual case, without the C library's formatter
        std::u16string out(u"0000-00-00 00:00:00");
        PutDigits(&out[0], year, 4);
        PutDigits(&out[5], c.tm_mon + 1, 2);
        PutDigits(&out[8], c.tm_mday, 2);
        PutDigits(&out[11], c.tm_hour, 2);
        PutDigits(&out[14], c.tm_min, 2);
        PutDigits(&out[17], c.tm_sec, 2);
        return out;
    }
    char buf[64];
    int n = snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d:%02d", c.tm_year + 1900, c.tm_mon + 1, c.tm_mday,
                     c.tm_hour, c.tm_min, c.tm_sec);
    std::u16string out;
    for (int i = 0; i < n && i < static_cast<int>(sizeof buf); ++i) out.push_back(static_cast<unsigned char>(buf[i]));
    return out;
}

int64_t FloorDiv(int64_t a, int64_t b) { return a / b - (a % b != 0 && (a < 0) != (b < 0)); }

// The civil seconds of a calendar time, as if it were UTC.
int64_t CivilSeconds(const std::tm& c) {
    return DaysFromCivil(c.tm_year + int64_t{1900}, c.tm_mon + 1, c.tm_mday) * 86400 + c.tm_hour * 3600 +
           c.tm_min * 60 + c.tm_sec;
}

}  // namespace

bool ToLocalCalendar(int64_t utcSeconds, std::tm& out) {
    time_t t = static_cast<time_t>(utcSeconds);
    return localtime_r(&t, &out) != nullptr;
}

bool FromLocalCalendar(std::tm cal, int64_t& utcSeconds) {
    cal.tm_isdst = -1;
    time_t t = mktime(&cal);
    if (t == static_cast<time_t>(-1) && !(cal.tm_year == 69 && cal.tm_mon == 11 && cal.tm_mday == 31)) return false;
    utcSeconds = t;
    return true;
}

int64_t NowUtcSeconds() { return static_cast<int64_t>(time(nullptr)); }

std::u16string TimeText(int64_t utcSeconds) {
    std::tm cal;
    if (!ToLocalCalendar(utcSeconds, cal)) return {};
    return FormatStamp(cal);
}

int64_t DaysFromCivil(int64_t y, int m, int d) {
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const int64_t yoe = y - era * 400;
    const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void CivilFromDays(int64_t z, int64_t& year, int& month, int& day) {
    z += 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const int64_t doe = z - era * 146097;
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int64_t mp = (5 * doy + 2) / 153;
    day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = yoe + era * 400 + (month <= 2);
}

bool LocalCalendar::convert(int64_t utcSeconds, std::tm& out) {
    // Far from any calendar the platform knows: no shortcut.
    if (utcSeconds < -(int64_t{1} << 40) || utcSeconds > (int64_t{1} << 40)) return ToLocalCalendar(utcSeconds, out);
    if (hours_.empty()) hours_.resize(1024);
    const int64_t hour = FloorDiv(utcSeconds, 3600);
    Hour& h = hours_[static_cast<size_t>(hour) & (hours_.size() - 1)];
    if (h.hour != hour) {
        // Even when the first and the last second of the hour are the same
        // distance from UTC: no change of offset falls between them.
        std::tm first, last;
        h.hour = hour;
        h.even = ToLocalCalendar(hour * 3600, first) && ToLocalCalendar(hour * 3600 + 3599, last) &&
                 CivilSeconds(first) - hour * 3600 == CivilSeconds(last) - (hour * 3600 + 3599);
        h.shift = h.even ? CivilSeconds(first) - hour * 3600 : 0;
    }
    if (!h.even) return ToLocalCalendar(utcSeconds, out);
    const int64_t civil = utcSeconds + h.shift;
    const int64_t days = FloorDiv(civil, 86400);
    const int64_t inDay = civil - days * 86400;
    int64_t year;
    int month, day;
    CivilFromDays(days, year, month, day);
    out = std::tm{};
    out.tm_year = static_cast<int>(year - 1900);
    out.tm_mon = month - 1;
    out.tm_mday = day;
    out.tm_hour = static_cast<int>(inDay / 3600);
    out.tm_min = static_cast<int>(inDay / 60 % 60);
    out.tm_sec = static_cast<int>(inDay % 60);
    return true;
}

std::u16string LocalCalendar::text(int64_t utcSeconds) {
    std::tm cal;
    if (!convert(utcSeconds, cal)) return {};
    return FormatStamp(cal);
}

}  // namespace quirnel
