#pragma once
#include <string>

#include "app/Hotkeys.h"
#include "base/AppSettings.h"
#include "base/RunFlags.h"
#include "presets/Preset.h"

namespace quirnel {

// What outlives a window and is shared by the window, the apply engine and the
// command-line front end. A workspace sees only the settings and the flags.
struct AppState {
    AppSettings settings;
    RunFlags flags;
    PresetTable presets{};
    HotkeyTable hotkeys = DefaultHotkeys();
    std::u16string configPath;  // where the configuration is read and written
};

}  // namespace quirnel
