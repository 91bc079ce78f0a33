#include "input/CommandInputCheck.h"

#include <algorithm>
#include <limits>

#include "input/CommandCatalogue.h"

namespace quirnel {
namespace {

constexpr int32_t kInvalidPositions = 43;
constexpr int32_t kDelimitersInvalid = 49;
constexpr int32_t kDelimiterNotSingle = 68;
constexpr int32_t kInvalidDigitLength = 76;
constexpr int64_t kMaxDigitLength = 10;

// Blanks, a sign, then digits up to the first other character; no digits
// read as 0. Out-of-range numbers saturate, so "99999999999" stays too big
// rather than wrapping into an accepted value.
int64_t ReadNumber(const std::u16string& text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == u' ' || (text[i] >= u'\t' && text[i] <= u'\r'))) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) negative = text[i++] == u'-';
    int64_t value = 0;
    constexpr int64_t kCap = std::numeric_limits<int32_t>::max() + int64_t(1);
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) value = std::min(kCap, value * 10 + (text[i] - u'0'));
    if (negative) return -value;
    return std::min<int64_t>(value, std::numeric_limits<int32_t>::max());
}

InputCheck Refuse(int32_t messageId = 0) { return {false, messageId}; }

InputCheck CheckPositions(const std::u16string& arg1, const std::u16string& arg2) {
    int64_t p1 = ReadNumber(arg1), p2 = ReadNumber(arg2);
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
                int64_t length = ReadNumber(arg1);
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
