#include "run/CommandInputCheck.h"

#include <algorithm>
#include <limits>

#include "base/TextHelpers.h"
#include "base/TextIds.h"
#include "commands/Numbers.h"
#include "run/CommandCatalogue.h"

namespace quirnel {
namespace {

InputCheck Refuse(int32_t messageId = 0) { return {false, messageId}; }

InputCheck CheckPositions(const std::u16string& arg1, const std::u16string& arg2) {
    int64_t p1 = ReadInt(arg1), p2 = ReadInt(arg2);
    if (p1 == 0 && p2 == 0) return Refuse();
    if (p2 > 0 && p1 > p2) return Refuse(text::InvalidPositions);
    return {};
}

InputCheck CheckDelimiters(const std::u16string& arg1, const std::u16string& arg2) {
    if (arg1.empty() || arg2.empty()) return Refuse(text::DelimitersInvalid);
    if (arg1.size() > 1 || arg2.size() > 1) return Refuse(text::DelimiterNotSingle);
    return {};
}

}  // namespace

InputCheck CheckCommandInput(int32_t command, int32_t sub, const std::u16string& arg1, const std::u16string& arg2) {
    switch (command) {
        case CmdReplace:
        case CmdReplaceExt:
            if ((sub == sub::ReplaceString || sub == sub::FlipAroundPivot) && arg1.empty()) return Refuse();
            if (sub == sub::ReplaceExtension && arg2.empty()) return Refuse();
            return {};
        case CmdAddPrefix:
        case CmdAddSuffix:
        case CmdAddExt:
            if (sub == sub::AddString && arg1.empty()) return Refuse();
            return {};
        case CmdRemove:
        case CmdChangeFolder:
            if (IsPositionItem(sub)) return CheckPositions(arg1, arg2);
            if (IsDelimiterItem(sub)) return CheckDelimiters(arg1, arg2);
            if (command == CmdChangeFolder && sub == sub::FolderFromPattern && arg1.empty()) return Refuse();
            return {};
        case CmdMatchDigits:
        case CmdAddNumbers:
            if (IsDigitLengthItem(sub)) {
                int64_t length = ReadInt(arg1);
                if (length < 0 || length > kMaxDigitLength) return Refuse(text::InvalidDigitLength);
            }
            return {};
        case CmdClearList:
            if (sub >= sub::ClearNameHas && sub <= sub::ClearExtLacks && arg1.empty()) return Refuse();
            return {};
        default: return {};
    }
}

}  // namespace quirnel
