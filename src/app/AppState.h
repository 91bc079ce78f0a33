#pragma once
#include <atomic>
#include <string>

#include "app/AppSettings.h"
#include "app/Hotkeys.h"
#include "presets/Preset.h"

namespace quirnel {

// What outlives a window and is shared by the window, the apply engine and the
// command-line front end.
struct AppState {
    AppSettings settings;
    // 1 = no apply run in progress or a stop was requested; 0 = a run is going.
    std::atomic<int> StopFlag{1};
    // 1 while the list holds rows added since the last complete apply.
    std::atomic<int> UnappliedFlag{0};
    int ApplyType = 0;  // 0 changes the originals, 1 makes copies
    PresetTable Presets{};
    HotkeyTable Hotkeys = DefaultHotkeys();
    std::u16string ConfigPath;  // where the configuration is read and written
};

}  // namespace quirnel
