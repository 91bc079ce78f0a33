#include "namelist/ProposalReset.h"

#include <gtest/gtest.h>

#include "list_ops_support.h"

using namespace quirnel;
using namespace quirnel::test;

namespace {

using Names = std::vector<std::u16string>;

NameList& Proposed(NameList& list) {
    Fill(list, {{u"a.txt", u"C:\\in"}, {u"b.txt", u"C:\\in"}, {u"c", u"C:\\in", true}});
    for (int r = 0; r < list.size(); ++r) {
        list.setNewName(r, u"new_" + std::u16string(list.oldName(r)));
        list.setNewFolder(r, u"C:\\out");
    }
    return list;
}

TEST(UndoTest, RestoresEveryRowOrTheSelectedOnes) {
    struct Case {
        bool selectedOnly;
        std::vector<int> selected;
        Names names;
        Names folders;
    } cases[] = {
        {false, {1}, {u"a.txt", u"b.txt", u"c"}, {u"C:\\in", u"C:\\in", u"C:\\in"}},
        {true, {0, 2}, {u"a.txt", u"new_b.txt", u"c"}, {u"C:\\in", u"C:\\out", u"C:\\in"}},
        {true, {}, {u"new_a.txt", u"new_b.txt", u"new_c"}, {u"C:\\out", u"C:\\out", u"C:\\out"}},
    };
    for (const auto& c : cases) {
        NameList list(PathStyle::forWindows());
        Proposed(list);
        for (int r : c.selected) list.setSelected(r, true);
        UndoChanges(list, c.selectedOnly ? UndoScope::SelectedRows : UndoScope::AllRows);
        EXPECT_EQ(ColumnTexts(list, ColNewName), c.names);
        EXPECT_EQ(ColumnTexts(list, ColNewFolder), c.folders);
        for (int r = 0; r < list.size(); ++r) {
            bool wasSelected = std::find(c.selected.begin(), c.selected.end(), r) != c.selected.end();
            EXPECT_EQ(list.selected(r), wasSelected);
        }
    }
}

TEST(UndoTest, LeavesAppliedRowsAndEmptyListsAlone) {
    NameList empty(PathStyle::forPosix());
    UndoChanges(empty, UndoScope::AllRows);
    EXPECT_TRUE(empty.empty());

    NameList list(PathStyle::forPosix());
    Fill(list, {{u"done.txt", u"/a"}});
    list.setText(0, ColOldName, u"renamed.txt");  // an apply wrote the new name back
    list.setNewName(0, u"renamed.txt");
    UndoChanges(list, UndoScope::AllRows);
    EXPECT_EQ(list.newName(0), u"renamed.txt");
    EXPECT_EQ(list.newFolder(0), u"/a");
}

TEST(UndoTest, PendingWhileANameOrAFolderDiffers) {
    NameList list(PathStyle::forPosix());
    EXPECT_FALSE(AnyPendingProposal(list));
    Fill(list, {{u"a.txt", u"/in"}, {u"b.txt", u"/in"}});
    EXPECT_FALSE(AnyPendingProposal(list));
    list.setNewName(1, u"c.txt");
    EXPECT_TRUE(AnyPendingProposal(list));
    list.setNewName(1, u"b.txt");
    list.setNewFolder(0, u"/out");
    EXPECT_TRUE(AnyPendingProposal(list));
    UndoChanges(list, UndoScope::AllRows);
    EXPECT_FALSE(AnyPendingProposal(list));
}

}  // namespace
