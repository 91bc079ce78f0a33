#include "app/CommandState.h"

#include <algorithm>
#include <iterator>
#include <optional>

#include "base/MenuIds.h"
#include "run/CommandCatalogue.h"

namespace quirnel {
namespace {

struct Rule {
    int32_t command;
    Needs needs;
};

// The menu bar's items that are not one of the twenty commands (those say
// what they need in the command catalogue).
constexpr Rule kRules[] = {
    {menu::Exit, Needs::Nothing},
    {menu::PresetSettings, Needs::Nothing},
    {menu::ApplyPreset1, Needs::PresetTasks},
    {menu::ApplyPreset1 + 1, Needs::PresetTasks},
    {menu::ApplyPreset1 + 2, Needs::PresetTasks},
    {menu::ApplyPreset1 + 3, Needs::PresetTasks},
    {menu::ApplyPreset1 + 4, Needs::PresetTasks},
    {menu::AddFiles, Needs::Nothing},
    {menu::AddFolders, Needs::Nothing},
    {menu::RemoveSelected, Needs::Selection},
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
    {menu::Hotkeys, Needs::Nothing},
    {menu::Version, Needs::Nothing},
    {menu::ShowFullPath, Needs::Nothing},
    {menu::ShowFileSize, Needs::Nothing},
    {menu::ShowModified, Needs::Nothing},
    {menu::ShowCreated, Needs::Nothing},
    {menu::ShowNewFolder, Needs::Nothing},
    {menu::ShowOldFolder, Needs::Nothing},
    {menu::ShowTaken, Needs::Nothing},
    {menu::LanguageEnglish, Needs::Nothing},
    {menu::LanguageKorean, Needs::Nothing},
    {menu::LanguageDefault, Needs::Nothing},
    {menu::ToggleLog, Needs::Nothing},
    {menu::ShowChangedOnly, Needs::Nothing},
    {menu::RevertLastApply, Needs::Nothing},
    {menu::RedoRevertedApply, Needs::RevertedRun},
};

std::optional<Needs> NeedsOf(int32_t command) {
    if (const CommandInfo* info = FindMenuCommand(command))
        return command == info->menuCommand ? info->needs : info->altNeeds;
    auto it = std::find_if(std::begin(kRules), std::end(kRules), [&](const Rule& r) { return r.command == command; });
    if (it == std::end(kRules)) return std::nullopt;
    return it->needs;
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
    const std::optional<Needs> needs = NeedsOf(command);
    if (!needs) return false;
    if (state.busy) return command == menu::Exit;
    switch (*needs) {
        case Needs::Nothing: return true;
        case Needs::Rows: return state.hasRows;
        case Needs::Selection: return state.hasSelection;
        case Needs::PresetTasks: return state.presetHasTasks[command - menu::ApplyPreset1];
        case Needs::RevertedRun: return state.hasRevertedRun;
    }
    return false;
}

}  // namespace quirnel
