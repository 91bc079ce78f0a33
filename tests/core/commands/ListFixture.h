#pragma once
#include <gtest/gtest.h>

#include <cstdint>
#include <ctime>

#include "ListBuilder.h"
#include "TestSupport.h"
#include "platform/LocalTime.h"

namespace quirnel::test {

// UTC seconds of a local calendar time, so the list shows exactly that time.
inline int64_t LocalSeconds(int y, int mo, int d, int h, int mi, int s) {
    std::tm cal{};
    cal.tm_year = y - 1900;
    cal.tm_mon = mo - 1;
    cal.tm_mday = d;
    cal.tm_hour = h;
    cal.tm_min = mi;
    cal.tm_sec = s;
    int64_t out = 0;
    EXPECT_TRUE(FromLocalCalendar(cal, out)) << y << "-" << mo << "-" << d;
    return out;
}

// A time the list cannot show: its column text is empty.
constexpr int64_t kNoTime = INT64_MAX;

}  // namespace quirnel::test
