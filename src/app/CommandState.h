#pragma once
#include <array>
#include <cstdint>

#include "presets/Preset.h"

namespace quirnel {

// What decides whether a menu command may run now.
struct CommandState {
    bool busy = false;          // an apply run's worker is alive
    bool hasRows = false;
    bool hasSelection = false;
    std::array<bool, kPresetCount> presetHasTasks{};
    bool hasRevertedRun = false;  // the newest change of the journal folder is a revert that can be redone
};

CommandState CommandStateOf(bool busy, int rows, bool hasSelection, const PresetTable& presets);

// Whether a menu command is enabled, for the menu, the panels, the context
// menu and the dispatcher alike (which ignores a command that is not). While
// a run is busy only Exit is. An id that names no menu item is never enabled.
bool CommandEnabled(int32_t command, const CommandState& state);

}  // namespace quirnel
