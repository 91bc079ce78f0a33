#include "run/CommandInputCheck.h"

#include <gtest/gtest.h>

#include "base/StringTable.h"

using namespace quirnel;

namespace {

struct CheckCase {
    int32_t command;
    int32_t sub;
    std::u16string arg1;
    std::u16string arg2;
    bool accepted;
    int32_t messageId;
};

TEST(CommandInputCheckTest, AcceptsRefusesAndNamesTheMessage) {
    const CheckCase cases[] = {
        // Replace and Replace Ext.
        {2, 61, u"", u"x", false, 0},
        {2, 61, u"a", u"", true, 0},
        {2, 106, u"", u"", false, 0},
        {20, 106, u"", u"", false, 0},
        {20, 79, u"jpg", u"", false, 0},
        {20, 79, u"", u"png", true, 0},
        {2, 110, u"", u"", true, 0},
        // Add string needs a string.
        {3, 21, u"", u"0", false, 0},
        {19, 21, u"", u"", false, 0},
        {4, 22, u"", u"", true, 0},
        // Positions.
        {6, 41, u"5", u"3", false, 43},
        {6, 41, u"5", u"0", true, 0},
        {6, 41, u"5", u"", true, 0},
        {6, 41, u"", u"", false, 0},
        {6, 42, u"0", u"-2", true, 0},
        {6, 130, u"2", u"2", true, 0},
        {17, 173, u"4", u"3", false, 43},
        {17, 174, u"", u"", false, 0},
        {6, 129, u"12ab", u"3", false, 43},
        {6, 129, u" +2", u"3", true, 0},
        // Delimiters: only 48 and 172 are checked.
        {6, 48, u"(", u")", true, 0},
        {6, 48, u"((", u")", false, 68},
        {6, 48, u"(", u"", false, 49},
        {17, 172, u"", u"]", false, 49},
        {6, 131, u"((", u"", true, 0},
        {3, 136, u"", u"", true, 0},
        // Digit lengths.
        {9, 73, u"10", u"", true, 0},
        {9, 73, u"11", u"", false, 76},
        {9, 74, u"-1", u"", false, 76},
        {10, 83, u"", u"5", true, 0},
        {10, 86, u"4294967306", u"", false, 76},  // 2^32 + 10 must not wrap to 10
        {10, 84, u"99999999999999999999", u"", false, 76},
        // Clear List and Change Folder patterns.
        {12, 181, u"", u"", false, 0},
        {12, 184, u"", u"", false, 0},
        {12, 183, u"jp*", u"", true, 0},
        {12, 180, u"", u"", true, 0},
        {12, 185, u"", u"", true, 0},
        {17, 170, u"", u"x", false, 0},
        {17, 170, u"a*", u"", true, 0},
        // Everything else.
        {14, 44, u"", u"", true, 0},
        {92, 93, u"", u"", true, 0},
        {5, 0, u"", u"", true, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.command << "/" << c.sub);
        InputCheck r = CheckCommandInput(c.command, c.sub, c.arg1, c.arg2);
        EXPECT_EQ(r.accepted, c.accepted);
        EXPECT_EQ(r.messageId, c.messageId);
    }
    EXPECT_EQ(LoadText(43), u"Invalid positions");
    EXPECT_EQ(LoadText(76), u"Invalid digit length (Maximum digit length is 10)");
}

}  // namespace
