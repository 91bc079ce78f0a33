#include <gtest/gtest.h>

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
