#include "cli/CliSignals.h"

namespace quirnel::cli {
namespace {

std::atomic<int>* gStopFlag = nullptr;

extern "C" void OnStopSignal(int) {
    if (gStopFlag) gStopFlag->store(1);  // lock-free: safe in a signal handler
}

}  // namespace

StopOnSignals::StopOnSignals(std::atomic<int>& stop) {
    gStopFlag = &stop;
    struct sigaction sa{};
    sa.sa_handler = OnStopSignal;
    sigemptyset(&sa.sa_mask);
    for (int i = 0; i < 3; ++i) sigaction(kSignals[i], &sa, &previous_[i]);
}

StopOnSignals::~StopOnSignals() {
    for (int i = 0; i < 3; ++i) sigaction(kSignals[i], &previous_[i], nullptr);
    gStopFlag = nullptr;
}

}  // namespace quirnel::cli
