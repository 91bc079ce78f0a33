#pragma once
#include "app/AppState.h"
#include "cli/CliHost.h"
#include "cli/CliOptions.h"

namespace quirnel::cli {

// --revert: undoes the run of the journal named, or of the newest journal;
// returns the exit status.
int RevertRun(const CliOptions& options, AppState& app, CliHost& host);

}  // namespace quirnel::cli
