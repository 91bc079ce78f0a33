#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <set>

#include "namelist/NameList.h"
#include "platform/NativeText.h"
#include "platform/PathText.h"

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
    NameList list(PathStyle::forWindows());
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
    NameList list(PathStyle::forWindows());
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
    NameList list(PathStyle::forPosix());
    list.appendRow(Row(u"a.txt", u"/srv"));
    list.setNewName(0, u"b.txt");
    list.setNewFolder(0, u"/srv/new");
    std::u16string target = NewFullPath(list, 0);
    list.setText(0, ColOldName, std::u16string(list.newName(0)));
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

// The apply run's way: all three old columns at once; the set follows
// whatever is done with the list next.
TEST(NameList, SettingTheOldColumnsTogetherKeepsThePathSet) {
    NameList list(PathStyle::forPosix());
    for (char16_t c = u'a'; c <= u'd'; ++c) list.appendRow(Row(std::u16string(1, c), u"/d"));
    list.setNewName(0, u"a2");
    list.setApplied(0, u"a2", u"/d", u"/d/a2");
    list.setApplied(1, u"b", u"/e", u"/e/b");
    EXPECT_EQ(list.newName(0), u"a2");
    EXPECT_EQ(list.oldFolder(1), u"/e");
    EXPECT_EQ(list.newFolder(1), u"/d") << "the proposal is kept";
    list.removeRowsIf([](int r) { return r == 2; });
    EXPECT_TRUE(list.paths().contains(u"/d/a2"));
    EXPECT_TRUE(list.paths().contains(u"/e/b"));
    EXPECT_FALSE(list.paths().contains(u"/d/a"));
    EXPECT_FALSE(list.paths().contains(u"/d/c"));
    list.setApplied(2, u"x", u"/d", u"/d/x");
    EXPECT_FALSE(list.appendRow(Row(u"x", u"/d")));
    EXPECT_TRUE(list.appendRow(Row(u"d", u"/d")));
    list.removeRow(0);
    EXPECT_EQ(list.paths().size(), 3u);
    EXPECT_FALSE(list.paths().contains(u"/d/a2"));
}

TEST(NameList, RemoveIfKeepsOrderAndSet) {
    NameList list(PathStyle::forPosix());
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
        NameList list(PathStyle::forPosix());
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

// Enough rows for the set to grow several times and for removals to shift
// probe runs; every step is checked against a plain set of the paths.
TEST(NameList, PathSetFollowsManyAddsRemovalsAndAppliedChanges) {
    NameList list(PathStyle::forPosix());
    std::set<std::u16string> expected;
    auto name = [](int i) {
        std::u16string n = u"f";
        for (int part : {i % 26, i / 26 % 26, i / 676}) n.push_back(static_cast<char16_t>(u'a' + part));
        return n;
    };
    for (int i = 0; i < 3000; ++i) {
        std::u16string folder = i % 3 ? u"/d" : u"/";
        EXPECT_TRUE(list.appendRow(Row(name(i), folder)));
        expected.insert(JoinPath(folder, name(i), PathStyle::forPosix()));
    }
    EXPECT_FALSE(list.appendRow(Row(name(7), u"/d")));
    list.removeRowsIf([](int r) { return r % 5 == 2; });
    for (int r = 0; r < list.size(); r += 7) {
        const std::u16string old(list.oldName(r));
        std::u16string target = u"/e/" + old + u".x";
        list.setApplied(r, old + u".x", u"/e", target);
    }
    for (int i = 0; i < 40; ++i) list.removeRow(i * 11 % list.size());
    EXPECT_TRUE(list.appendRow(Row(u"again", u"/d")));
    expected.clear();
    for (int r = 0; r < list.size(); ++r) expected.insert(list.fullPath(r));
    EXPECT_EQ(list.paths().size(), expected.size());
    for (const auto& p : expected) EXPECT_TRUE(list.paths().contains(p)) << ToUtf8(p);
    for (int i = 0; i < 3000; ++i) {
        for (const auto& [folder, ext] : {std::pair{u"/d/", u""}, {u"//", u""}, {u"/", u""}, {u"/e/", u".x"}}) {
            std::u16string p = JoinPath(folder, name(i), PathStyle::forPosix()) + ext;
            EXPECT_EQ(list.paths().contains(p), expected.count(p) == 1) << ToUtf8(p);
        }
    }
    // A few applied rows move in the set one by one, the same row twice too.
    for (int r : {5, 6, 5}) {
        std::u16string before = list.fullPath(r);
        const std::u16string old(list.oldName(r));
        list.setApplied(r, old + u"y", u"/f", u"/f/" + old + u"y");
        EXPECT_FALSE(list.paths().contains(before));
        EXPECT_TRUE(list.paths().contains(list.fullPath(r)));
    }
    list.setApplied(7, u"z", u"/f", u"/f/z");
    list.setApplied(7, u"zz", u"/f", u"/f/zz");
    EXPECT_FALSE(list.paths().contains(u"/f/z"));
    EXPECT_TRUE(list.paths().contains(u"/f/zz"));
    EXPECT_EQ(list.paths().size(), static_cast<size_t>(list.size()));
}

// The names live in shared blocks, own blocks and handed-over New Names; every
// way a row's storage changes must leave each row's texts and paths as they were.
TEST(NameList, NamesSurvivePackingHandOverAndRefilling) {
    NameList list(PathStyle::forPosix());
    struct Names {
        std::u16string oldName, newName, path;
    };
    std::vector<Names> expected;
    auto name = [](int i) {
        std::u16string n = u"IMG_" + FromUtf8(std::to_string(i)) + u" holiday.jpg";
        if (i % 500 == 7) n += std::u16string(i % 1000 == 7 ? 70000 : 9000, u'x');  // past a block, past a quarter
        return n;
    };
    auto add = [&](int from, int to) {
        for (int i = from; i < to; ++i) {
            ASSERT_TRUE(list.appendRow(Row(name(i), u"/d")));
            expected.push_back({name(i), name(i), u"/d/" + name(i)});
        }
    };
    auto check = [&](const char* when) {
        ASSERT_EQ(list.size(), static_cast<int>(expected.size())) << when;
        for (int r = 0; r < list.size(); ++r) {
            ASSERT_EQ(list.oldName(r), expected[r].oldName) << when << " row " << r;
            ASSERT_EQ(list.newName(r), expected[r].newName) << when << " row " << r;
            ASSERT_EQ(list.fullPath(r), expected[r].path) << when << " row " << r;
            ASSERT_TRUE(list.paths().contains(expected[r].path)) << when << " row " << r;
        }
    };
    add(0, 6000);
    for (int r = 0; r < list.size(); r += 3) {
        expected[r].newName = u"new " + expected[r].oldName;
        list.setNewName(r, expected[r].newName);
    }
    // Applied under its New Name, under another, and with the Old Name typed over.
    for (int r = 0; r < 60; ++r) {
        std::u16string applied = r % 3 == 0 ? expected[r].newName : u"other " + FromUtf8(std::to_string(r));
        list.setApplied(r, applied, u"/d", u"/d/" + applied);
        if (r % 3 == 0) expected[r].newName = applied;
        expected[r].oldName = applied;
        expected[r].path = u"/d/" + applied;
    }
    list.setText(61, ColOldName, std::u16string(list.newName(61)));  // row 61 has no New Name of its own
    list.setText(63, ColOldName, std::u16string(list.newName(63)));
    expected[63].oldName = expected[63].newName;
    list.setNewName(66, list.oldName(66));
    expected[66].newName = expected[66].oldName;
    check("after applying");
    // Most rows go, which packs the shared blocks, then as many come back.
    list.removeRowsIf([](int r) { return r % 4 != 1; });
    std::vector<Names> kept;
    for (size_t i = 1; i < expected.size(); i += 4) kept.push_back(expected[i]);
    expected = kept;
    check("after removing");
    add(6000, 9000);
    for (int k = 0; k < 30; ++k) {
        const int r = k * 37 % list.size();
        list.removeRow(r);
        expected.erase(expected.begin() + r);
    }
    check("after re-adding");
    // Every row applied under its New Name: the shared blocks hold nothing live.
    for (int r = 0; r < list.size(); ++r) {
        const std::u16string applied = expected[r].newName + u"!";
        list.setNewName(r, applied);
        list.setApplied(r, applied, u"/d", u"/d/" + applied);
        expected[r] = {applied, applied, u"/d/" + applied};
    }
    check("after applying all");
    list.clear();
    expected.clear();
    add(100, 2100);
    check("refilled");
}
