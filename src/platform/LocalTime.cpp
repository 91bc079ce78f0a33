#include "platform/LocalTime.h"

#include <cstdio>

namespace quirnel {
namespace {

std::u16string FormatStamp(const std::tm& c) {
    char buf[64];
    int n = snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d:%02d", c.tm_year + 1900, c.tm_mon + 1, c.tm_mday,
                     c.tm_hour, c.tm_min, c.tm_sec);
    std::u16string out;
    for (int i = 0; i < n && i < static_cast<int>(sizeof buf); ++i) out.push_back(static_cast<unsigned char>(buf[i]));
    return out;
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

}  // namespace quirnel
