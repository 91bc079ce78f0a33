#include "run/RunCommand.h"

#include "base/Host.h"
#include "base/StringTable.h"
#include "base/TextIds.h"
#include "namelist/Sorting.h"
#include "run/CommandCatalogue.h"

namespace quirnel {
namespace {

// A task from a newer version (or a mistyped --task) names a sub-command this
// catalogue does not offer; the values old presets still hold are converted.
bool KnowsSubCommand(const CommandInfo& info, int sub) {
    if (!info.hasInput() || FindSubCommand(info.id, sub)) return true;
    PresetTask retired{info.id, sub, {}, {}};
    return ConvertRetiredSubCommand(retired);
}

}  // namespace

CommandOutcome RunCommand(Workspace& ws, CommandId command, int sub, const std::u16string& arg1,
                          const std::u16string& arg2) {
    const CommandInfo* info = FindCommand(command);
    if (!info || !info->inPresets || !info->run) return CommandOutcome::Continue;
    if (!KnowsSubCommand(*info, sub)) {
        ws.host.AppendLog(FormatText(LoadText(text::TaskSkipped), {LoadText(info->id), static_cast<long long>(sub)}));
        return CommandOutcome::Continue;
    }
    return info->run(ws, {sub, arg1, arg2});
}

bool RunsInPreset(int command) {
    const CommandInfo* info = FindCommand(command);
    return info && info->inPresets;
}

bool RunPreset(const QuirnelPreset& preset, const PresetActions& actions) {
    if (preset.AutoSort != 0 && actions.sort) actions.sort(preset.SortColumn, preset.SortAscend != 0);
    for (const PresetTask& task : preset.Tasks) {
        if (!RunsInPreset(task.Command) || !actions.runTask) continue;
        if (actions.runTask(task.Command, task.SubCommand, task.Arg1, task.Arg2)) return false;
    }
    if (preset.AutoApply != 0 && actions.apply) actions.apply(ApplyTypeFromNumber(preset.ApplyType));
    return true;
}

PresetActions WorkspaceActions(Workspace& ws, std::function<void(ApplyType applyType)> apply) {
    PresetActions actions;
    actions.sort = [&ws](int column, bool ascending) { SortList(ws, column, ascending); };
    actions.runTask = [&ws](int command, int sub, std::u16string arg1, std::u16string arg2) {
        return RunCommand(ws, static_cast<CommandId>(command), sub, arg1, arg2) == CommandOutcome::StopRun;
    };
    actions.apply = std::move(apply);
    return actions;
}

}  // namespace quirnel
