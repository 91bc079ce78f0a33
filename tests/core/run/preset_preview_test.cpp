#include "run/PresetPreview.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "ListBuilder.h"
#include "base/CommandIds.h"
#include "TestSupport.h"

using namespace quirnel;
using namespace quirnel::test;

namespace {

std::vector<std::u16string> NewNamesOf(const std::vector<PreviewRow>& rows) {
    std::vector<std::u16string> names;
    for (const PreviewRow& row : rows) names.push_back(row.newName + (row.removed ? u" (removed)" : u""));
    return names;
}

TEST(PresetPreviewTest, SelectedRowsUpToTheLimitElseTheFirstRows) {
    auto list = MakeList({{u"a"}, {u"b"}, {u"c"}, {u"d"}, {u"e"}});
    EXPECT_EQ(PreviewSourceRows(*list, 3), (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(PreviewSourceRows(*list, 9), (std::vector<int>{0, 1, 2, 3, 4}));
    for (int r : {1, 2, 4}) list->setSelected(r, true);
    EXPECT_EQ(PreviewSourceRows(*list, 2), (std::vector<int>{1, 2}));
    EXPECT_EQ(PreviewSourceRows(*list, 5), (std::vector<int>{1, 2, 4}));
    EXPECT_TRUE(PreviewSourceRows(NameList(PathStyle::forWindows()), 3).empty());
}

TEST(PresetPreviewTest, RunsTheTasksOnCopiesOfTheCurrentProposals) {
    auto list = MakeList({{u"a.txt"}, {u"b.txt"}, {u"c.txt"}, {u"d.txt"}});
    list->setNewName(1, u"B.TXT");
    for (int r : {1, 3}) list->setSelected(r, true);
    QuirnelPreset preset;
    preset.Tasks = {{2, 110, u"", u""},    // lowercase, from the current proposal
                    {10, 83, u"2", u"1"},  // numbers count the previewed rows only
                    {17, 69, u"D:\\out", u""}};
    AppSettings settings;
    settings.IncludeExt = 1;  // the list's settings hold: the extension is lowered too
    const std::vector<PreviewRow> rows = PreviewPreset(*list, preset, settings, 5);

    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].oldName, u"b.txt");
    EXPECT_EQ(NewNamesOf(rows), (std::vector<std::u16string>{u"b01.txt", u"d02.txt"}));
    EXPECT_EQ(rows[1].newFolder, u"D:\\out");
    EXPECT_TRUE(rows[1].folderChanged);
    // The list keeps its proposals and selection.
    EXPECT_EQ(NewNames(*list), (std::vector<std::u16string>{u"a.txt", u"B.TXT", u"c.txt", u"d.txt"}));
    EXPECT_EQ(NewFolders(*list), (std::vector<std::u16string>(4, u"C:\\data")));
    EXPECT_EQ(Selection(*list), (std::vector<bool>{false, true, false, true}));
}

TEST(PresetPreviewTest, SortsTheCopiesAndReportsRowsAClearRemoved) {
    auto list = MakeList({{u"a.txt"}, {u"b.jpg"}, {u"c.txt"}});
    QuirnelPreset preset;
    preset.AutoSort = 1;
    preset.SortColumn = 0;
    preset.SortAscend = 0;
    preset.Tasks = {{12, 183, u"jpg", u""}, {3, 21, u"x_", u""}};
    AppSettings settings;
    EXPECT_EQ(NewNamesOf(PreviewPreset(*list, preset, settings, 3)),
              (std::vector<std::u16string>{u"x_c.txt", u"x_a.txt", u"b.jpg (removed)"}));
    EXPECT_EQ(list->size(), 3);
}

TEST(PresetPreviewTest, AnAutomaticApplyNeverReachesTheDisk) {
    TempDir dir;
    dir.file("photo.jpg", "data");
    NameList list;
    Fill(list, {{u"photo.jpg", dir.u16()}});
    QuirnelPreset preset;
    preset.AutoApply = 1;
    preset.Tasks = {{3, 21, u"new_", u""}};
    AppSettings settings;
    const std::vector<PreviewRow> rows = PreviewPreset(list, preset, settings, 3);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].newName, u"new_photo.jpg");
    EXPECT_TRUE(std::filesystem::exists(dir / "photo.jpg"));
    EXPECT_FALSE(std::filesystem::exists(dir / "new_photo.jpg"));
    EXPECT_EQ(list.newName(0), u"photo.jpg");
}

}  // namespace

namespace {

TEST(PresetPreviewTest, ACommandsFatesAmongTheSampledRowsNameTheListsRows) {
    auto list = MakeList({{u"a.txt"}, {u"b.txt"}, {u"c.txt"}, {u"d.txt"}, {u"e.txt"}});
    for (int r : {1, 3, 4}) list->setSelected(r, true);
    const PreviewSample sample(*list, 5);
    ASSERT_TRUE(sample.selectedOnly());
    const PresetTask task{CmdReplace, sub::ReplaceString, u"b", u"d"};
    AppSettings settings;
    std::vector<PreviewRow> rows = PreviewCommand(sample, task, settings);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(NewNamesOf(rows), (std::vector<std::u16string>{u"d.txt", u"d.txt", u"e.txt"}));
    ASSERT_TRUE(rows[0].status && rows[1].status && rows[2].status);
    EXPECT_EQ(rows[0].status->fate, RowFate::Rename);
    EXPECT_EQ(rows[1].status->fate, RowFate::Duplicate);
    EXPECT_EQ(rows[1].status->detail, 1) << "the row of b.txt in the list, not in the sample";
    EXPECT_EQ(rows[2].status->fate, RowFate::Unchanged);

    settings.AutoNumber = 1;
    rows = PreviewCommand(sample, task, settings);
    EXPECT_EQ(rows[1].status->fate, RowFate::Numbered);
    EXPECT_EQ(list->newName(1), u"b.txt");
    // The preset editor's preview says nothing of fates.
    EXPECT_FALSE(PreviewPreset(*list, QuirnelPreset{.Tasks = {task}}, settings, 5)[0].status);
}

}  // namespace
