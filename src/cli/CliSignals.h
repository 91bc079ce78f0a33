#pragma once
#include <atomic>
#include <csignal>

namespace quirnel::cli {

// While it lives, SIGINT, SIGTERM and SIGHUP request a stop of the run
// (stop becomes 1) instead of ending the process, so the run finishes its
// row, cleans up and prints its summary. A second one ends the process at
// once, as the signal does by default. The previous handlers come back
// when it ends.
class StopOnSignals {
public:
    explicit StopOnSignals(std::atomic<int>& stop);
    ~StopOnSignals();
    StopOnSignals(const StopOnSignals&) = delete;
    StopOnSignals& operator=(const StopOnSignals&) = delete;

private:
    static constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP};
    struct sigaction previous_[3]{};
};

}  // namespace quirnel::cli
