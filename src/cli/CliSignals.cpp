#include "cli/CliSignals.h"

namespace quirnel::cli {
namespace {

std::atomic<int>* gStopFlag = nullptr;
std::atomic<int> gSignals{0};

// The first signal asks for a stop; a second one is someone who will not
// wait (the run may be stuck in a system call): the signal's own default,
// at once, once this handler returns.
extern "C" void OnStopSignal(int signal) {
    if (gSignals.fetch_add(1) > 0) {
        struct sigaction sa{};
        sa.sa_handler = SIG_DFL;
        sigemptyset(&sa.sa_mask);
        sigaction(signal, &sa, nullptr);
        raise(signal);  // blocked while its handler runs: delivered as it returns
        return;
    }
    if (gStopFlag) gStopFlag->store(1);  // lock-free: safe in a signal handler
}

}  // namespace

StopOnSignals::StopOnSignals(std::atomic<int>& stop) {
    gStopFlag = &stop;
    gSignals.store(0);
    struct sigaction sa{};
    sa.sa_handler = OnStopSignal;
    sigemptyset(&sa.sa_mask);
    for (int s : kSignals) sigaddset(&sa.sa_mask, s);  // two at once still count as two
    for (int i = 0; i < 3; ++i) sigaction(kSignals[i], &sa, &previous_[i]);
}

StopOnSignals::~StopOnSignals() {
    for (int i = 0; i < 3; ++i) sigaction(kSignals[i], &previous_[i], nullptr);
    gStopFlag = nullptr;
}

}  // namespace quirnel::cli
