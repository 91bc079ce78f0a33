#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "TestText.h"
#include "commands/Primitives.h"
#include "platform/PathText.h"

using namespace quirnel;

TEST(NamePartTest, TheTwoJoinsDifferOnlyForATrailingDot) {
    for (std::u16string name : {u"a.txt", u"abc", u"abc.", u".profile"}) {
        auto part = NamePart(name, false);
        EXPECT_EQ(NameWithDottedExt(part, ExtensionOf(name, Dot::With)), name);
        std::u16string joined = NameDotExt(part, ExtensionOf(name, Dot::Without));
        EXPECT_EQ(joined, name == u"abc." ? u"abc" : name);
    }
}

TEST(ResolvePositionsTest, RangesFromTwoTexts) {
    struct Case {
        std::u16string a1, a2;
        bool some;
        int first, last;
    } cases[] = {
        {u"", u"", false, 0, 0},     {u"2", u"4", true, 1, 3},   {u"3", u"", true, 2, -1},
        {u"5", u"3", false, 0, 0},   {u"", u"2", true, 0, 1},    {u"0", u"0", false, 0, 0},
        {u"-2", u"", false, 0, 0},   {u"-2", u"3", true, 0, 2},  {u"2", u"-1", true, 1, -1},
        {u"3", u"3", true, 2, 2},
    };
    for (const Case& c : cases) {
        auto r = ResolvePositions(c.a1, c.a2);
        ASSERT_EQ(r.has_value(), c.some) << ToUtf8(c.a1) << "," << ToUtf8(c.a2);
        if (!r) continue;
        EXPECT_EQ(r->first, c.first);
        EXPECT_EQ(r->last, c.last);
    }
}

TEST(ResolvePositionsTest, CoveredSpanIsCutAtTheTextAndMirroredFromTheBack) {
    struct Case {
        int first, last;
        size_t length;
        bool back;
        size_t begin, count;
    } cases[] = {
        {1, 3, 6, false, 1, 3},   {2, -1, 6, false, 2, 4}, {5, -1, 4, false, 0, 0},
        {1, 9, 4, false, 1, 3},   {0, 2, 6, true, 3, 3},   {2, -1, 6, true, 0, 4},
        {0, 0, 0, false, 0, 0},   {0, -1, 0, true, 0, 0},  {3, 3, 4, true, 0, 1},
    };
    for (const Case& c : cases) {
        Span s = CoveredSpan(PositionRange{c.first, c.last}, c.length, c.back);
        EXPECT_EQ(s.count, c.count) << c.first << " " << c.last << " " << c.length;
        if (s.count) {
            EXPECT_EQ(s.begin, c.begin) << c.first << " " << c.last << " " << c.length;
        }
    }
}

TEST(DelimiterTest, PairsNeedOneCharacterEach) {
    EXPECT_TRUE(DelimiterPair(u"(", u")"));
    EXPECT_FALSE(DelimiterPair(u"((", u")"));
    EXPECT_FALSE(DelimiterPair(u"", u")"));
    EXPECT_FALSE(DelimiterPair(u"(", u""));
    auto same = DelimiterPair(u"#", u"#");
    ASSERT_TRUE(same);
    EXPECT_EQ(same->start, u'#');
    EXPECT_EQ(same->end, u'#');
}

TEST(DelimiterTest, FindsTheFirstDelimitedPart) {
    struct Case {
        std::u16string text;
        char16_t d1, d2;
        bool some;
        size_t s, e;
    } cases[] = {
        {u"[a]b[c]", u'[', u']', true, 0, 2}, {u"#a#b#", u'#', u'#', true, 0, 2},
        {u"a]b[c", u'[', u']', false, 0, 0},  {u"##", u'#', u'#', true, 0, 1},
        {u"#", u'#', u'#', false, 0, 0},      {u"", u'[', u']', false, 0, 0},
        {u"x(y(z)", u'(', u')', true, 1, 5},
    };
    for (const Case& c : cases) {
        auto d = FindDelimited(c.text, c.d1, c.d2);
        ASSERT_EQ(d.has_value(), c.some) << ToUtf8(c.text);
        if (!d) continue;
        EXPECT_EQ(d->s, c.s);
        EXPECT_EQ(d->e, c.e);
    }
}
