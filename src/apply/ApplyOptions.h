#pragma once
#include <string>

#include "apply/ApplySink.h"
#include "apply/ApplyType.h"
#include "base/AppSettings.h"
#include "base/RunFlags.h"

namespace quirnel {

// The settings a run reads, fixed when it starts.
struct ApplyOptions {
    ApplyType applyType = ApplyType::Originals;
    bool autoNumber = false;
    bool clearAfterApply = false;
    bool showDoneDialog = false;
    bool reportProgress = false;  // threaded runs show "Processed : %d %%"
    JournalPlace journal;         // none: the run keeps no journal
};
ApplyOptions ApplyOptionsFrom(const AppSettings& settings, ApplyType applyType);

struct ApplyOutcome {
    bool checksPassed = false;
    int failingRow = -1;  // the row the checks stopped at
    ApplyCounts counts;
    std::u16string journal;       // the run's journal; empty when it kept none
    bool journalFailed = false;   // the journal could not be written: nothing changed
};

}  // namespace quirnel
