#include "app/CommandState.h"

#include <algorithm>
#include <iterator>

#include "base/MenuIds.h"

namespace quirnel {
namespace {

enum class Needs { Nothing, Rows, Selection, PresetTasks };

struct Rule {
    int32_t command;
    Needs needs;
};

// Every item of the menu bar and what it needs to be enabled.
constexpr Rule kRules[] = {
    {menu::Exit, Needs::Nothing},
    {menu::PresetSettings, Needs::Nothing},
    {menu::ApplyPreset1, Needs::PresetTasks},
    {menu::ApplyPreset1 + 1, Needs::PresetTasks},
    {menu::ApplyPreset1 + 2, Needs::PresetTasks},
    {menu::ApplyPreset1 + 3, Needs::PresetTasks},
    {menu::ApplyPreset1 + 4, Needs::PresetTasks},
    {menu::ApplyChanges, Needs::Rows},
    {menu::UndoChanges, Needs::Rows},
    {menu::UndoSelectedOnly, Needs::Selection},
    {menu::AddFiles, Needs::Nothing},
    {menu::ClearOrFilterList, Needs::Rows},
    {menu::SortList, Needs::Rows},
    {menu::RemoveSelected, Needs::Selection},
    {menu::MoveUp, Needs::Selection},
    {menu::MoveDown, Needs::Selection},
    {menu::CopyNewNames, Needs::Rows},
    {menu::PasteNewNames, Needs::Rows},
    {menu::SaveNewNames, Needs::Rows},
    {menu::LoadNewNames, Needs::Rows},
    {menu::CopyPaths, Needs::Rows},
    {menu::PastePaths, Needs::Nothing},
    {menu::SavePaths, Needs::Rows},
    {menu::LoadPaths, Needs::Nothing},
    {menu::ExportPresetGroup, Needs::Nothing},
    {menu::ImportPresetGroup, Needs::Nothing},
    {menu::PathLoadOptions, Needs::Nothing},
    {menu::ViewOptions, Needs::Nothing},
    {menu::OtherOptions, Needs::Nothing},
    {menu::Version, Needs::Nothing},
    {menu::EditName, Needs::Selection},
    {menu::Replace, Needs::Rows},
    {menu::AddPrefix, Needs::Rows},
    {menu::AddSuffix, Needs::Rows},
    {menu::EmptyName, Needs::Rows},
    {menu::Remove, Needs::Rows},
    {menu::NumbersOnly, Needs::Rows},
    {menu::DelNumbers, Needs::Rows},
    {menu::MatchDigits, Needs::Rows},
    {menu::AddNumbers, Needs::Rows},
    {menu::ChangeFolder, Needs::Rows},
    {menu::EmptyExt, Needs::Rows},
    {menu::AddExt, Needs::Rows},
    {menu::ReplaceExt, Needs::Rows},
    {menu::ShowFullPath, Needs::Nothing},
    {menu::ShowFileSize, Needs::Nothing},
    {menu::ShowModified, Needs::Nothing},
    {menu::ShowCreated, Needs::Nothing},
    {menu::ShowNewFolder, Needs::Nothing},
    {menu::ShowOldFolder, Needs::Nothing},
    {menu::AddFolders, Needs::Nothing},
    {menu::ClearListInstantly, Needs::Rows},
    {menu::LanguageEnglish, Needs::Nothing},
    {menu::LanguageKorean, Needs::Nothing},
    {menu::LanguageDefault, Needs::Nothing},
    {menu::Hotkeys, Needs::Nothing},
    {menu::ToggleLog, Needs::Nothing},
};

const Rule* FindRule(int32_t command) {
    auto it = std::find_if(std::begin(kRules), std::end(kRules), [&](const Rule& r) { return r.command == command; });
    return it == std::end(kRules) ? nullptr : it;
}

}  // namespace

CommandState CommandStateOf(bool busy, int rows, bool hasSelection, const PresetTable& presets) {
    CommandState state;
    state.busy = busy;
    state.hasRows = rows > 0;
    state.hasSelection = rows > 0 && hasSelection;
    for (int i = 0; i < kPresetCount; ++i) state.presetHasTasks[i] = !presets[i].Tasks.empty();
    return state;
}

bool CommandEnabled(int32_t command, const CommandState& state) {
    const Rule* rule = FindRule(command);
    if (!rule) return false;
    if (state.busy) return command == menu::Exit;
    switch (rule->needs) {
        case Needs::Nothing: return true;
        case Needs::Rows: return state.hasRows;
        case Needs::Selection: return state.hasSelection;
        case Needs::PresetTasks: return state.presetHasTasks[command - menu::ApplyPreset1];
    }
    return false;
}

}  // namespace quirnel
