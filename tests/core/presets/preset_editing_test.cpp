#include "presets/PresetEditing.h"

#include <gtest/gtest.h>

#include "EnglishTexts.h"
#include "base/StringTable.h"

using namespace quirnel;

namespace {

using PresetEditingTest = test::EnglishTexts;

QuirnelPreset WithTasks(int count) {
    QuirnelPreset preset;
    for (int i = 0; i < count; ++i) preset.Tasks.push_back({5, 0, std::u16string(1, u'a' + i), u""});
    return preset;
}

std::u16string Order(const QuirnelPreset& preset) {
    std::u16string order;
    for (const PresetTask& t : preset.Tasks) order += t.Arg1;
    return order;
}

TEST_F(PresetEditingTest, RowTextsAndEditability) {
    struct Case {
        PresetTask task;
        std::array<std::u16string, 4> row;
        bool hasInput;
    };
    const Case cases[] = {
        {{5, 0, u"", u""}, {u"Empty Name", u"", u"", u""}, false},
        {{2, 61, u"*.txt", u" *.bak "},
         {u"Replace", u"Replace string in names - Wildcards(*, ?) applicable", u"*.txt", u" *.bak "},
         true},
        {{2, 110, u"", u""}, {u"Replace", u"Convert to lowercase", u"", u""}, true},
        // From a file: no command, a negative sub-command, text only in Arg1.
        {{0, -1, u"x", u""}, {u"", u"", u"x", u""}, true},
        {{11, 0, u"", u"y"}, {u"Undo Changes", u"", u"", u"y"}, false},
        {{11, 7, u"", u""}, {u"Undo Changes", u"Numbers Only", u"", u""}, true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TaskRowTexts(c.task), c.row) << c.task.Command << "/" << c.task.SubCommand;
        EXPECT_EQ(TaskHasInput(c.task), c.hasInput) << c.task.Command << "/" << c.task.SubCommand;
    }
    // A retired value shows as the item it became once the editor converted it.
    PresetTask retired{3, 89, u"A", u"B"};
    ConvertRetiredSubCommand(retired);
    EXPECT_EQ(TaskRowTexts(retired),
              (std::array<std::u16string, 4>{u"Add Prefix", u"Add the date and time of creation", u"A%Y-%m-%dB", u""}));
}

TEST_F(PresetEditingTest, DeleteSelectsTheRowAtTheSamePlaceOrTheNewLast) {
    struct Case {
        int count, row, selected;
        std::u16string left;
    };
    const Case cases[] = {
        {3, 0, 0, u"bc"},  {3, 1, 1, u"ac"},   {3, 2, 1, u"ab"},  // the last: the new last
        {1, 0, -1, u""},                                           // the only one: none left
        {3, -1, -1, u"abc"}, {3, 3, -1, u"abc"},                   // no task: nothing removed
    };
    for (const Case& c : cases) {
        QuirnelPreset preset = WithTasks(c.count);
        EXPECT_EQ(DeleteTask(preset, c.row), c.selected) << c.count << " rows, delete " << c.row;
        EXPECT_EQ(Order(preset), c.left) << c.count << " rows, delete " << c.row;
    }
}

TEST_F(PresetEditingTest, MoveSwapsWithTheNeighbourAndFollowsTheTask) {
    struct Case {
        int row, step, selected;
        std::u16string order;
    };
    const Case cases[] = {
        {0, -1, 0, u"abc"},  // Up on the first row
        {2, 1, 2, u"abc"},   // Down on the last row
        {0, 1, 1, u"bac"},  {2, -1, 1, u"acb"}, {1, -1, 0, u"bac"},
        {-1, 1, -1, u"abc"}, {3, -1, 3, u"abc"},  // no task selected
    };
    for (const Case& c : cases) {
        QuirnelPreset preset = WithTasks(3);
        EXPECT_EQ(MoveTask(preset, c.row, c.step), c.selected) << c.row << " by " << c.step;
        EXPECT_EQ(Order(preset), c.order) << c.row << " by " << c.step;
    }
}

TEST_F(PresetEditingTest, SelectorAndSortButtonTexts) {
    QuirnelPreset named;
    named.Name = u"Photos";
    EXPECT_EQ(PresetSelectorText(1, named), u"Preset 1 : Photos");
    EXPECT_EQ(PresetSelectorText(3, QuirnelPreset{}), u"Preset 3 : (No Name)");
    EXPECT_EQ(SortButtonText(4, false), u"Size / Descending");
    EXPECT_EQ(SortButtonText(7, true), u"Full Path / Ascending");
    EXPECT_EQ(SortButtonText(8, true), u"Date Taken / Ascending");
    for (int odd : {-1, 9, 1000}) EXPECT_EQ(SortButtonText(odd, true), u"Old Name / Ascending") << odd;

    SetUiLanguage(UiLanguage::Korean);
    EXPECT_EQ(PresetSelectorText(3, QuirnelPreset{}), u"프리셋 3 : (이름 없음)");
    EXPECT_EQ(SortButtonText(5, true), u"수정한 날짜 / 오름차순");
}

}  // namespace
