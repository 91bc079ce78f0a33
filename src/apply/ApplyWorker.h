#pragma once
#include <atomic>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

#include "apply/ApplyOptions.h"
#include "apply/ApplyRows.h"
#include "apply/WorkspaceSink.h"
#include "namelist/Workspace.h"
#include "platform/TaskThread.h"

namespace quirnel {

// An apply run on a worker thread. The worker works from a copy of the rows
// and never touches the workspace: what it reports is queued and applied by
// the owning thread in drainUpdates, through the same code as the synchronous
// form. Only message dialogs make the worker wait for the owner.
// The list must not change while the run is active (commands are refused).
class ApplyWorker {
public:
    // Starts the run. notify is called on the worker whenever updates wait
    // and none were waiting before (the window posts itself an event).
    ApplyWorker(Workspace& ws, ApplyType applyType, std::function<void()> notify = {});
    // Requests a stop and waits for the run to end (the close path).
    ~ApplyWorker();
    ApplyWorker(const ApplyWorker&) = delete;
    ApplyWorker& operator=(const ApplyWorker&) = delete;

    // Applies what waits to the workspace and answers a waiting message;
    // true once the run has ended and the workspace is idle again.
    bool drainUpdates();
    // Drains until the run has ended.
    ApplyOutcome wait();
    bool finished() const { return finished_; }
    // Whether the run has made its last change on disk (its report may still
    // be on its way): a stop asked now would stop nothing.
    bool changesOver() const { return changesOver_.load(std::memory_order_acquire); }
    ApplyOutcome outcome() const { return outcome_; }

private:
    struct Update;
    class QueueSink;
    // The newest status text and percent, and whether an update for each waits.
    struct Latest {
        std::u16string text;
        int percent = 0;
        bool statusWaits = false;
        bool percentWaits = false;
    };
    // Keeps a newer status or percent; true when no update for it waits yet.
    bool latest(const std::u16string* status, const int* percent);
    Latest takeLatest(bool status);
    void publish(std::vector<Update>& batch);
    void apply(Update& update);

    Workspace& ws_;
    ApplyOptions options_;
    PlanRows rows_;
    WorkspaceSink owner_;
    std::function<void()> notify_;
    std::mutex mutex_;
    std::condition_variable ready_;
    std::vector<Update> queue_;
    Latest latest_;
    ApplyOutcome outcome_;
    bool draining_ = false;
    bool finished_ = false;
    std::atomic<bool> changesOver_{false};
    TaskThread thread_;
};

}  // namespace quirnel
