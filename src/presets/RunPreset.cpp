#include "presets/RunPreset.h"

namespace quirnel {

bool RunsInPreset(int command) {
    if (command < 1 || command > 20) return false;
    switch (command) {
        case 1: case 11: case 13: case 14: case 15: case 16: return false;
        default: return true;
    }
}

bool RunPreset(const QuirnelPreset& preset, const PresetActions& actions) {
    if (preset.AutoSort != 0 && actions.sort) actions.sort(preset.SortColumn, preset.SortAscend != 0);
    for (const PresetTask& task : preset.Tasks) {
        if (!RunsInPreset(task.Command) || !actions.runTask) continue;
        if (actions.runTask(task.Command, task.SubCommand, task.Arg1, task.Arg2)) return false;
    }
    if (preset.AutoApply != 0 && actions.apply) actions.apply(preset.ApplyType);
    return true;
}

}  // namespace quirnel
