#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <tuple>
#include <utility>
#include <vector>

#include "platform/LocalTime.h"

using namespace quirnel;

TEST(LocalTime, TimeTextIsFixedWidthLocalTime) {
    setenv("TZ", "UTC", 1);
    tzset();
    EXPECT_EQ(TimeText(1688461531), u"2023-07-04 09:05:31");
    setenv("TZ", "KST-9", 1);
    tzset();
    EXPECT_EQ(TimeText(1688461531), u"2023-07-04 18:05:31");
    setenv("TZ", "UTC", 1);
    tzset();
    const std::pair<int64_t, std::u16string> edges[] = {{-30610224001, u"0999-12-31 23:59:59"},
                                                        {-62167219200, u"0000-01-01 00:00:00"},
                                                        {-62198755200, u"-001-01-01 00:00:00"},
                                                        {253402300800, u"10000-01-01 00:00:00"}};
    for (const auto& [t, text] : edges) EXPECT_EQ(TimeText(t), text) << t;
    unsetenv("TZ");
    tzset();
}

// The shortcut of a long pass must give what the platform gives, second for
// second, across changes of offset (whole and half hours, both directions),
// leap seconds and times far from today.
TEST(LocalTime, LocalCalendarGivesWhatThePlatformGives) {
    const char* zones[] = {"UTC", "CET-1CEST,M3.5.0,M10.5.0/3", "EST5EDT,M3.2.0,M11.1.0",
                           "<+1030>-10:30<+11>-11,M10.1.0,M4.1.0", "<+0545>-5:45", "right/UTC", "Europe/Berlin"};
    std::vector<int64_t> times;
    for (int64_t t = 1679792400 - 7200; t < 1679792400 + 7200; t += 7) times.push_back(t);  // 2023-03-26 01:00 UTC
    for (int64_t t = 1698541200 - 7200; t < 1698541200 + 7200; t += 7) times.push_back(t);  // 2023-10-29 01:00 UTC
    for (int64_t t = 1483228800 - 4000; t < 1483228800 + 4000; ++t) times.push_back(t);     // leap second, end of 2016
    for (int64_t t = -5000000000; t < 8000000000; t += 999999937) times.push_back(t);
    times.push_back(-(int64_t{1} << 50));
    for (const char* zone : zones) {
        setenv("TZ", zone, 1);
        tzset();
        LocalCalendar calendar;
        for (int64_t t : times) {
            std::tm want{}, got{};
            bool ok = ToLocalCalendar(t, want);
            ASSERT_EQ(calendar.convert(t, got), ok) << zone << " " << t;
            if (!ok) continue;
            EXPECT_EQ(std::tie(got.tm_year, got.tm_mon, got.tm_mday, got.tm_hour, got.tm_min, got.tm_sec),
                      std::tie(want.tm_year, want.tm_mon, want.tm_mday, want.tm_hour, want.tm_min, want.tm_sec))
                << zone << " " << t;
            EXPECT_EQ(calendar.text(t), TimeText(t)) << zone << " " << t;
        }
    }
    unsetenv("TZ");
    tzset();
}
