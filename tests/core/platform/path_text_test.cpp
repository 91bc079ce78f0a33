#include <gtest/gtest.h>

#include "platform/NativeText.h"
#include "platform/PathText.h"

using namespace quirnel;

TEST(PathText, ParentFolderNameAndExtension) {
    const PathStyle& w = PathStyle::forWindows();
    const PathStyle& p = PathStyle::forPosix();
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
        std::u16string name = NameOf(c.text, Extension::Keep, w);
        EXPECT_EQ(name, c.withExt);
        EXPECT_EQ(NameOf(c.text, Extension::Drop, w), c.withoutExt);
        EXPECT_EQ(ExtensionOf(name, Dot::With), c.extDot);
        EXPECT_EQ(ExtensionOf(name, Dot::Without), c.extNoDot);
    }
    EXPECT_EQ(ExtensionOf(u"photos.old", true, Dot::With), u"");
    EXPECT_EQ(NameOf(u"/x/y.d/a.b", Extension::Drop, p), u"a");
}

TEST(PathText, JoiningKeepsEachStylesRule) {
    const PathStyle& w = PathStyle::forWindows();
    const PathStyle& p = PathStyle::forPosix();
    EXPECT_EQ(JoinFolder(u"C:\\data", w), u"C:\\data\\");
    EXPECT_EQ(JoinFolder(u"C:\\", w), u"C:\\");
    EXPECT_EQ(JoinFolder(u"", w), u"");
    EXPECT_EQ(JoinPath(u"C:\\", u"a.txt", w), u"C:\\\\a.txt");  // one separator always inserted
    EXPECT_EQ(JoinPath(u"/", u"a.txt", p), u"/a.txt");
    EXPECT_EQ(JoinPath(u"/srv", u"a.txt", p), u"/srv/a.txt");
}

// The run compares targets and old paths against rows without writing them
// out: the comparison must agree with the joined text, separator rules and all.
TEST(PathText, IsJoinedPathAgreesWithJoinPath) {
    const PathStyle& w = PathStyle::forWindows();
    const PathStyle& p = PathStyle::forPosix();
    struct Case {
        const PathStyle& style;
        std::u16string folder, name;
    } cases[] = {{p, u"/srv", u"a.txt"}, {p, u"/", u"a.txt"}, {p, u"", u"a.txt"}, {p, u"/srv/", u"a"},
                 {w, u"C:\\", u"a.txt"}, {w, u"C:\\d", u"a.txt"}, {w, u"", u"a"}};
    for (const Case& c : cases) {
        const std::u16string joined = JoinPath(c.folder, c.name, c.style);
        std::u16string written = u"left over";
        WriteJoinedPath(c.folder, c.name, c.style, written);
        EXPECT_EQ(written, joined);
        EXPECT_TRUE(IsJoinedPath(joined, c.folder, c.name, c.style)) << ToUtf8(joined);
        EXPECT_FALSE(IsJoinedPath(joined + u"x", c.folder, c.name, c.style)) << ToUtf8(joined);
        if (c.folder + c.name != joined) {
            EXPECT_FALSE(IsJoinedPath(c.folder + c.name, c.folder, c.name, c.style)) << ToUtf8(joined);
        }
        std::u16string otherSeparator = joined;
        if (otherSeparator.size() > c.name.size()) otherSeparator[otherSeparator.size() - c.name.size() - 1] = u'|';
        if (otherSeparator != joined) {
            EXPECT_FALSE(IsJoinedPath(otherSeparator, c.folder, c.name, c.style)) << ToUtf8(joined);
        }
    }
}

TEST(NamePartTest, SplitsFilesAtTheLastDotAndKeepsFoldersWhole) {
    struct Case {
        std::u16string name;
        bool folder;
        std::u16string part, extNoDot, extDot;
    } cases[] = {
        {u"a.b.txt", false, u"a.b", u"txt", u".txt"},
        {u"README", false, u"README", u"", u""},
        {u"abc.", false, u"abc", u"", u"."},
        {u".profile", false, u"", u"profile", u".profile"},
        {u"photos.old", true, u"photos.old", u"", u""},
        {u"", false, u"", u"", u""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(std::u16string(NamePart(c.name, c.folder)), c.part) << ToUtf8(c.name);
        EXPECT_EQ(std::u16string(ExtensionOf(c.name, c.folder, Dot::Without)), c.extNoDot) << ToUtf8(c.name);
        EXPECT_EQ(std::u16string(ExtensionOf(c.name, c.folder, Dot::With)), c.extDot) << ToUtf8(c.name);
    }
}
