#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace quirnel {

// One step of a preset: a command with its sub-command and both arguments,
// exactly as the input dialog returned them.
struct PresetTask {
    int32_t Command = 0;
    int32_t SubCommand = 0;
    std::u16string Arg1;
    std::u16string Arg2;

    bool operator==(const PresetTask&) const = default;
};

// A stored sequence of tasks with an optional sort before and apply after.
struct QuirnelPreset {
    std::u16string Name;
    int32_t AutoApply = 0;
    int32_t ApplyType = 0;  // 0 changes the originals, 1 makes copies
    int32_t AutoSort = 0;
    int32_t SortAscend = 1;
    int32_t SortColumn = 0;  // -1: no column chosen, every row compares equal
    std::vector<PresetTask> Tasks;

    bool operator==(const QuirnelPreset&) const = default;
};

// The program holds exactly five presets; preset n is element n - 1.
constexpr int kPresetCount = 5;
using PresetTable = std::array<QuirnelPreset, kPresetCount>;

// Tasks saved by earlier versions may carry the date/time sub-commands that
// were later folded into sub::AddCreatedDate and sub::AddModifiedDate with a
// format in Arg1. Converts such a task
// in place; true when it was one.
bool ConvertRetiredSubCommand(PresetTask& task);

}  // namespace quirnel
