#include "run/CommandInputCheck.h"

#include <algorithm>
#include <limits>
#include <string_view>

#include "base/StringTable.h"
#include "base/TextHelpers.h"
#include "base/TextIds.h"
#include "commands/Numbers.h"
#include "commands/Primitives.h"
#include "commands/Regex.h"
#include "commands/Wildcard.h"
#include "platform/PathStyle.h"
#include "run/CommandCatalogue.h"

namespace quirnel {
namespace {

InputCheck Refuse(int32_t messageId = 0) { return {false, messageId, {}}; }

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

// A pattern that compiles and a template that names only its groups, or
// the message naming the character where either goes wrong.
InputCheck CheckRegex(const std::u16string& pattern, const std::u16string& replacement) {
    if (pattern.empty()) return Refuse();
    Regex regex(pattern);
    if (!regex.ok())
        return {false, text::InvalidRegex, RegexErrorText(text::InvalidRegex, pattern, regex.error())};
    if (auto bad = regex.checkReplacement(replacement))
        return {false, text::InvalidRegexReplacement, RegexErrorText(text::InvalidRegexReplacement, replacement, *bad)};
    return {};
}

// What the arguments of this command and item may not hold: what the path
// style keeps out of file names, as at apply time. Arguments that are paths
// keep the separator (and on Windows the drive colon); wildcard items keep
// their wildcards, which their own check looks after.
std::u16string ForbiddenIn(int32_t command, int32_t sub, const PathStyle& style) {
    const CommandInfo* info = FindCommand(command);
    std::u16string set = style.forbidden;
    auto allow = [&](std::u16string_view chars) {
        std::erase_if(set, [&](char16_t c) { return chars.find(c) != std::u16string_view::npos; });
    };
    if (info && info->argsArePaths) allow(style.windows ? u"\\:" : u"/");
    if (IsWildcardItem(sub)) allow(u"?*");
    return set;
}

void Erase(std::u16string& text, std::u16string_view chars) {
    std::erase_if(text, [&](char16_t c) { return chars.find(c) != std::u16string_view::npos; });
}

bool Holds(const std::u16string& text, const std::u16string& chars) {
    return text.find_first_of(chars) != std::u16string::npos;
}

}  // namespace

DialogInput CleanDialogInput(int32_t command, int32_t sub, std::u16string arg1, std::u16string arg2,
                             bool nameAutoFix, const PathStyle& style) {
    DialogInput out;
    Erase(arg1, u"\r\n\t");
    Erase(arg2, u"\r\n\t");
    const bool regex = IsRegexItem(sub);
    // A pattern never becomes a name; a template's '\' starts an escape.
    const std::u16string forbidden1 = regex ? std::u16string() : ForbiddenIn(command, sub, style);
    std::u16string forbidden2 = ForbiddenIn(command, sub, style);
    if (regex) std::erase(forbidden2, u'\\');
    if (nameAutoFix) {
        Erase(arg1, forbidden1);
        Erase(arg2, forbidden2);
    } else if (Holds(arg1, forbidden1) || Holds(arg2, forbidden2)) {
        out.messageId = text::ForbiddenCharacters;
    }
    if (out.accepted() && IsWildcardItem(sub)) out.messageId = CheckWildcardArguments(arg1, arg2);
    if (out.accepted() && regex && !arg1.empty()) {
        InputCheck check = CheckRegex(arg1, arg2);
        out.messageId = check.messageId;
        out.message = std::move(check.message);
    }
    if (!out.accepted() && out.message.empty()) out.message = LoadText(out.messageId);
    out.arg1 = std::move(arg1);
    out.arg2 = std::move(arg2);
    return out;
}

InputCheck CheckCommandInput(int32_t command, int32_t sub, const std::u16string& arg1, const std::u16string& arg2) {
    const SubCommandSpec* spec = FindSubCommand(command, sub);
    switch (spec ? spec->check : AfterCheck::None) {
        case AfterCheck::None: return {};
        case AfterCheck::NeedArg1: return arg1.empty() ? Refuse() : InputCheck{};
        case AfterCheck::NeedArg2: return arg2.empty() ? Refuse() : InputCheck{};
        case AfterCheck::ValidPositions: return CheckPositions(arg1, arg2);
        case AfterCheck::ValidDelimiters: return CheckDelimiters(arg1, arg2);
        case AfterCheck::ValidRegex: return CheckRegex(arg1, arg2);
        case AfterCheck::ValidDigitLength: {
            int64_t length = ReadInt(arg1);
            if (length < 0 || length > kMaxDigitLength) return Refuse(text::InvalidDigitLength);
            return {};
        }
    }
    return {};
}

}  // namespace quirnel
