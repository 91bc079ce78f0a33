#include "run/CommandInputCheck.h"

#include <gtest/gtest.h>

#include "base/StringTable.h"
#include "platform/PathStyle.h"

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

struct DialogCase {
    int32_t command;
    int32_t sub;
    std::u16string arg1, arg2;
    bool autoFix;
    bool posix;
    int32_t messageId;
    std::u16string cleaned1, cleaned2;  // when accepted
};

TEST(CleanDialogInputTest, AnInvalidRegularExpressionNamesItsCharacterAndPcresMessage) {
    struct Case {
        int32_t command, sub;
        std::u16string arg1, arg2, message;
    } cases[] = {
        {2, 501, u"ab(c", u"", u"The regular expression is invalid at character 5:\nmissing closing parenthesis"},
        {12, 507, u"\uD55C\U0001F600(?<", u"",  // characters, not code units; PCRE2 names the one after "<"
         u"The regular expression is invalid at character 6:\nsubpattern name expected"},
        {17, 508, u"(\\d+)", u"$1/$3", u"The replacement is invalid at character 6:\nunknown substring"},
    };
    for (const Case& c : cases) {
        DialogInput r = CleanDialogInput(c.command, c.sub, c.arg1, c.arg2, false, PathStyle::forPosix());
        EXPECT_FALSE(r.accepted());
        EXPECT_EQ(r.message, c.message);
        // The same check after the dialog, for callers that check without it.
        InputCheck after = CheckCommandInput(c.command, c.sub, c.arg1, c.arg2);
        EXPECT_FALSE(after.accepted);
        EXPECT_EQ(after.message, c.message);
    }
    SetUiLanguage(UiLanguage::Korean);
    DialogInput korean = CleanDialogInput(2, 501, u"ab(c", u"", false, PathStyle::forPosix());
    SetUiLanguage(UiLanguage::English);
    EXPECT_EQ(korean.message, u"\uC815\uADDC \uD45C\uD604\uC2DD\uC758 5\uBC88\uC9F8 \uAE00\uC790\uC5D0 "
                              u"\uC624\uB958\uAC00 \uC788\uC2B5\uB2C8\uB2E4:\nmissing closing parenthesis");
}

TEST(CleanDialogInputTest, CleansOrNamesTheMessageThatKeepsTheDialogOpen) {
    const DialogCase cases[] = {
        // Line breaks and tabs vanish before anything is checked.
        {3, 21, u"a\r\nb\tc", u"1\n2", false, false, 0, u"abc", u"12"},
        {14, 44, u"\t", u"", false, false, 0, u"", u""},
        // ? and * only in wildcard items.
        {3, 21, u"a?b", u"", false, false, 100, u"", u""},
        {3, 21, u"a?b", u"", true, false, 0, u"ab", u""},
        {14, 44, u"new*name", u"", false, false, 100, u"", u""},
        {14, 44, u"new*name", u"", true, false, 0, u"newname", u""},
        // On POSIX only / is kept out of a name: the rest are ordinary characters there.
        {14, 44, u"new*name", u"", false, true, 0, u"new*name", u""},
        {3, 21, u"Q&A: notes? \\ \"x\" <|>", u"", true, true, 0, u"Q&A: notes? \\ \"x\" <|>", u""},
        {3, 21, u"a/b", u"", true, true, 0, u"ab", u""},
        {3, 21, u"ok", u"1>", false, false, 100, u"", u""},  // the second field is checked too
        {12, 181, u"*.tmp", u"", false, false, 0, u"*.tmp", u""},
        // \ and : only for Change Folder; / for Change Folder on POSIX alone.
        {17, 69, u"D:\\Archive", u"", false, false, 0, u"D:\\Archive", u""},
        {3, 21, u"D:\\Archive", u"", false, false, 100, u"", u""},
        {3, 21, u"D:\\Archive", u"", true, false, 0, u"DArchive", u""},
        {17, 69, u"/home/me/out", u"", false, true, 0, u"/home/me/out", u""},
        {17, 69, u"/home/me/out", u"", false, false, 100, u"", u""},
        {17, 69, u"/home/me/out", u"", true, false, 0, u"homemeout", u""},
        {17, 69, u"a|b\"c<d>", u"", true, true, 0, u"a|b\"c<d>", u""},
        {17, 69, u"a|b\"c<d>", u"", true, false, 0, u"abcd", u""},
        {92, 93, u"my/preset", u"", false, true, 100, u"", u""},
        {92, 93, u"my/preset", u"", false, false, 100, u"", u""},
        {2, 61, u"a/b", u"", false, true, 100, u"", u""},
        // Wildcard pairing, after the clean-up.
        {2, 61, u"*.txt", u"*_*.txt", false, false, 109, u"", u""},
        {2, 61, u"*.txt", u"*.bak", false, false, 0, u"*.txt", u"*.bak"},
        {2, 61, u"*", u"", false, false, 108, u"", u""},
        {2, 61, u"a**b", u"", false, false, 108, u"", u""},
        {2, 61, u"a*\nb", u"x*y", false, false, 0, u"a*b", u"x*y"},
        {2, 61, u"<*>", u"", true, false, 108, u"", u""},  // what the fix leaves is still checked
        {3, 135, u"IMG?", u"3", false, false, 0, u"IMG?", u"3"},
        {17, 170, u"a*b", u"x?y", false, false, 109, u"", u""},
        {12, 184, u"", u"", false, false, 0, u"", u""},  // empty is CheckCommandInput's business
        // A regular expression keeps every character, even with the fix on; its template keeps '\\'.
        {2, 501, u"(?<y>\\d+)|[*?\"/:]", u"\\U${y}", true, false, 0, u"(?<y>\\d+)|[*?\"/:]", u"\\U${y}"},
        {2, 501, u"a", u"x|y", false, false, 100, u"", u""},
        {2, 501, u"a", u"x|y", true, false, 0, u"a", u"xy"},
        {17, 508, u"^(\\d{4})(\\d{2})", u"$1/$2", false, true, 0, u"^(\\d{4})(\\d{2})", u"$1/$2"},
        {2, 501, u"ab(c", u"", false, false, 523, u"", u""},
        {12, 506, u"[a-", u"", true, false, 523, u"", u""},
        {2, 501, u"(a)", u"$2", false, false, 524, u"", u""},
        {2, 501, u"(?<n>a)", u"${m}", false, false, 524, u"", u""},
        {2, 501, u"(a)", u"\\", false, false, 524, u"", u""},
        {2, 501, u"", u"", false, false, 0, u"", u""},  // empty is CheckCommandInput's business
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.command << "/" << c.sub << " autoFix " << c.autoFix << " posix "
                                        << c.posix);
        const PathStyle& style = c.posix ? PathStyle::forPosix() : PathStyle::forWindows();
        DialogInput r = CleanDialogInput(c.command, c.sub, c.arg1, c.arg2, c.autoFix, style);
        EXPECT_EQ(r.messageId, c.messageId);
        if (c.messageId == 0) {
            EXPECT_EQ(r.arg1, c.cleaned1);
            EXPECT_EQ(r.arg2, c.cleaned2);
        }
    }
}

}  // namespace
