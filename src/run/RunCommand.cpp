#include "run/RunCommand.h"

#include "commands/Commands.h"
#include "namelist/ListEditing.h"
#include "run/CommandCatalogue.h"

namespace quirnel {
namespace {

ReplaceSubject ReplaceSubjectOf(const CommandInfo& info, const AppSettings& settings) {
    if (info.extension) return ReplaceSubject::Extension;
    return settings.IncludeExt != 0 ? ReplaceSubject::WholeName : ReplaceSubject::NamePart;
}

AddPlace AddPlaceOf(const CommandInfo& info) {
    if (info.extension) return AddPlace::Extension;
    return info.prefix ? AddPlace::Prefix : AddPlace::Suffix;
}

}  // namespace

CommandOutcome RunCommand(Workspace& ws, int command, int sub, const std::u16string& arg1, const std::u16string& arg2) {
    const CommandInfo* info = FindCommand(command);
    if (!info || !info->runInPreset) return CommandOutcome::Continue;
    NameList& list = ws.list;
    switch (info->operation) {
        case Operation::ReplaceNames: ReplaceNames(list, sub, arg1, arg2, ReplaceSubjectOf(*info, ws.settings)); break;
        case Operation::AddToNames: AddToNames(list, sub, arg1, arg2, AddPlaceOf(*info)); break;
        case Operation::EmptyNames: EmptyNames(list); break;
        case Operation::RemoveFromNames: RemoveFromNames(list, sub, arg1, arg2); break;
        case Operation::FilterDigits: FilterDigits(list, info->keepDigits ? Digits::Keep : Digits::Delete); break;
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
