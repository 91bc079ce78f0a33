#pragma once
#include <string>

#include "base/CommandIds.h"
#include "commands/ChangeFolder.h"
#include "namelist/Workspace.h"

namespace quirnel {

// The one path by which a command runs with its sub-command and arguments,
// whether the window, a preset or the command-line front end gives it: the
// catalogue's run of that command. No input check happens here. Commands that
// need the window (apply, undo, sort, edit name, move) and unknown numbers do
// nothing; StopRun tells a preset run to end.
[[nodiscard]] CommandOutcome RunCommand(Workspace& ws, CommandId command, int subCommand, const std::u16string& arg1,
                                        const std::u16string& arg2);

}  // namespace quirnel
