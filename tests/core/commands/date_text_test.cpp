#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "TestText.h"
#include "commands/DateText.h"

using namespace quirnel;

TEST(FormatDateTextTest, FiltersTheFormatAndWritesCLocaleTexts) {
    const std::u16string t = u"2023-07-04 09:05:31";
    struct Case {
        std::u16string format, expected;
    } cases[] = {
        {u"%Y%m%d", u"20230704"},
        {u"%Y-%q", u"2023-"},
        {u"%Y%", u"2023%"},
        {u"%A", u"Tuesday"},
        {u"%a %b %B", u"Tue Jul July"},
        {u"%H:%M:%S", u"09:05:31"},
        {u"%I %p", u"09 AM"},
        {u"%j %U %w %u", u"185 27 2 2"},
        {u"%E%O%#%t%Y", u"2023"},
        {u"%%Y", u"%Y"},
        {u"", u""},
        {u"\uD55C%Y\U0001F600", u"\uD55C2023\U0001F600"},
        {u"%D", u"07/04/23"},
        {u"%Y\\%m", u"2023\\07"},
    };
    for (const Case& c : cases) EXPECT_EQ(FormatDateText(t, c.format), c.expected) << ToUtf8(c.format);
}

TEST(FormatDateTextTest, UnreadableTimesGiveInvalidDateTime) {
    for (std::u16string bad : {u"", u"  ", u"2023-13-01 00:00:00", u"2023-02-29 00:00:00", u"2023-07-04 24:00:00",
                               u"yesterday", u"2023-07-04 09:05:31 x", u"20230704", u"2023-07-04 9"}) {
        EXPECT_EQ(FormatDateText(bad, u"%Y"), u"Invalid DateTime") << ToUtf8(bad);
    }
}

TEST(FormatDateTextTest, ReadsOtherUsualForms) {
    EXPECT_EQ(FormatDateText(u"2024-02-29", u"%Y%m%d %H%M"), u"20240229 0000");
    EXPECT_EQ(FormatDateText(u"2024/1/5 7:08", u"%Y%m%d %H%M"), u"20240105 0708");
    EXPECT_EQ(FormatDateText(u" 1999.12.31 23:59:59 ", u"%A"), u"Friday");
}

TEST(FormatDateTextTest, LongResultsAreCutAt255) {
    std::u16string format;
    for (int i = 0; i < 100; ++i) format += u"%A";
    std::u16string out = FormatDateText(u"2023-07-04 09:05:31", format);
    EXPECT_EQ(out.size(), 255u);
    EXPECT_EQ(out.substr(0, 14), u"TuesdayTuesday");
    std::u16string pairs;
    for (int i = 0; i < 200; ++i) pairs += u"\U0001F600";
    std::u16string cut = FormatDateText(u"2023-07-04 09:05:31", pairs);
    EXPECT_EQ(cut.size(), 254u);  // the pair at the cut is not split
    EXPECT_EQ(cut.back(), char16_t(0xDE00));
}

TEST(FormatDateTextTest, ZoneConversionsGiveTheLocalOffset) {
    std::u16string z = FormatDateText(u"2023-07-04 09:05:31", u"%z");
    ASSERT_EQ(z.size(), 5u) << ToUtf8(z);
    EXPECT_TRUE(z[0] == u'+' || z[0] == u'-');
    EXPECT_EQ(FormatDateText(u"2023-07-04 09:05:31", u"%%z"), u"%z");
}

// Date passes format the stored time straight; the result must be that of
// its time text read back, in any zone, for every conversion and edge year.
TEST(FormatDateTextTest, StoredTimesFormatLikeTheirTimeText) {
    const char* zones[] = {"UTC", "CET-1CEST,M3.5.0,M10.5.0/3", "<+0545>-5:45", "right/UTC"};
    const int64_t times[] = {0,           1688461531,   1679792400 + 1800, 1698541200 + 1800, 1483228826,
                             -62135596800 /* year 1 */, -59000000000 /* year 100 */, -30610224000 /* 1000 */,
                             253402300799 /* 9999-12-31 */, 253402300800, -5000000000, int64_t{1} << 45};
    const std::u16string formats[] = {u"%Y%m%d", u"%Y-%m-%d %H.%M.%S", u"%A %a %B %b %e %j %U %W %V %G %g %u %w",
                                      u"%y %C %p %I %r %R %T %D %h %n %%", u"%z %Z", u"%q%", u"x"};
    for (const char* zone : zones) {
        setenv("TZ", zone, 1);
        tzset();
        LocalCalendar calendar;
        for (int64_t t : times)
            for (const auto& f : formats)
                EXPECT_EQ(FormatStoredTime(t, f, calendar), FormatDateText(TimeText(t), f))
                    << zone << " " << t << " " << ToUtf8(f);
    }
    unsetenv("TZ");
    tzset();
}
