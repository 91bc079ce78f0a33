#include "app/CommandState.h"

#include <gtest/gtest.h>

#include "base/MenuIds.h"

using namespace quirnel;

namespace {

CommandState State(bool busy, int rows, bool selection) {
    PresetTable presets{};
    presets[1].Tasks.push_back({5, 0, u"", u""});  // only preset 2 can run
    return CommandStateOf(busy, rows, selection, presets);
}

TEST(CommandEnabled, FollowsRowsSelectionPresetsAndTheRun) {
    enum : int { Empty, Rows, Selected, Busy };
    const CommandState states[] = {State(false, 0, false), State(false, 3, false), State(false, 3, true),
                                   State(true, 3, true)};
    struct Case {
        int32_t command;
        bool enabled[4];  // empty list, rows, rows with a selection, busy
    };
    const Case cases[] = {
        {menu::AddFiles, {true, true, true, false}},
        {menu::AddFolders, {true, true, true, false}},
        {menu::PastePaths, {true, true, true, false}},
        {menu::LoadPaths, {true, true, true, false}},
        {menu::ApplyChanges, {false, true, true, false}},
        {menu::UndoChanges, {false, true, true, false}},
        {menu::ClearOrFilterList, {false, true, true, false}},
        {menu::ClearListInstantly, {false, true, true, false}},
        {menu::SortList, {false, true, true, false}},
        {menu::CopyNewNames, {false, true, true, false}},
        {menu::PasteNewNames, {false, true, true, false}},
        {menu::SavePaths, {false, true, true, false}},
        {menu::Replace, {false, true, true, false}},
        {menu::ReplaceExt, {false, true, true, false}},
        {menu::UndoSelectedOnly, {false, false, true, false}},
        {menu::RemoveSelected, {false, false, true, false}},
        {menu::MoveUp, {false, false, true, false}},
        {menu::MoveDown, {false, false, true, false}},
        {menu::EditName, {false, false, true, false}},
        {menu::ApplyPreset1, {false, false, false, false}},
        {menu::ApplyPreset1 + 1, {true, true, true, false}},
        {menu::ShowFileSize, {true, true, true, false}},
        {menu::ToggleLog, {true, true, true, false}},
        {menu::LanguageKorean, {true, true, true, false}},
        {menu::Version, {true, true, true, false}},
        {menu::Exit, {true, true, true, true}},
        {1, {false, false, false, false}},      // the dialog framework's OK
        {36001, {false, false, false, false}},  // the splitter's relayout request
        {32863, {false, false, false, false}},  // no item
    };
    for (const Case& c : cases)
        for (int s : {Empty, Rows, Selected, Busy})
            EXPECT_EQ(CommandEnabled(c.command, states[s]), c.enabled[s]) << c.command << " in state " << s;
}

TEST(CommandEnabled, ASelectionWithoutRowsCountsAsNone) {
    EXPECT_FALSE(State(false, 0, true).hasSelection);
    EXPECT_FALSE(CommandEnabled(menu::EditName, State(false, 0, true)));
}

}  // namespace
