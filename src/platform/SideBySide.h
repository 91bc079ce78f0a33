#pragma once
#include "platform/TaskThread.h"

namespace quirnel {

// Runs two independent pieces of work, the first on a thread of its own
// where one is to be had (else before the second), and returns when both
// are done.
template <typename First, typename Second>
void SideBySide(First&& first, Second&& second) {
    TaskThread side = TaskThread::startOrRun(first);
    second();
    side.join();
}

}  // namespace quirnel
