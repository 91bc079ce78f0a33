#pragma once
#include <atomic>
#include <string>

#include "apply/ApplyRows.h"
#include "apply/ApplySink.h"
#include "base/AppSettings.h"
#include "base/RunFlags.h"

namespace quirnel {

// The settings a run reads, fixed when it starts.
struct ApplyOptions {
    int applyType = 0;  // 0 renames or moves the originals, 1 makes copies
    bool autoNumber = false;
    bool clearAfterApply = false;
    bool showDoneDialog = false;
    bool reportProgress = false;  // threaded runs show "Processed : %d %%"
    JournalPlace journal;         // none: the run keeps no journal
};
ApplyOptions ApplyOptionsFrom(const AppSettings& settings, int applyType);

struct ApplyOutcome {
    bool checksPassed = false;
    int failingRow = -1;  // the row the checks stopped at
    ApplyCounts counts;
    std::u16string journal;       // the run's journal; empty when it kept none
    bool journalFailed = false;   // the journal could not be written: nothing changed
};

// One apply run over the rows it was given: the checks, the plan (in its
// journal, when options name a place), then every row's change on disk in
// the planned order, the summary and the report. Everything it tells or writes
// back goes through sink. It stops between rows, and inside a copy, once
// stop is 1.
[[nodiscard]] ApplyOutcome RunApply(const ApplyRows& rows, const ApplyOptions& options, const std::atomic<int>& stop, ApplySink& sink);

}  // namespace quirnel
