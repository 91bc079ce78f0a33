#include "presets/Preset.h"

namespace quirnel {

bool ConvertRetiredSubCommand(PresetTask& task) {
    const char16_t* format = nullptr;
    int32_t converted = 0;
    switch (task.SubCommand) {
        case 64: format = u"%H%M%S"; converted = 116; break;   // time of creation
        case 65: format = u"%H%M%S"; converted = 117; break;   // time of modification
        case 89: format = u"%Y-%m-%d"; converted = 116; break; // date of creation
        case 90: format = u"%Y-%m-%d"; converted = 117; break; // date of modification
        default: return false;
    }
    // Only the Add commands ever had these values; elsewhere they mean something else.
    if (task.Command != 3 && task.Command != 4 && task.Command != 19) return false;
    task.Arg1 = task.Arg1 + format + task.Arg2;
    task.Arg2.clear();
    task.SubCommand = converted;
    return true;
}

}  // namespace quirnel
