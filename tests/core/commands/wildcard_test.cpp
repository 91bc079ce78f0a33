#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "TestText.h"
#include "base/TextIds.h"
#include "commands/Wildcard.h"

using namespace quirnel;

namespace {
WildcardOutput OutputOf(bool extract) { return extract ? WildcardOutput::ReplacementsOnly : WildcardOutput::WholeText; }
}  // namespace

TEST(WildcardReplaceTest, Examples) {
    struct Case {
        std::u16string text, pattern, replacement;
        bool extract;
        std::u16string expected;
    } cases[] = {
        {u"pic123done", u"c*d", u"C*D", false, u"piC123Done"},
        {u"a1b2c3", u"?b", u"?B", false, u"a1B2c3"},
        {u"2019-05-01", u"-*-", u"_", false, u"2019_01"},
        {u"a(1)b(2)", u"(*)", u"", false, u"ab"},
        {u"a(1)b(2)", u"(*)", u"(*)", true, u"(1)(2)"},
        {u"abxbyd", u"a*b?d", u"A*B?D", false, u"abxbyd"},
        {u"abxbyd", u"a*b?d", u"a*b?d", true, u""},
        {u"file", u"file?", u"X", false, u"file"},
        {u"abxyz", u"x*", u"X*", false, u"abXyz"},
        {u"track(1)", u"(*)", u"", false, u"track"},
        {u"aaa", u"aa", u"b", false, u"ba"},
        {u"abab", u"?", u"?", true, u"abab"},
        // The restart after a failed anchored literal begins one past the
        // failed start, never at a later occurrence of the same literal.
        {u"xaxaab", u"a?b", u"<a?b>", false, u"xax<aab>"},
        {u"aab", u"a?", u"A?", false, u"Aab"},
        // A replacement with another number of tokens deletes the match.
        {u"a1b", u"a?b", u"x?y?", false, u""},
        // Equal token count but a wildcard where the pattern has a literal:
        // the replacement's token text is used as it stands.
        {u"a1b", u"a?b", u"x?*", false, u"x1*"},
        {u"", u"a", u"b", false, u""},
        {u"abc", u"", u"x", false, u"abc"},
        {u"abc", u"", u"x", true, u""},
        {u"abc", u"*", u"<*>", false, u""},
        {u"abc", u"**", u"x", false, u"x"},
        {u"abc", u"?*", u"X", false, u"X"},
        {u"ab", u"*?", u"X", false, u"XX"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(WildcardReplace(c.text, c.pattern, c.replacement, OutputOf(c.extract)), c.expected)
            << ToUtf8(c.text) << " / " << ToUtf8(c.pattern) << " / " << ToUtf8(c.replacement);
}

TEST(WildcardReplaceTest, PatternFound) {
    EXPECT_TRUE(PatternFound(u"holiday.jpg", u"day"));
    EXPECT_TRUE(PatternFound(u"IMG_001", u"IMG_???"));
    EXPECT_FALSE(PatternFound(u"IMG_01", u"IMG_???"));
    EXPECT_FALSE(PatternFound(u"Day", u"day"));
    EXPECT_FALSE(PatternFound(u"", u"*"));
}

TEST(WildcardReplaceTest, OddTextsNeverBreakIt) {
    std::u16string lone = u"a\xD800" u"b\xDC00" u"*";
    EXPECT_EQ(WildcardReplace(lone, u"\xD800?", u"<?", WildcardOutput::WholeText), u"a<b\xDC00*");
    std::u16string huge(100000, u'a');
    EXPECT_EQ(WildcardReplace(huge, u"a?b", u"", WildcardOutput::WholeText), huge);  // one search, then done
    std::u16string pattern;
    for (int i = 0; i < 2000; ++i) pattern += u"?*a";
    EXPECT_EQ(WildcardReplace(u"xyz", pattern, pattern, WildcardOutput::ReplacementsOnly), u"");
    // Every restart searches again in the naive reading; this must stay fast.
    std::u16string many(20000, u'x');
    many += u"zb";
    EXPECT_EQ(WildcardReplace(many, u"?b", u"?B", WildcardOutput::WholeText).substr(many.size() - 2), u"zB");
}

TEST(PatternShapeTest, Shapes) {
    struct Case {
        std::u16string text, shape;
    } cases[] = {
        {u"a*bc?d", u"_*_?_"}, {u"", u""}, {u"ab_c", u"_"}, {u"*", u"*"},
        {u"a**b", u"_**_"},    {u"?a", u"?_"}, {u"a*b?c", u"_*_?_"},
    };
    for (const Case& c : cases) EXPECT_EQ(PatternShape(c.text), c.shape) << ToUtf8(c.text);
}

TEST(PatternShapeTest, ArgumentCheck) {
    struct Case {
        std::u16string pattern, second;
        int expected;
    } cases[] = {
        {u"a**b", u"", text::InvalidWildcardUsage}, {u"a*?b", u"", text::InvalidWildcardUsage},
        {u"a?*b", u"", text::InvalidWildcardUsage}, {u"*", u"", text::InvalidWildcardUsage},
        {u"?", u"x", text::InvalidWildcardUsage},   {u"a??b", u"", 0},
        {u"a*b", u"x*y", 0},                   {u"a*b", u"x?y", text::WildcardsNotPaired},
        {u"a*b", u"xy", 0},                    {u"a*b", u"", 0},
        {u"a", u"", 0},                        {u"a*b", u"*", text::WildcardsNotPaired},
        {u"a**b", u"x**y", text::InvalidWildcardUsage}, {u"[*]", u"12", 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CheckWildcardArguments(c.pattern, c.second), c.expected)
            << ToUtf8(c.pattern) << " / " << ToUtf8(c.second);
}

// A second, deliberately plain reading of the matching steps: tokens as
// strings, every search done afresh, the restart written out as a jump.
namespace model {

std::vector<std::u16string> Tokens(const std::u16string& p) {
    std::vector<std::u16string> t;
    for (char16_t c : p) {
        if (c == u'*' || c == u'?') {
            t.push_back(std::u16string(1, c));
        } else if (!t.empty() && t.back() != u"*" && t.back() != u"?") {
            t.back() += c;
        } else {
            t.push_back(std::u16string(1, c));
        }
    }
    return t;
}

std::u16string Replace(const std::u16string& T, const std::u16string& P, const std::u16string& R, bool extract) {
    auto A = Tokens(P), B = Tokens(R);
    long n = T.size(), k = A.size(), m = B.size();
    std::u16string out;
    long pos = 0, lastEnd = -1;
    for (;;) {
    step1:
        if (pos >= n) break;
        long cur = pos, start = -1, last = -1, starFrom = -1;
        bool anchored = false;
        std::vector<std::u16string> cap(k);
        for (long i = 0; i < k; ++i) {
            if (A[i] == u"?") {
                if (cur >= n) goto step5;
                cap[i] = T.substr(cur, 1);
                if (i == 0) start = cur;
                last = cur;
                cur++;
                anchored = true;
            } else if (A[i] == u"*" && i == k - 1) {
                if (i == 0) start = cur;
                cap[i] = T.substr(cur);
                last = n - 1;
                cur = n;
            } else if (A[i] == u"*") {
                if (i == 0) start = cur;
                starFrom = cur;
                anchored = false;
            } else {
                size_t f = T.find(A[i], cur);
                if (f == std::u16string::npos) goto step5;
                if (anchored && static_cast<long>(f) > cur) {
                    pos = start + 1;
                    goto step1;
                }
                if (i == 0) start = f;
                if (i > 0 && A[i - 1] == u"*") cap[i - 1] = T.substr(starFrom, f - starFrom);
                cur = f + A[i].size();
                last = cur - 1;
                anchored = true;
            }
        }
        if (!extract) out += T.substr(lastEnd + 1, start - (lastEnd + 1));
        if (m == k) {
            for (long i = 0; i < k; ++i) out += (A[i] == u"*" || A[i] == u"?") ? cap[i] : B[i];
        } else if (m == 1) {
            out += B[0];
        }
        lastEnd = last;
        pos = cur;
    }
step5:
    if (!extract) out += T.substr(lastEnd + 1);
    return out;
}

}  // namespace model

TEST(WildcardReplaceTest, AgreesWithAPlainModelOnGeneratedInputs) {
    std::mt19937 rng(20240531);
    auto pick = [&](int n) { return static_cast<int>(rng() % n); };
    const char16_t* pieces[] = {u"a", u"b", u"ab", u"ba", u"c", u"*", u"?", u"?", u"*"};
    const char16_t* replPieces[] = {u"X", u"Y", u"*", u"?", u"Z"};
    for (int round = 0; round < 40000; ++round) {
        std::u16string text;
        for (int i = pick(14); i > 0; --i) text += static_cast<char16_t>(u'a' + pick(3));
        std::u16string pattern;
        for (int i = 1 + pick(5); i > 0; --i) pattern += pieces[pick(9)];
        std::u16string repl;
        switch (pick(4)) {
            case 0:  // same shape, other literals
                for (char16_t c : pattern) repl += (c == u'*' || c == u'?') ? c : static_cast<char16_t>(c - u'a' + u'A');
                break;
            case 1: repl.assign(1, u'R'); break;
            case 2: break;
            default:
                for (int i = pick(5); i > 0; --i) repl += replPieces[pick(5)];
        }
        bool extract = pick(3) == 0;
        ASSERT_EQ(WildcardReplace(text, pattern, repl, OutputOf(extract)), model::Replace(text, pattern, repl, extract))
            << ToUtf8(text) << " / " << ToUtf8(pattern) << " / " << ToUtf8(repl) << " / " << extract;
    }
}
