#pragma once
#include <string>

#include "app/AppState.h"
#include "base/TextFile.h"

namespace quirnel {

// Writes the five presets as a preset group file. False when it could not be written.
[[nodiscard]] bool ExportPresetGroup(const std::u16string& path, const AppState& app);

// Replaces the five presets by those of a preset group file; slots the file
// does not reach become empty. The file is read as a configuration, so any
// settings or hotkeys it holds apply too. A file that cannot be read, or that
// holds no preset, leaves the presets as they were; false then (Unreadable
// for a file without presets too).
[[nodiscard]] ReadStatus ImportPresetGroup(const std::u16string& path, AppState& app);

}  // namespace quirnel
