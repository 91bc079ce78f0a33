#pragma once
#include <atomic>
#include <string>

namespace quirnel {

// Where apply runs write their journals: the file a front end names, else a
// new file in the folder. Neither (tests, benchmarks) means no journal.
struct JournalPlace {
    std::u16string folder;
    std::u16string file;
    bool any() const { return !folder.empty() || !file.empty(); }
};

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
    // Set at start-up to the user's journal folder.
    JournalPlace journal;
};

}  // namespace quirnel
