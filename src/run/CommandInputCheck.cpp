#include "run/CommandInputCheck.h"

#include <algorithm>
#include <limits>

#include "base/TextHelpers.h"
#include "commands/Primitives.h"
#include "run/CommandCatalogue.h"

namespace quirnel {
namespace {

constexpr int32_t kInvalidPositions = 43;
constexpr int32_t kDelimitersInvalid = 49;
constexpr int32_t kDelimiterNotSingle = 68;
constexpr int32_t kInvalidDigitLength = 76;
constexpr int64_t kMaxDigitLength = 10;

InputCheck Refuse(int32_t messageId = 0) { return {false, messageId}; }

InputCheck CheckPositions(const std::u16string& arg1, const std::u16string& arg2) {
    int64_t p1 = ReadInt(arg1), p2 = ReadInt(arg2);
    if (p1 == 0 && p2 == 0) return Refuse();
    if (p2 > 0 && p1 > p2) return Refuse(kInvalidPositions);
    return {};
}

InputCheck CheckDelimiters(const std::u16string& arg1, const std::u16string& arg2) {
    if (arg1.empty() || arg2.empty()) return Refuse(kDelimitersInvalid);
    if (arg1.size() > 1 || arg2.size() > 1) return Refuse(kDelimiterNotSingle);
    return {};
}

}  // namespace

InputCheck CheckCommandInput(int32_t command, int32_t sub, const std::u16string& arg1, const std::u16string& arg2) {
    switch (command) {
        case CmdReplace:
        case CmdReplaceExt:
            if ((sub == 61 || sub == 106) && arg1.empty()) return Refuse();
            if (sub == kItemReplaceExtension && arg2.empty()) return Refuse();
            return {};
        case CmdAddPrefix:
        case CmdAddSuffix:
        case CmdAddExt:
            if (sub == 21 && arg1.empty()) return Refuse();
            return {};
        case CmdRemove:
        case CmdChangeFolder:
            if (IsPositionItem(sub)) return CheckPositions(arg1, arg2);
            if (IsDelimiterItem(sub)) return CheckDelimiters(arg1, arg2);
            if (command == CmdChangeFolder && sub == 170 && arg1.empty()) return Refuse();
            return {};
        case CmdMatchDigits:
        case CmdAddNumbers:
            if (IsDigitLengthItem(sub)) {
                int64_t length = ReadInt(arg1);
                if (length < 0 || length > kMaxDigitLength) return Refuse(kInvalidDigitLength);
            }
            return {};
        case CmdClearList:
            if (sub >= 181 && sub <= 184 && arg1.empty()) return Refuse();
            return {};
        default: return {};
    }
}

}  // namespace quirnel
