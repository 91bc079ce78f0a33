#include "run/RunCommand.h"

#include "run/CommandCatalogue.h"

namespace quirnel {

CommandOutcome RunCommand(Workspace& ws, CommandId command, int sub, const std::u16string& arg1,
                          const std::u16string& arg2) {
    const CommandInfo* info = FindCommand(command);
    if (!info || !info->inPresets || !info->run) return CommandOutcome::Continue;
    return info->run(ws, {sub, arg1, arg2});
}

}  // namespace quirnel
