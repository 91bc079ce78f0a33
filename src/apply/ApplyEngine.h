#pragma once
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
[[nodiscard]] ApplyOutcome RunApply(const ApplyRows& rows, const ApplyOptions& options, const std::atomic<int>& stop, ApplySink& sink);

}  // namespace quirnel
