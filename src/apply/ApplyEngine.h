#pragma once
// The apply room, from its entry points down:
//   ApplyChanges    ApplyChanges.h  the synchronous entry point: a run on the calling thread
//   ApplyWorker     ApplyWorker.h   the same run on a worker thread, its reports handed to the owner
//   RunApplyEngine  this header     the run itself, on whichever thread: the checks, the plan, the
//                                   disk phase, the summary and the report
//   PlanApply       ApplyPlanner.h  the planner: the order of the changes (chains, cycles)
//   DiskChanges     DiskChanges.h   the phase that changes the disk, step by step, with its journal
// Beside them: NameChecks (the checks), RowStatus (what a run would do, before
// it runs), Journal and Revert (a run's record, and taking it back on disk).
#include <atomic>
#include <string>

#include "apply/ApplyOptions.h"
#include "apply/ApplyRows.h"
#include "apply/ApplySink.h"

namespace quirnel {

// One apply run over the rows it was given: the checks, the plan (in its
// journal, when options name a place), then every row's change on disk in
// the planned order, the summary and the report. Everything it tells or writes
// back goes through sink. It stops between rows, and inside a copy, once
// stop is 1.
[[nodiscard]] ApplyOutcome RunApplyEngine(const ApplyRows& rows, const ApplyOptions& options,
                                          const std::atomic<int>& stop, ApplySink& sink);

}  // namespace quirnel
