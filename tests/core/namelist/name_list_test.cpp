#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "namelist/NameList.h"

using namespace quirnel;

namespace {
RowSource Row(const std::u16string& name, const std::u16string& folder, bool isFolder = false) {
    RowSource s;
    s.name = name;
    s.folder = folder;
    s.isFolder = isFolder;
    s.size = 5;
    return s;
}
}  // namespace

TEST(NameList, PathSetIsExactAndCaseSensitive) {
    NameList list(PathStyle::Windows());
    EXPECT_TRUE(list.appendRow(Row(u"a.txt", u"C:\\d")));
    EXPECT_FALSE(list.appendRow(Row(u"a.txt", u"C:\\d")));
    EXPECT_TRUE(list.appendRow(Row(u"A.txt", u"C:\\d")));
    EXPECT_TRUE(list.appendRow(Row(u"b.txt", u"C:")));
    EXPECT_TRUE(list.paths().contains(u"C:\\d\\a.txt"));
    EXPECT_TRUE(list.paths().contains(u"C:\\b.txt"));
    EXPECT_FALSE(list.paths().contains(u"C:\\d\\a.tx"));
    EXPECT_FALSE(list.paths().contains(u"c:\\d\\a.txt"));
    list.removeRow(0);
    EXPECT_FALSE(list.paths().contains(u"C:\\d\\a.txt"));
    EXPECT_TRUE(list.appendRow(Row(u"a.txt", u"C:\\d")));
}

TEST(NameList, DerivedPathsFollowTheirRules) {
    NameList list(PathStyle::Windows());
    list.appendRow(Row(u"a.txt", u"C:\\"));
    list.appendRow(Row(u"photos.old", u"C:\\data", true));
    EXPECT_EQ(list.fullPath(0), u"C:\\a.txt");
    EXPECT_EQ(NewFullPath(list, 0), u"C:\\\\a.txt");
    EXPECT_EQ(list.text(1, ColSize), u"0");
    list.setNewName(1, u"photos.new");
    list.setNewFolder(1, u"D:\\x");
    EXPECT_EQ(NewFullPath(list, 1), u"D:\\x\\photos.new");
    EXPECT_EQ(list.text(1, ColOldName), u"photos.old");
}

TEST(NameList, WritingTheOldColumnsLikeAnApplyKeepsThePathSet) {
    NameList list(PathStyle::Posix());
    list.appendRow(Row(u"a.txt", u"/srv"));
    list.setNewName(0, u"b.txt");
    list.setNewFolder(0, u"/srv/new");
    std::u16string target = NewFullPath(list, 0);
    list.setText(0, ColOldName, list.newName(0));
    EXPECT_EQ(list.fullPath(0), u"/srv/a.txt");  // the Full Path cell does not move with Old Name
    EXPECT_EQ(list.newName(0), u"b.txt");
    list.setText(0, ColOldFolder, list.newFolder(0));
    list.setText(0, ColFullPath, target);
    EXPECT_EQ(list.fullPath(0), u"/srv/new/b.txt");
    EXPECT_TRUE(list.paths().contains(u"/srv/new/b.txt"));
    EXPECT_FALSE(list.paths().contains(u"/srv/a.txt"));
    EXPECT_EQ(list.paths().size(), 1u);
    list.setText(0, ColFullPath, u"elsewhere");  // any text is kept as it is
    EXPECT_EQ(list.text(0, ColFullPath), u"elsewhere");
    EXPECT_TRUE(list.paths().contains(u"elsewhere"));
}

TEST(NameList, RemoveIfKeepsOrderAndSet) {
    NameList list(PathStyle::Posix());
    for (char16_t c = u'a'; c <= u'f'; ++c) list.appendRow(Row(std::u16string(1, c), u"/d"));
    int removed = list.removeRowsIf([&](int r) { return r % 2 == 0; });
    EXPECT_EQ(removed, 3);
    ASSERT_EQ(list.size(), 3);
    EXPECT_EQ(list.oldName(0), u"b");
    EXPECT_EQ(list.oldName(2), u"f");
    EXPECT_EQ(list.paths().size(), 3u);
    EXPECT_FALSE(list.paths().contains(u"/d/a"));
    list.reorder({2, 0, 1});
    EXPECT_EQ(list.oldName(0), u"f");
    EXPECT_TRUE(list.paths().contains(u"/d/f"));
}

// Removing few rows erases their paths; removing most rebuilds the set from
// the rows that stay; removing all empties it. The set must end the same.
TEST(NameList, RemoveIfLeavesExactlyTheKeptPathsWhateverItRemoves) {
    struct Case {
        const char* what;
        std::function<bool(int)> remove;
        std::vector<std::u16string> kept;
    };
    const Case cases[] = {
        {"one", [](int r) { return r == 2; }, {u"a", u"b", u"d", u"e", u"f"}},
        {"all but one", [](int r) { return r != 4; }, {u"e"}},
        {"all", [](int) { return true; }, {}},
        {"none", [](int) { return false; }, {u"a", u"b", u"c", u"d", u"e", u"f"}},
    };
    for (const Case& c : cases) {
        NameList list(PathStyle::Posix());
        for (char16_t ch = u'a'; ch <= u'f'; ++ch) list.appendRow(Row(std::u16string(1, ch), u"/d"));
        list.setText(4, ColFullPath, u"/moved/e");  // a Full Path of its own survives a rebuild
        list.removeRowsIf(c.remove);
        ASSERT_EQ(list.size(), static_cast<int>(c.kept.size())) << c.what;
        EXPECT_EQ(list.paths().size(), c.kept.size()) << c.what;
        for (int r = 0; r < list.size(); ++r) {
            EXPECT_EQ(list.oldName(r), c.kept[r]) << c.what;
            EXPECT_TRUE(list.paths().contains(list.fullPath(r))) << c.what;
        }
        const bool cKept = std::find(c.kept.begin(), c.kept.end(), u"c") != c.kept.end();
        EXPECT_EQ(list.paths().contains(u"/d/c"), cKept) << c.what;
        EXPECT_EQ(list.appendRow(Row(u"c", u"/d")), !cKept) << c.what << ": a removed path can be added again";
    }
}

TEST(NameListTexts, SizeTextGroupsDigits) {
    struct {
        uint64_t n;
        std::u16string text;
    } cases[] = {{0, u"0"}, {999, u"999"}, {1000, u"1,000"}, {1234, u"1,234"}, {1234567, u"1,234,567"},
                 {18446744073709551615ull, u"18,446,744,073,709,551,615"}};
    for (const auto& c : cases) EXPECT_EQ(SizeText(c.n), c.text);
}
