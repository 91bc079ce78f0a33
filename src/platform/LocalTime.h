#pragma once
#include <cstdint>
#include <ctime>
#include <string>
#include <vector>

namespace quirnel {

// UTC seconds to the local calendar; false when the conversion fails.
[[nodiscard]] bool ToLocalCalendar(int64_t utcSeconds, std::tm& out);

// Local calendar to UTC seconds; false when the calendar time cannot be had.
[[nodiscard]] bool FromLocalCalendar(std::tm cal, int64_t& utcSeconds);

int64_t NowUtcSeconds();

// "%Y-%m-%d %H:%M:%S" of a UTC time in local time; empty when it cannot be
// converted. The list's time columns and the log's stamps read so.
std::u16string TimeText(int64_t utcSeconds);

// Days since 1970-01-01 of a proleptic Gregorian date, and back.
int64_t DaysFromCivil(int64_t year, int month, int day);
void CivilFromDays(int64_t days, int64_t& year, int& month, int& day);

// The calendar fields of many UTC times, as ToLocalCalendar gives them, for a
// pass over a long list: the platform is asked once per hour of UTC time in
// which local time runs evenly, and once per time only in an hour that holds
// a change of offset or a leap second. Only year, month, day, hour, minute and
// second of the result are filled. One object serves one thread and one pass
// (a change of time zone is seen by the next object).
class LocalCalendar {
public:
    [[nodiscard]] bool convert(int64_t utcSeconds, std::tm& out);
    // TimeText of the time.
    std::u16string text(int64_t utcSeconds);

private:
    struct Hour {
        int64_t hour = INT64_MIN;
        int64_t shift = 0;  // local civil seconds minus UTC seconds
        bool even = false;
    };
    std::vector<Hour> hours_;
};

}  // namespace quirnel
