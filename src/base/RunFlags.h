#pragma once
#include <atomic>

namespace quirnel {

// The process-wide state of apply runs, owned by the application and shared
// with every workspace and run. The flags are atomic because a worker and a
// signal handler read or write them while the owning thread goes on.
struct RunFlags {
    // 1 = no apply run in progress or a stop was requested; 0 = a run is going.
    std::atomic<int> stopFlag{1};
    // 1 while the list holds rows added since the last complete apply.
    std::atomic<int> unappliedFlag{0};
    // The mode of the current or last run: 0 changes the originals, 1 makes
    // copies. Written by the owning thread before a run starts.
    int applyType = 0;
};

}  // namespace quirnel
