#pragma once
#include "cli/CliExit.h"
#include "cli/CliOptions.h"

namespace quirnel::cli {

// Carries out parsed options; returns the exit status.
int RunCli(const CliOptions& options);

}  // namespace quirnel::cli
