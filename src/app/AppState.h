#pragma once
#include <atomic>

#include "app/AppSettings.h"

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
};

}  // namespace quirnel
