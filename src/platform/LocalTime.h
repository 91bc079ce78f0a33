#pragma once
#include <cstdint>
#include <ctime>
#include <string>

namespace quirnel {

// UTC seconds to the local calendar; false when the conversion fails.
[[nodiscard]] bool ToLocalCalendar(int64_t utcSeconds, std::tm& out);

// Local calendar to UTC seconds; false when the calendar time cannot be had.
[[nodiscard]] bool FromLocalCalendar(std::tm cal, int64_t& utcSeconds);

int64_t NowUtcSeconds();

// "%Y-%m-%d %H:%M:%S" of a UTC time in local time; empty when it cannot be
// converted. The list's time columns and the log's stamps read so.
std::u16string TimeText(int64_t utcSeconds);

}  // namespace quirnel
