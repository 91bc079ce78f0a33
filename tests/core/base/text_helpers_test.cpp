#include "base/TextHelpers.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "platform/NativeText.h"

using namespace quirnel;

TEST(ReadIntTest, ReadsLikeTheCLibraryAndSaturates) {
    struct Case {
        std::u16string text;
        int32_t expected;
    } cases[] = {
        {u"", 0},          {u"12", 12},       {u"12ab", 12},          {u"ab12", 0},
        {u"  \t7", 7},     {u"+5", 5},        {u"-5", -5},            {u"- 5", 0},
        {u"--5", 0},       {u"007", 7},       {u"2147483647", INT_MAX}, {u"2147483648", INT_MAX},
        {u"99999999999999999999", INT_MAX}, {u"-2147483648", INT_MIN}, {u"-99999999999", INT_MIN},
        {u"\uFF11", 0},  // a full-width digit is not a digit
    };
    for (const Case& c : cases) EXPECT_EQ(ReadInt(c.text), c.expected) << ToUtf8(c.text);
}

TEST(TextHelpers, TheThreeWhiteSpaceRulesDifferBeyondAscii) {
    const struct {
        char16_t c;
        bool ascii, unicode;
    } cases[] = {
        {u' ', true, true},        {u'\t', true, true},        {u'\r', true, true},
        {u'\u00A0', false, true},  {u'\u3000', false, true},   {u'\u2003', false, true},
        {u'\u200B', false, false}, {u'\uFEFF', false, false},  {u'a', false, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsAsciiSpace(c.c), c.ascii) << int(c.c);
        EXPECT_EQ(IsUnicodeSpace(c.c), c.unicode) << int(c.c);
        if (c.ascii) {
            EXPECT_TRUE(IsLocaleSpace(c.c)) << "every locale counts the ASCII blanks";
        }
    }
    EXPECT_EQ(TrimBlanks(u" \t a b \r\n"), u"a b");
}

TEST(TextHelpers, AsciiCaseComparisonsIgnoreOnlyAsciiLetters) {
    EXPECT_TRUE(EqualsIgnoringAsciiCase(u"LoadType", "loadtype"));
    EXPECT_TRUE(EqualsIgnoringAsciiCase(u".JPG", u".jpg"));
    EXPECT_FALSE(EqualsIgnoringAsciiCase(u"\u00C4", u"\u00E4")) << "Ä and ä are not ASCII";
    EXPECT_FALSE(EqualsIgnoringAsciiCase(u"abc", "ab"));
    EXPECT_EQ(AsciiLower(u"ÄBC.Txt"), u"Äbc.txt");
    EXPECT_EQ(AsciiUpper(u"äbc.Txt"), u"äBC.TXT");
    EXPECT_EQ(DecimalText(-2147483648LL), u"-2147483648");
}
