#include <gtest/gtest.h>

#include "namelist/PathHelpers.h"

using namespace quirnel;

TEST(PathHelpers, ParentFolderNameAndExtension) {
    const PathStyle& w = PathStyle::Windows();
    const PathStyle& p = PathStyle::Posix();
    EXPECT_EQ(ParentFolderOf(u"C:\\data\\a.txt", w), u"C:\\data");
    EXPECT_EQ(ParentFolderOf(u"C:\\a.txt", w), u"C:");
    EXPECT_EQ(ParentFolderOf(u"C:\\\\a.txt", w), u"C:\\");
    EXPECT_EQ(ParentFolderOf(u"a.txt", w), u"");
    EXPECT_EQ(ParentFolderOf(u"/home/a.txt", p), u"/home");
    EXPECT_EQ(ParentFolderOf(u"/a.txt", p), u"/");

    struct Case {
        std::u16string text;
        std::u16string withExt, withoutExt, extDot, extNoDot;
    } cases[] = {
        {u"C:\\x\\a.tar.gz", u"a.tar.gz", u"a.tar", u".gz", u"gz"},
        {u".profile", u".profile", u"", u".profile", u"profile"},
        {u"name.", u"name.", u"name", u".", u""},
        {u"README", u"README", u"README", u"", u""},
    };
    for (const auto& c : cases) {
        std::u16string name = NameOf(c.text, true, w);
        EXPECT_EQ(name, c.withExt);
        EXPECT_EQ(NameOf(c.text, false, w), c.withoutExt);
        EXPECT_EQ(ExtensionOf(name, false, true), c.extDot);
        EXPECT_EQ(ExtensionOf(name, false, false), c.extNoDot);
    }
    EXPECT_EQ(ExtensionOf(u"photos.old", true, true), u"");
    EXPECT_EQ(NameOf(u"/x/y.d/a.b", false, p), u"a");
}

TEST(PathHelpers, JoiningKeepsEachStylesRule) {
    const PathStyle& w = PathStyle::Windows();
    const PathStyle& p = PathStyle::Posix();
    EXPECT_EQ(JoinFolder(u"C:\\data", w), u"C:\\data\\");
    EXPECT_EQ(JoinFolder(u"C:\\", w), u"C:\\");
    EXPECT_EQ(JoinFolder(u"", w), u"");
    EXPECT_EQ(JoinPath(u"C:\\", u"a.txt", w), u"C:\\\\a.txt");  // one separator always inserted
    EXPECT_EQ(JoinPath(u"/", u"a.txt", p), u"/a.txt");
    EXPECT_EQ(JoinPath(u"/srv", u"a.txt", p), u"/srv/a.txt");
}

TEST(PathHelpers, SizeTextGroupsDigits) {
    struct {
        uint64_t n;
        std::u16string text;
    } cases[] = {{0, u"0"}, {999, u"999"}, {1000, u"1,000"}, {1234, u"1,234"}, {1234567, u"1,234,567"},
                 {18446744073709551615ull, u"18,446,744,073,709,551,615"}};
    for (const auto& c : cases) EXPECT_EQ(SizeText(c.n), c.text);
}

TEST(PathHelpers, TimeTextIsFixedWidthLocalTime) {
    setenv("TZ", "UTC", 1);
    tzset();
    EXPECT_EQ(TimeText(1688461531), u"2023-07-04 09:05:31");
    setenv("TZ", "KST-9", 1);
    tzset();
    EXPECT_EQ(TimeText(1688461531), u"2023-07-04 18:05:31");
    unsetenv("TZ");
    tzset();
}
