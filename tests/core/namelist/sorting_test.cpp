#include "namelist/Sorting.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "list_ops_support.h"
#include "namelist/AddItems.h"

using namespace quirnel;
using namespace quirnel::test;

namespace {

using Names = std::vector<std::u16string>;

std::vector<Item> SpecItems() {
    return {{u"b.txt", u"C:\\data"}, {u"a10.txt", u"C:\\data"}, {u"a9.txt", u"C:\\data"}, {u"a", u"C:\\data", true}};
}

struct NameSortCase {
    const char* what;
    int column;
    bool ascending;
    TextOrder order;
    Names expected;  // Old Names after the sort
};

TEST(SortingTest, NameColumnsKeepFilesAndFoldersApart) {
    const NameSortCase cases[] = {
        {"logical ascending", ColOldName, true, TextOrder::Logical, {u"a9.txt", u"a10.txt", u"b.txt", u"a"}},
        {"plain ascending", ColOldName, true, TextOrder::Plain, {u"a10.txt", u"a9.txt", u"b.txt", u"a"}},
        {"logical descending puts folders first", ColOldName, false, TextOrder::Logical, {u"a", u"b.txt", u"a10.txt", u"a9.txt"}},
        {"plain descending", ColOldName, false, TextOrder::Plain, {u"a", u"b.txt", u"a9.txt", u"a10.txt"}},
        {"new name descending", ColNewName, false, TextOrder::Logical, {u"a", u"b.txt", u"a10.txt", u"a9.txt"}},
        {"full path", ColFullPath, true, TextOrder::Logical, {u"a9.txt", u"a10.txt", u"b.txt", u"a"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        NameList list(PathStyle::forWindows());
        Fill(list, SpecItems());
        SortRows(list, c.column, c.ascending, c.order);
        EXPECT_EQ(ColumnTexts(list, ColOldName), c.expected);
    }
}

TEST(SortingTest, NewNameSortsByTheProposedText) {
    NameList list(PathStyle::forPosix());
    Fill(list, {{u"x1", u"/d"}, {u"x2", u"/d"}, {u"x3", u"/d"}});
    list.setNewName(0, u"c");
    list.setNewName(1, u"A");
    list.setNewName(2, u"b");
    SortRows(list, ColNewName, true, TextOrder::Logical);
    EXPECT_EQ(ColumnTexts(list, ColNewName), (Names{u"A", u"b", u"c"}));
    EXPECT_EQ(ColumnTexts(list, ColOldName), (Names{u"x2", u"x3", u"x1"}));
}

TEST(SortingTest, FolderColumnsCompareDigitRunsByValue) {
    NameList list(PathStyle::forPosix());
    Fill(list, {{u"f", u"/photos/2023-10"}, {u"f", u"/photos/2023-9"}, {u"f", u"/Photos/2023-09b"}});
    SortRows(list, ColOldFolder, true, TextOrder::Logical);
    EXPECT_EQ(ColumnTexts(list, ColOldFolder), (Names{u"/photos/2023-9", u"/Photos/2023-09b", u"/photos/2023-10"}));
}

TEST(SortingTest, SizeSortsAsNumbersWithFoldersAmongFiles) {
    NameList list(PathStyle::forWindows());
    Fill(list, {{.name = u"big", .folder = u"C:\\d", .size = 1000},
                {.name = u"nine", .folder = u"C:\\d", .size = 9},
                {.name = u"dir", .folder = u"C:\\d", .isFolder = true},
                {.name = u"huge", .folder = u"C:\\d", .size = 18446744073709551615ull},
                {.name = u"mid", .folder = u"C:\\d", .size = 123456}});
    SortRows(list, ColSize, true, TextOrder::Logical);
    EXPECT_EQ(ColumnTexts(list, ColOldName), (Names{u"dir", u"nine", u"big", u"mid", u"huge"}));
    EXPECT_EQ(list.text(2, ColSize), u"1,000");
    SortRows(list, ColSize, false, TextOrder::Logical);
    EXPECT_EQ(ColumnTexts(list, ColOldName), (Names{u"huge", u"mid", u"big", u"nine", u"dir"}));
}

TEST(SortingTest, TimeColumnsFollowTheirText) {
    NameList list(PathStyle::forPosix());
    Fill(list, {{u"new", u"/d", false, 1700000000, 1700000000},
                {u"old", u"/d", false, 1000000000, 1000000000},
                {u"mid", u"/d", true, 1500000000, 1500000000}});
    for (int column : {ColModified, ColCreated}) {
        SortRows(list, column, true, TextOrder::Logical);
        EXPECT_EQ(ColumnTexts(list, ColOldName), (Names{u"old", u"mid", u"new"}));
        Names texts = ColumnTexts(list, column);
        EXPECT_TRUE(std::is_sorted(texts.begin(), texts.end()));
        SortRows(list, column, false, TextOrder::Logical);
        EXPECT_EQ(ColumnTexts(list, ColOldName), (Names{u"new", u"mid", u"old"}));
    }
}

// Rows that compare equal keep their order, ascending and descending.
TEST(SortingTest, EqualRowsKeepTheirOrder) {
    NameList list(PathStyle::forPosix());
    Fill(list, {{u"File.txt", u"/a"}, {u"b", u"/a"}, {u"file.TXT", u"/b"}, {u"FILE.txt", u"/c"}});
    SortRows(list, ColOldName, true, TextOrder::Logical);
    EXPECT_EQ(ColumnTexts(list, ColFullPath), (Names{u"/a/b", u"/a/File.txt", u"/b/file.TXT", u"/c/FILE.txt"}));
    SortRows(list, ColOldName, false, TextOrder::Logical);
    EXPECT_EQ(ColumnTexts(list, ColFullPath), (Names{u"/a/File.txt", u"/b/file.TXT", u"/c/FILE.txt", u"/a/b"}));
    SortRows(list, -1, true, TextOrder::Logical);
    SortRows(list, 99, false, TextOrder::Logical);
    EXPECT_EQ(ColumnTexts(list, ColFullPath), (Names{u"/a/File.txt", u"/b/file.TXT", u"/c/FILE.txt", u"/a/b"}));
}

TEST(SortingTest, LogicalOrderBeyondAsciiAndSixtyFourBits) {
    NameList list(PathStyle::forPosix());
    Fill(list, {{u"n100000000000000000000000.txt", u"/d"},
                {u"n99999999999999999999999.txt", u"/d"},
                {u"n18446744073709551616.txt", u"/d"},
                {u"n18446744073709551615.txt", u"/d"},
                {u"\u00C9t\u00E9", u"/d"},
                {u"\u00E9T\u00C9", u"/d"},
                {u"zoo", u"/d"},
                {u"n007.txt", u"/d"},
                {u"n8.txt", u"/d"}});
    SortRows(list, ColOldName, true, TextOrder::Logical);
    EXPECT_EQ(ColumnTexts(list, ColOldName),
              (Names{u"\u00C9t\u00E9", u"\u00E9T\u00C9", u"n007.txt", u"n8.txt", u"n18446744073709551615.txt",
                     u"n18446744073709551616.txt", u"n99999999999999999999999.txt", u"n100000000000000000000000.txt",
                     u"zoo"}));
}

// The bulk sort and the pairwise comparator must agree on every column.
TEST(SortingTest, SortedRowsAreOrderedByCompareRows) {
    NameList list(PathStyle::forWindows());
    std::vector<Item> items;
    const char16_t* stems[] = {u"IMG_", u"img_", u"report_v", u"Report v", u"\u00E4rger", u"Zeta", u""};
    for (int i = 0; i < 70; ++i) {
        std::u16string n = stems[i % 7] + std::u16string(1, u'0' + (i * 7) % 10) + u"" +
                           std::u16string(1, u'0' + i % 3) + (i % 4 ? u".jpg" : u".JPG");
        int64_t time = int64_t(i % 5) * 1000;
        items.push_back({n, i % 2 ? u"C:\\b10" : u"C:\\b9", i % 9 == 0, time, time, uint64_t(i * 37 % 11)});
    }
    Fill(list, items);
    for (TextOrder order : {TextOrder::Logical, TextOrder::Plain})
        for (bool ascending : {true, false})
            for (int column = ColOldName; column < ColumnCount; ++column) {
                SCOPED_TRACE(column);
                SortRows(list, column, ascending, order);
                for (int r = 0; r + 1 < list.size(); ++r) {
                    int c = CompareRows(list, r, r + 1, column, order);
                    EXPECT_TRUE(ascending ? c <= 0 : c >= 0) << "rows " << r << ", " << r + 1;
                }
            }
}

// Long lists build their keys on several threads; the result must be the same
// ordered, stable sequence.
TEST(SortingTest, LongListsSortLikeShortOnes) {
    NameList list(PathStyle::forPosix());
    std::vector<Item> items;
    for (int i = 0; i < 30000; ++i) {
        std::u16string digits, folder = u"/f";
        for (char c : std::to_string((i * 7919) % 1000)) digits.push_back(c);
        for (char c : std::to_string(i)) folder.push_back(c);
        items.push_back({(i % 2 ? u"Img_" : u"img_") + digits, folder, i % 17 == 0});
    }
    Fill(list, items);
    ASSERT_EQ(list.size(), 30000);
    for (bool ascending : {true, false}) {
        SortRows(list, ColOldName, ascending, TextOrder::Logical);
        for (int r = 0; r + 1 < list.size(); ++r) {
            int c = CompareRows(list, r, r + 1, ColOldName, TextOrder::Logical);
            ASSERT_TRUE(ascending ? c <= 0 : c >= 0) << r;
        }
    }
    // Equal names (case aside) keep the order the previous sort left them in.
    std::vector<std::u16string> before = ColumnTexts(list, ColFullPath);
    SortRows(list, ColOldName, false, TextOrder::Logical);
    EXPECT_EQ(ColumnTexts(list, ColFullPath), before);
}

TEST(SortingTest, SortListRemembersStateAndFollowsSortLikeWindows) {
    TestWorkspace t;
    Fill(t.ws.list, SpecItems());
    t.app.settings.SortLikeWindows = 0;
    SortList(t.ws, ColOldName, true);
    EXPECT_EQ(t.ws.sortColumn, ColOldName);
    EXPECT_TRUE(t.ws.sortAscending);
    EXPECT_EQ(ColumnTexts(t.ws.list, ColOldName), (Names{u"a10.txt", u"a9.txt", u"b.txt", u"a"}));

    t.app.settings.SortLikeWindows = 1;
    t.ws.sortColumn = ColOldName;
    t.ws.sortAscending = false;
    AutoSortAfterAdd(t.ws);
    EXPECT_EQ(ColumnTexts(t.ws.list, ColOldName), (Names{u"a", u"b.txt", u"a10.txt", u"a9.txt"}));

    SortList(t.ws, -1, true);
    EXPECT_EQ(t.ws.sortColumn, -1);
    EXPECT_EQ(ColumnTexts(t.ws.list, ColOldName), (Names{u"a", u"b.txt", u"a10.txt", u"a9.txt"}));
}

TEST(SortingTest, HeaderClicksStartAscendingAndThenFlip) {
    TestWorkspace t;
    t.ws.sortColumn = ColSize;
    t.ws.sortAscending = true;
    EXPECT_FALSE(HeaderClickAscending(t.ws, ColSize)) << "second click on the ascending column";
    EXPECT_TRUE(HeaderClickAscending(t.ws, ColOldName)) << "a new column starts ascending";
    t.ws.sortAscending = false;
    EXPECT_TRUE(HeaderClickAscending(t.ws, ColSize)) << "third click restores ascending";
}

}  // namespace
