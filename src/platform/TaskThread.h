#pragma once
#include <system_error>
#include <thread>
#include <utility>

namespace quirnel {

// One piece of work on a thread of its own. The thread is joined by join(),
// or at the latest when the object goes (it is a std::jthread), so no thread
// outlives the object that started it. A default one has no thread.
class TaskThread {
public:
    TaskThread() = default;

    // Starts work on a new thread; std::system_error when none is to be had.
    template <typename Work>
    static TaskThread start(Work&& work) {
        TaskThread task;
        task.thread_ = std::jthread(std::forward<Work>(work));
        return task;
    }

    // Starts work on a new thread where one is to be had; else does it here
    // and now, and the task returned has no thread.
    template <typename Work>
    static TaskThread startOrRun(Work&& work) {
        try {
            return start(work);  // a copy: the work is still at hand if no thread starts
        } catch (const std::system_error&) {
            work();
            return {};
        }
    }

    // Waits for the work to end; returns at once when there is no thread.
    void join() {
        if (thread_.joinable()) thread_.join();
    }

private:
    std::jthread thread_;
};

}  // namespace quirnel
