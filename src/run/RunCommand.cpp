#include "run/RunCommand.h"

#include "commands/Commands.h"
#include "namelist/ListEditing.h"
#include "run/CommandCatalogue.h"

namespace quirnel {

CommandOutcome RunCommand(Workspace& ws, int command, int sub, const std::u16string& arg1, const std::u16string& arg2) {
    const CommandInfo* info = FindCommand(command);
    if (!info || !info->runInPreset) return CommandOutcome::Continue;
    NameList& list = ws.list;
    switch (info->operation) {
        case Operation::ReplaceNames:
            ReplaceNames(list, sub, arg1, arg2, info->extension, ws.settings.IncludeExt != 0);
            break;
        case Operation::AddToNames: AddToNames(list, sub, arg1, arg2, info->prefix, info->extension); break;
        case Operation::EmptyNames: EmptyNames(list); break;
        case Operation::RemoveFromNames: RemoveFromNames(list, sub, arg1, arg2); break;
        case Operation::FilterDigits: FilterDigits(list, !info->keepDigits); break;
        case Operation::MatchDigits: MatchDigits(list, sub, arg1); break;
        case Operation::AddNumbers: AddNumbers(list, sub, arg1, arg2); break;
        case Operation::ClearList:
            ClearList(ws, sub, arg1, arg2,
                      [](const std::u16string& text, const std::u16string& pattern) { return PatternFound(text, pattern); });
            break;
        case Operation::ChangeFolder: return ChangeFolder(list, sub, arg1, arg2, ws.host);
        case Operation::EmptyExtensions: EmptyExtensions(list); break;
        default: break;
    }
    return CommandOutcome::Continue;
}

}  // namespace quirnel
