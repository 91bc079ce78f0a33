#pragma once
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "apply/ApplyRows.h"
#include "apply/ApplyType.h"
#include "platform/TaskThread.h"

namespace quirnel {

// What applying would do with a row, decided before anything changes.
enum class RowFate : uint8_t {
    Unchanged,           // its target is its own path
    Rename,              // renamed in its folder
    Move,                // moved to another folder
    Copy,                // copied under its new name
    Numbered,            // a duplicate given a free number (detail: the number)
    EmptyName,           // no valid name: the run would stop
    ForbiddenCharacter,  // the run would stop
    Duplicate,           // of an earlier row (detail: its index): the run would stop
    TargetExists,        // something on disk holds the target and the run does not free it
    Chain,               // changed after the row whose path it takes (or that row)
    Cycle,               // part of a cycle completed through a temporary name
};

struct RowStatus {
    RowFate fate = RowFate::Unchanged;
    long long detail = -1;
};

struct StatusOptions {
    ApplyType applyType = ApplyType::Originals;
    bool autoNumber = false;
    bool lookUpDisk = true;  // without it, nothing on disk is consulted
};

// Every row's fate, the checks and the order of a run applied to all rows
// (a failing row does not hide the rows after it). With lookUpDisk, targets
// that this run does not free are looked up; a row whose chain leads to a
// taken target is taken too. Reads the disk only; stops early, with what it
// has, once cancel is non-zero.
// targets, when given, receives every row's target path.
std::vector<RowStatus> RowStatuses(const ApplyRows& rows, const StatusOptions& options,
                                   const std::atomic<int>* cancel = nullptr,
                                   std::vector<std::u16string>* targets = nullptr);

// The text a person reads for a status (a tooltip), in the current language.
std::u16string RowStatusText(const RowStatus& status);
// A fixed English word for a fate, for machine-read output.
const char* RowFateWord(RowFate fate);

// The statuses computed on a thread of their own, so that the disk look-ups
// never hold up the window. The task reads the list itself (a copy of a
// million rows would cost as much as the statuses): the list must not change
// until the task has finished or been destroyed, which cancels it promptly.
class RowStatusTask {
public:
    // notify is called on the task's thread when the statuses are ready.
    RowStatusTask(const NameList& list, const StatusOptions& options, std::function<void()> notify = {});
    // Cancels an unfinished task and waits for its thread.
    ~RowStatusTask();
    RowStatusTask(const RowStatusTask&) = delete;
    RowStatusTask& operator=(const RowStatusTask&) = delete;
    bool finished() const { return finished_.load(std::memory_order_acquire); }
    // The statuses, one per row; waits for them.
    const std::vector<RowStatus>& statuses();

private:
    ListRows rows_;
    StatusOptions options_;
    std::atomic<int> cancel_{0};
    std::atomic<bool> finished_{false};
    std::vector<RowStatus> statuses_;
    TaskThread thread_;
};

}  // namespace quirnel
