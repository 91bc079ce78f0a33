#pragma once
#include <functional>
#include <string>

#include "apply/ApplyType.h"
#include "base/CommandIds.h"
#include "commands/ChangeFolder.h"
#include "namelist/Workspace.h"
#include "presets/Preset.h"

namespace quirnel {

// The one path by which a command runs with its sub-command and arguments,
// whether the window, a preset or the command-line front end gives it: the
// catalogue's run of that command. No input check happens here. Commands that
// need the window (apply, undo, sort, edit name, move) and unknown numbers do
// nothing; a sub-command the command does not offer (a task written by a newer
// version) does nothing and says so in the log. StopRun tells a preset run to end.
[[nodiscard]] CommandOutcome RunCommand(Workspace& ws, CommandId command, int subCommand, const std::u16string& arg1,
                                        const std::u16string& arg2);

// What a preset run needs from the window: the list sort, the operation of
// one command (returns true to end the run early), and the start of an apply
// run. The window wires its real ones; tests record the calls.
struct PresetActions {
    std::function<void(int column, bool ascending)> sort;
    std::function<bool(int command, int subCommand, std::u16string arg1, std::u16string arg2)> runTask;
    std::function<void(ApplyType applyType)> apply;
};

// Commands a preset task may run: the ones that rewrite proposals or the list
// without a dialog or a selection. The main-window actions (apply, undo,
// sort, edit name, move up/down) and unknown values are skipped.
bool RunsInPreset(int command);

// Sort (when asked), every runnable task in order with copies of its stored
// arguments, then the apply (when asked). The preset itself is never changed.
// Returns false when a task ended the run early; the apply is then skipped.
[[nodiscard]] bool RunPreset(const QuirnelPreset& preset, const PresetActions& actions);

// The real actions on a workspace: its sort, the one command dispatch, and
// the given way of starting an apply run (the window's worker or a direct run).
PresetActions WorkspaceActions(Workspace& ws, std::function<void(ApplyType applyType)> apply);

}  // namespace quirnel
