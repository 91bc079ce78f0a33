#pragma once
#include <atomic>
#include <string>

#include "apply/ApplyRows.h"
#include "apply/ApplySink.h"
#include "base/AppSettings.h"

namespace quirnel {

// The settings a run reads, fixed when it starts.
struct ApplyOptions {
    int applyType = 0;  // 0 renames or moves the originals, 1 makes copies
    bool autoNumber = false;
    bool clearAfterApply = false;
    bool showDoneDialog = false;
    bool reportProgress = false;  // threaded runs show "Processed : %d %%"
};
ApplyOptions ApplyOptionsFrom(const AppSettings& settings, int applyType);

struct ApplyOutcome {
    bool checksPassed = false;
    int failingRow = -1;  // the row the checks stopped at
    ApplyCounts counts;
};

// One apply run over the rows it was given: the checks, then every row's
// change on disk, the summary and the report. Everything it tells or writes
// back goes through sink. It stops between rows, and inside a copy, once
// stop is 1.
[[nodiscard]] ApplyOutcome RunApply(const ApplyRows& rows, const ApplyOptions& options, const std::atomic<int>& stop, ApplySink& sink);

// Creates a folder and the missing folders above it; true when it exists at the end.
[[nodiscard]] bool CreateFolderChain(const std::u16string& folder, const PathStyle& style);

}  // namespace quirnel
