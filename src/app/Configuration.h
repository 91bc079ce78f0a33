#pragma once
#include <string>

#include "app/AppState.h"
#include "app/Hotkeys.h"
#include "base/AppSettings.h"
#include "base/TextFile.h"
#include "presets/Preset.h"

namespace quirnel {

// What a configuration text reads into or is written from.
struct ConfigurationData {
    AppSettings& settings;
    PresetTable& presets;
    HotkeyTable& hotkeys;
};

// Applies every line of a configuration text (lines end at LF, with or
// without CR; a leading byte-order mark is dropped). The presets must start empty and the hotkeys hold the default
// records. Returns the number of Preset_Name lines seen.
int ApplyConfigurationText(const std::u16string& text, ConfigurationData data);

// Reads the file and applies it; false (nothing applied) when it cannot be
// read or is too large to be one.
[[nodiscard]] ReadStatus ReadConfiguration(const std::u16string& path, AppState& app);

// The whole file text: settings, the preset block, column widths, hotkeys.
std::u16string FormatConfiguration(const AppSettings& settings, const PresetTable& presets,
                                   const HotkeyTable& hotkeys);

// The five presets as key=value lines; also the content of a preset group file.
std::u16string FormatPresetBlock(const PresetTable& presets);

// Writes the file, creating a missing parent folder (the per-user fallback
// location may not exist yet). False when it could not be written.
[[nodiscard]] bool WriteConfiguration(const std::u16string& path, const AppState& app);

// Writes the five presets as a preset group file. False when it could not be written.
[[nodiscard]] bool ExportPresetGroup(const std::u16string& path, const AppState& app);

// Replaces the five presets by those of a preset group file; slots the file
// does not reach become empty. The file is read as a configuration, so any
// settings or hotkeys it holds apply too. A file that cannot be read, or that
// holds no preset, leaves the presets as they were; false then (Unreadable
// for a file without presets too).
[[nodiscard]] ReadStatus ImportPresetGroup(const std::u16string& path, AppState& app);

}  // namespace quirnel
