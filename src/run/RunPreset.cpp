#include "run/RunPreset.h"

#include "namelist/Sorting.h"
#include "run/CommandCatalogue.h"
#include "run/RunCommand.h"

namespace quirnel {

bool RunsInPreset(int command) {
    const CommandInfo* info = FindCommand(command);
    return info && info->runInPreset;
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
        return RunCommand(ws, command, sub, arg1, arg2) == CommandOutcome::StopRun;
    };
    actions.apply = std::move(apply);
    return actions;
}

}  // namespace quirnel
