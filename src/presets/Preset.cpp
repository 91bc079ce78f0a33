#include "presets/Preset.h"

#include "base/CommandIds.h"

namespace quirnel {

bool ConvertRetiredSubCommand(PresetTask& task) {
    const char16_t* format = nullptr;
    int32_t converted = 0;
    switch (task.SubCommand) {
        case sub::AddCreatedTimePart: format = u"%H%M%S"; converted = sub::AddCreatedDate; break;
        case sub::AddModifiedTimePart: format = u"%H%M%S"; converted = sub::AddModifiedDate; break;
        case sub::AddCreatedDatePart: format = u"%Y-%m-%d"; converted = sub::AddCreatedDate; break;
        case sub::AddModifiedDatePart: format = u"%Y-%m-%d"; converted = sub::AddModifiedDate; break;
        default: return false;
    }
    // Only the Add commands ever had these values; elsewhere they mean something else.
    if (task.Command != CmdAddPrefix && task.Command != CmdAddSuffix && task.Command != CmdAddExt) return false;
    task.Arg1 = task.Arg1 + format + task.Arg2;
    task.Arg2.clear();
    task.SubCommand = converted;
    return true;
}

}  // namespace quirnel
