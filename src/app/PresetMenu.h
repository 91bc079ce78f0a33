#pragma once
#include <string>
#include <vector>

#include "app/Hotkeys.h"
#include "presets/Preset.h"

namespace quirnel {

struct PresetMenuEntry {
    int commandId = 0;
    std::u16string text;
    bool enabled = false;  // a preset without tasks cannot run
};

// "Apply Preset n : name\tFn" in the current language, "(No Name)" for an empty name.
std::u16string PresetMenuText(int number, const QuirnelPreset& preset);

// The five entries of the Preset menu, with the hotkey each command really has
// after the tab.
std::vector<PresetMenuEntry> PresetMenuEntries(const PresetTable& presets, const HotkeyTable& hotkeys);

}  // namespace quirnel
