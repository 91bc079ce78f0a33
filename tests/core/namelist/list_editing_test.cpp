#include "namelist/ListEditing.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/StringTable.h"
#include "list_ops_support.h"

using namespace quirnel;
using namespace quirnel::test;

namespace {

using Names = std::vector<std::u16string>;

// A plain wildcard search standing in for the rename commands' engine: the
// pattern matches somewhere in the text, * any run, ? one character.
bool MatchesAt(std::u16string_view p, std::u16string_view t) {
    if (p.empty()) return true;
    if (p[0] == u'*') {
        for (size_t k = 0; k <= t.size(); ++k)
            if (MatchesAt(p.substr(1), t.substr(k))) return true;
        return false;
    }
    if (t.empty() || (p[0] != u'?' && p[0] != t[0])) return false;
    return MatchesAt(p.substr(1), t.substr(1));
}

bool SimpleFound(const std::u16string& text, const std::u16string& pattern) {
    for (size_t i = 0; i < text.size(); ++i)
        if (MatchesAt(pattern, std::u16string_view(text).substr(i))) return true;
    return false;
}

// The PathSet holds exactly the listed rows' paths.
void ExpectPathSetExact(const NameList& list, const Names& gone) {
    EXPECT_EQ(list.paths().size(), static_cast<size_t>(list.size()));
    for (int r = 0; r < list.size(); ++r) EXPECT_TRUE(list.paths().contains(list.fullPath(r))) << r;
    for (const auto& p : gone) EXPECT_FALSE(list.paths().contains(p));
}

std::vector<Item> Mixed() {
    return {{u"photo.jpg", u"C:\\data"},   {u"scan.jpeg", u"C:\\data"}, {u"notes.txt", u"C:\\data"},
            {u"jpgs", u"C:\\data", true},  {u"README", u"C:\\data"},    {u"archive.tar.gz", u"C:\\data"},
            {u"x.jpg.txt", u"C:\\data"}};
}

Names PathsOf(const std::vector<Item>& items, const Names& names) {
    Names out;
    for (const auto& n : names) out.push_back(u"C:\\data\\" + n);
    return out;
}

struct ClearCase {
    const char* what;
    int item;
    std::u16string pattern;
    Names kept;
};

TEST(ListEditingTest, ClearListFiltersAndKeepsThePathSetExact) {
    const ClearCase cases[] = {
        {"all", sub::ClearAll, u"", {}},
        {"name has jp: folder name is searched whole, file extensions are not", sub::ClearNameHas, u"jp",
         {u"photo.jpg", u"scan.jpeg", u"notes.txt", u"README", u"archive.tar.gz"}},
        {"name has jpg: only the last extension is cut", sub::ClearNameHas, u"jpg",
         {u"photo.jpg", u"scan.jpeg", u"notes.txt", u"README", u"archive.tar.gz"}},
        {"name lacks o", sub::ClearNameLacks, u"o", {u"photo.jpg", u"notes.txt"}},
        {"ext has jp*", sub::ClearExtHas, u"jp*", {u"notes.txt", u"jpgs", u"README", u"archive.tar.gz", u"x.jpg.txt"}},
        {"ext lacks jp?: folders and extensionless files go", sub::ClearExtLacks, u"jp?", {u"photo.jpg", u"scan.jpeg"}},
        {"same path right after adding", sub::ClearSamePath, u"", {}},
        {"changed path", sub::ClearChangedPath, u"",
         {u"photo.jpg", u"scan.jpeg", u"notes.txt", u"jpgs", u"README", u"archive.tar.gz", u"x.jpg.txt"}},
        {"unknown item removes nothing", 179, u"jp",
         {u"photo.jpg", u"scan.jpeg", u"notes.txt", u"jpgs", u"README", u"archive.tar.gz", u"x.jpg.txt"}},
        {"empty pattern removes nothing", sub::ClearNameLacks, u"",
         {u"photo.jpg", u"scan.jpeg", u"notes.txt", u"jpgs", u"README", u"archive.tar.gz", u"x.jpg.txt"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TestWorkspace t;
        Fill(t.ws.list, Mixed());
        Names all = ColumnTexts(t.ws.list, ColOldName);
        int removed = ClearList(t.ws, c.item, c.pattern, u"", SimpleFound);
        EXPECT_EQ(ColumnTexts(t.ws.list, ColOldName), c.kept);
        EXPECT_EQ(removed, static_cast<int>(all.size() - c.kept.size()));
        Names gone;
        for (const auto& n : all)
            if (std::find(c.kept.begin(), c.kept.end(), n) == c.kept.end()) gone.push_back(n);
        ExpectPathSetExact(t.ws.list, PathsOf(Mixed(), gone));
        // The removed paths can be added again at once.
        for (const auto& n : gone) EXPECT_TRUE(t.ws.list.appendRow({n, u"C:\\data"}));
    }
}

TEST(ListEditingTest, PathFiltersCompareOldAndNewPathsExactly) {
    TestWorkspace t;
    Fill(t.ws.list, {{u"a.txt", u"C:\\data"}, {u"b.txt", u"C:\\data"}, {u"c.txt", u"C:\\data"},
                     {u"d.txt", u"C:\\data\\"}});
    t.ws.list.setNewName(0, u"A.txt");          // case only: a different path
    t.ws.list.setNewFolder(1, u"C:\\Data");     // folder case: different too
    ClearList(t.ws, sub::ClearSamePath, u"", u"", SimpleFound);
    // d.txt's folder ends in a separator, so its new path has a doubled one.
    EXPECT_EQ(ColumnTexts(t.ws.list, ColOldName), (Names{u"a.txt", u"b.txt", u"d.txt"}));
    ClearList(t.ws, sub::ClearChangedPath, u"", u"", SimpleFound);
    EXPECT_TRUE(t.ws.list.empty());
    ExpectPathSetExact(t.ws.list, {u"C:\\data\\a.txt", u"C:\\data\\d.txt"});
}

// In POSIX style a folder ending in the separator (the root) gives no doubled
// separator, so its rows count as unchanged.
TEST(ListEditingTest, PathFiltersInPosixStyle) {
    TestWorkspace t(PathStyle::forPosix());
    Fill(t.ws.list, {{u"top", u"/"}, {u"a.txt", u"/home"}, {u"b.txt", u"/home"}});
    t.ws.list.setNewFolder(2, u"/tmp");
    ClearList(t.ws, sub::ClearSamePath, u"", u"", SimpleFound);
    EXPECT_EQ(ColumnTexts(t.ws.list, ColFullPath), Names{u"/home/b.txt"});
    ExpectPathSetExact(t.ws.list, {u"/top", u"/home/a.txt"});
}

TEST(ListEditingTest, ClearReportsTheCountOnlyWhenItChanges) {
    TestWorkspace t;
    ClearList(t.ws, sub::ClearAll, u"", u"", SimpleFound);
    EXPECT_TRUE(t.host.log.empty());
    EXPECT_EQ(t.host.status, LoadText(35));
    EXPECT_GE(t.host.stateChanges, 1);

    Fill(t.ws.list, Mixed());
    UpdateItemCount(t.ws);
    t.host.log.clear();
    ClearList(t.ws, sub::ClearExtHas, u"txt", u"", SimpleFound);
    ASSERT_EQ(t.host.log.size(), 1u);
    EXPECT_EQ(t.host.log[0], FormatText(LoadText(152), {2LL}));
    EXPECT_EQ(t.host.status, FormatText(LoadText(36), {5LL}));
}

TEST(ListEditingTest, RemoveSelectedFreesPathsAndLogs) {
    TestWorkspace t;
    Fill(t.ws.list, Mixed());
    UpdateItemCount(t.ws);
    t.host.log.clear();
    for (int r : {0, 2, 3, 6}) t.ws.list.setSelected(r, true);
    RemoveSelected(t.ws);
    EXPECT_EQ(ColumnTexts(t.ws.list, ColOldName), (Names{u"scan.jpeg", u"README", u"archive.tar.gz"}));
    ASSERT_EQ(t.host.log.size(), 1u);
    EXPECT_EQ(t.host.log[0], FormatText(LoadText(152), {4LL}));
    ExpectPathSetExact(t.ws.list, {u"C:\\data\\photo.jpg", u"C:\\data\\notes.txt", u"C:\\data\\jpgs"});
    EXPECT_FALSE(t.ws.list.anySelected());
    EXPECT_TRUE(t.ws.list.appendRow({u"photo.jpg", u"C:\\data"}));
}

struct MoveCase {
    const char* what;
    bool up;
    std::vector<int> selected;
    Names expected;
    std::vector<int> selectedAfter;
    int scrollTo;  // -1: nothing moved
};

TEST(ListEditingTest, MoveUpAndDownMoveSelectedBlocks) {
    const MoveCase cases[] = {
        {"up: block 2,3", true, {2, 3}, {u"0", u"2", u"3", u"1", u"4"}, {1, 2}, 2},
        {"up: top selected, nothing moves", true, {0, 3}, {u"0", u"1", u"2", u"3", u"4"}, {0, 3}, -1},
        {"up: separate rows", true, {1, 3, 4}, {u"1", u"0", u"3", u"4", u"2"}, {0, 2, 3}, 3},
        {"up: nothing selected", true, {}, {u"0", u"1", u"2", u"3", u"4"}, {}, -1},
        {"down: block 1,2", false, {1, 2}, {u"0", u"3", u"1", u"2", u"4"}, {2, 3}, 2},
        {"down: last selected, nothing moves", false, {0, 4}, {u"0", u"1", u"2", u"3", u"4"}, {0, 4}, -1},
        {"down: separate rows", false, {0, 2, 3}, {u"1", u"0", u"4", u"2", u"3"}, {1, 3, 4}, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        NameList list(PathStyle::forPosix());
        Fill(list, {{u"0", u"/d"}, {u"1", u"/d"}, {u"2", u"/d", true}, {u"3", u"/d"}, {u"4", u"/d"}});
        list.setNewName(2, u"two");
        for (int r : c.selected) list.setSelected(r, true);
        std::vector<RowSwap> swaps = c.up ? MoveUp(list) : MoveDown(list);
        EXPECT_EQ(ColumnTexts(list, ColOldName), c.expected);
        std::vector<int> selectedAfter;
        for (int r = 0; r < list.size(); ++r)
            if (list.selected(r)) selectedAfter.push_back(r);
        EXPECT_EQ(selectedAfter, c.selectedAfter);
        EXPECT_EQ(swaps.empty() ? -1 : swaps.back().b, c.scrollTo);
        // Rows move whole: the folder row keeps its flag and its proposal.
        for (int r = 0; r < list.size(); ++r) {
            EXPECT_EQ(list.isFolder(r), list.oldName(r) == u"2");
            if (list.oldName(r) == u"2") {
                EXPECT_EQ(list.newName(r), u"two");
            }
        }
        ExpectPathSetExact(list, {});
    }
}

}  // namespace
