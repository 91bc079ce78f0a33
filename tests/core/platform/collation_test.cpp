#include "platform/Collation.h"

#include <gtest/gtest.h>

#include <string>

using namespace quirnel;

namespace {

int Sign(int v) { return (v > 0) - (v < 0); }

int KeyOrder(const std::u16string& a, const std::u16string& b, TextOrder order) {
    std::string ka, kb;
    AppendSortKey(a, order, ka);
    AppendSortKey(b, order, kb);
    return Sign(ka.compare(kb));
}

struct OrderCase {
    const char16_t* a;
    const char16_t* b;
    int logical;  // expected sign
    int plain;
};

const OrderCase kCases[] = {
    {u"a9.txt", u"a10.txt", -1, 1},
    {u"a10.txt", u"b.txt", -1, -1},
    {u"IMG_2.jpg", u"img_10.JPG", -1, 1},
    {u"file.TXT", u"FILE.txt", 0, -1},  // plain: lower case first
    {u"a007", u"a7", 0, -1},
    {u"a007b", u"a7c", -1, -1},
    // Digit runs far beyond 64 bits are still read by value.
    {u"x99999999999999999999999", u"x100000000000000000000000", -1, 1},
    {u"x123456789012345678901234567890", u"x123456789012345678901234567891", -1, -1},
    // Case is ignored beyond ASCII.
    {u"\u00C4pfel", u"\u00E4pfel", 0, 1},
    {u"\u0394\u03AD\u03BB\u03C4\u03B1", u"\u03B4\u03AD\u03BB\u03C4\u03B1", 0, 1},
    {u"\u0416\u0443\u043A", u"\u0436\u0443\u043A", 0, 1},
    // Accented letters sort beside their base letter, not after z.
    {u"\u00E9t\u00E9", u"zoo", -1, -1},
    {u"", u"a", -1, -1},
    {u"same", u"same", 0, 0},
};

TEST(CollationTest, OrdersPairsInBothOrdersAndKeysAgree) {
    for (size_t i = 0; i < std::size(kCases); ++i) {
        const OrderCase& c = kCases[i];
        SCOPED_TRACE(i);
        EXPECT_EQ(Sign(CompareLogical(c.a, c.b)), c.logical);
        EXPECT_EQ(Sign(CompareLogical(c.b, c.a)), -c.logical);
        EXPECT_EQ(Sign(ComparePlain(c.a, c.b)), c.plain);
        EXPECT_EQ(KeyOrder(c.a, c.b, TextOrder::Logical), c.logical);
        EXPECT_EQ(KeyOrder(c.a, c.b, TextOrder::Plain), c.plain);
    }
}

TEST(CollationTest, KeysAppendAfterExistingBytes) {
    std::string out = "prefix";
    AppendSortKey(u"abc", TextOrder::Logical, out);
    std::string alone;
    AppendSortKey(u"abc", TextOrder::Logical, alone);
    EXPECT_EQ(out, "prefix" + alone);
    EXPECT_FALSE(alone.empty());
}

}  // namespace
