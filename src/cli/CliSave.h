#pragma once
#include "app/AppState.h"
#include "cli/CliOptions.h"

namespace quirnel::cli {

// --save-config and --save-presets are tried before anything else, so that a
// target that cannot be written stops the run while nothing has changed.
// False, after saying why on standard error, when one cannot be written.
[[nodiscard]] bool SaveTargetsWritable(const CliOptions& options);

// Writes them after the run. A write that fails now is reported on standard
// error; the status is the run's own when the run changed the disk, and the
// usage status (nothing touched) otherwise.
[[nodiscard]] int SaveFiles(const CliOptions& options, const AppState& app, int runStatus, bool diskChanged);

}  // namespace quirnel::cli
