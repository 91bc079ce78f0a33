#pragma once
#include <atomic>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "apply/ApplyOptions.h"
#include "apply/ApplyPlanner.h"
#include "apply/ApplyRows.h"
#include "apply/ApplySink.h"
#include "apply/Journal.h"
#include "apply/TargetPaths.h"
#include "platform/FileOps.h"
#include "platform/TaskThread.h"

namespace quirnel {

// The phase of a run that changes the disk: every row's step, in the order
// the planner gives, each recorded in the journal when the run has one.
class DiskChanges {
public:
    DiskChanges(const ApplyRows& rows, const ApplyOptions& options, const std::atomic<int>& stop,
                TargetPaths& targets, ApplySink& sink);

    // Writes the plan to a new journal when the run has a place for one and
    // changes anything; a failure comes before anything on disk changed.
    // path is the journal's, or empty.
    [[nodiscard]] Result openJournal(std::u16string& path);
    ApplyCounts run();
    DiskChanges(const DiskChanges&) = delete;
    DiskChanges& operator=(const DiskChanges&) = delete;

private:
    enum class RowResult { Changed, Skipped, Failed };
    RowResult whole(size_t step, int row);
    bool toTemp(size_t step, int row);
    RowResult fromTemp(size_t step, int row);
    RowResult succeeded(int row, std::u16string old, std::u16string target);
    void prepareFolder(size_t step, int row);
    [[nodiscard]] Result announceFolders(size_t fromStep);
    int planIds();
    Result move(const std::u16string& from, const std::u16string& to, int row, const EntryId& id,
                const CopyControl& control = {});
    Result change(size_t step, const std::u16string& from, const std::u16string& target, int row);
    void record(size_t step, int row, const std::u16string& target, const Result& result);
    uint64_t deviceOf(const std::u16string& folder);
    void logFailure(const std::u16string& what, const std::u16string& reason);
    void logRowFailure(int row, const Result& result);

    const ApplyRows& rows_;
    const ApplyOptions& options_;
    const std::atomic<int>& stop_;
    const TargetPaths& targets_;
    ApplySink& sink_;
    const PathStyle& style_;
    ApplyPlan plan_;
    std::unordered_map<int, std::u16string> temps_;  // per cycle's first row
    std::unordered_map<int, size_t> tempStepOf_;     // per cycle's first row, its plan step to the temporary name
    size_t tempStep_ = 0;                            // the cycle under way
    std::vector<int> journalStep_;                   // per plan step; -1 when it changes nothing
    std::vector<EntryId> ids_;                       // per journal step, also without a journal
    bool movedDurably_ = false;                      // the step under way wrote its new identity
    std::unordered_map<std::u16string, uint64_t> devices_;
    JournalWriter journal_;
    bool journaling_ = false;
    std::unordered_set<std::u16string> createdFolders_;
    std::unordered_set<std::u16string> announced_;  // their D lines are durable
    FolderHandles handles_;
    TaskThread pruning_;  // old journals are removed while the run goes on
};

}  // namespace quirnel
