#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

#include "platform/LocalTime.h"

using namespace quirnel;

TEST(LocalTime, TimeTextIsFixedWidthLocalTime) {
    setenv("TZ", "UTC", 1);
    tzset();
    EXPECT_EQ(TimeText(1688461531), u"2023-07-04 09:05:31");
    setenv("TZ", "KST-9", 1);
    tzset();
    EXPECT_EQ(TimeText(1688461531), u"2023-07-04 18:05:31");
    unsetenv("TZ");
    tzset();
}
