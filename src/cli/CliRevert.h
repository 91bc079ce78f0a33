#pragma once
#include "app/AppState.h"
#include "cli/CliHost.h"
#include "cli/CliOptions.h"

namespace quirnel::cli {

// --revert: undoes the run of the journal named (a revert's journal: a
// redo), or the one Revert Last Apply takes. Never asks: what it reverts is
// named on standard error first. Returns the exit status: 0 when every step
// was reverted, 1 when one was skipped, 2 when nothing could be done (no
// journal, an unreadable one, nothing left to revert).
int RevertRun(const CliOptions& options, AppState& app, CliHost& host);

}  // namespace quirnel::cli
