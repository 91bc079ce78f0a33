#include "commands/Replace.h"

#include <functional>

#include "base/CommandIds.h"
#include "base/Host.h"
#include "base/TextHelpers.h"
#include "base/TextIds.h"
#include "commands/Primitives.h"
#include "commands/Regex.h"
#include "commands/UnicodeText.h"
#include "commands/Wildcard.h"
#include "namelist/NameList.h"
#include "platform/PathText.h"

namespace quirnel {

namespace {

bool IsUpper(char16_t c) { return c >= u'A' && c <= u'Z'; }
bool IsLower(char16_t c) { return c >= u'a' && c <= u'z'; }
bool IsLetter(char16_t c) { return IsUpper(c) || IsLower(c); }
char16_t Lower(char16_t c) { return IsUpper(c) ? c + (u'a' - u'A') : c; }
char16_t Upper(char16_t c) { return IsLower(c) ? c - (u'a' - u'A') : c; }

std::u16string_view WithoutLeadingDot(std::u16string_view text) {
    return !text.empty() && text[0] == u'.' ? text.substr(1) : text;
}

using Transform = std::function<std::u16string(std::u16string_view subject, bool isFolder)>;

// The transform of a sub-command, built once per pass; none for values that
// change nothing.
Transform MakeTransform(int subCommand, const std::u16string& arg1, const std::u16string& arg2, bool extensionMode) {
    switch (subCommand) {
        case sub::ReplaceString:
            if (arg1.empty()) return {};
            if (HasWildcard(arg1)) {
                auto pattern = std::make_shared<WildcardPattern>(arg1, arg2);
                return [pattern](std::u16string_view s, bool) { return pattern->apply(s, WildcardOutput::WholeText); };
            }
            return [arg1, arg2](std::u16string_view s, bool) { return ReplaceAll(s, arg1, arg2); };
        case sub::FlipAroundPivot:
            if (arg1.empty()) return {};
            return [arg1](std::u16string_view s, bool) { return FlipAroundPivot(s, arg1); };
        case sub::ToLower: return [](std::u16string_view s, bool) { return AsciiLower(s); };
        case sub::ToUpper: return [](std::u16string_view s, bool) { return AsciiUpper(s); };
        case sub::FirstUpperRestLower: return [](std::u16string_view s, bool) { return FirstLetterUpper(s); };
        case sub::WordsCapitalised: return [](std::u16string_view s, bool) { return WordsCapitalised(s); };
        case sub::ComposeHangulText: return [](std::u16string_view s, bool) { return ComposeHangul(s); };
        case sub::ComposeLetters:
            return [](std::u16string_view s, bool) { return Normalized(s, NormalForm::Composed); };
        case sub::DecomposeLetters:
            return [](std::u16string_view s, bool) { return Normalized(s, NormalForm::Decomposed); };
        case sub::KoreanToLatin:
        case sub::LatinWithoutAccents: {
            auto t = std::make_shared<Transliterator>(subCommand == sub::KoreanToLatin ? Transliteration::KoreanToLatin
                                                                                        : Transliteration::LatinWithoutAccents);
            if (!t->ok()) return {};
            return [t](std::u16string_view s, bool) { return t->apply(s); };
        }
        case sub::ReplaceExtension: {
            if (!extensionMode) return {};
            std::u16string from(WithoutLeadingDot(arg1)), to(WithoutLeadingDot(arg2));
            return [from, to](std::u16string_view s, bool isFolder) {
                if (isFolder) return std::u16string(s);
                return from.empty() || EqualsIgnoringAsciiCase(s, from) ? to : std::u16string(s);
            };
        }
        default: return {};
    }
}

// Every row's subject through the transform; a row whose subject comes back
// as it was is not written.
void RewriteSubjects(NameList& list, ReplaceSubject replaceSubject, const Transform& transform) {
    const bool extensionMode = replaceSubject == ReplaceSubject::Extension;
    const bool includeExt = replaceSubject == ReplaceSubject::WholeName;
    std::u16string next;  // the list copies it: one buffer serves every row
    for (int r = 0; r < list.size(); ++r) {
        std::u16string_view newName = list.newName(r);
        const bool folder = list.isFolder(r);
        std::u16string_view name = NamePart(newName, folder);
        std::u16string_view ext = ExtensionOf(newName, folder, Dot::Without);
        std::u16string_view subject = extensionMode ? ext : includeExt ? std::u16string_view(newName) : name;
        std::u16string result = transform(subject, folder);
        if (result == subject) continue;
        if (includeExt) {
            list.setNewName(r, result);
            continue;
        }
        next.assign(extensionMode ? name : std::u16string_view(result));
        const std::u16string_view after = extensionMode ? std::u16string_view(result) : ext;
        if (!ext.empty()) next.append(1, u'.').append(after);
        list.setNewName(r, next);
    }
}

void ReplaceByRegex(NameList& list, const std::u16string& pattern, const std::u16string& replacement,
                    ReplaceSubject replaceSubject, Host* host) {
    if (pattern.empty()) return;
    Regex regex(pattern);
    if (!regex.ok()) {
        if (host) host->AppendLog(RegexErrorText(text::InvalidRegex, pattern, regex.error()));
        return;
    }
    RewriteSubjects(list, replaceSubject, [&](std::u16string_view s, bool) {
        std::optional<std::u16string> replaced = regex.replace(s, replacement);
        return replaced ? std::move(*replaced) : std::u16string(s);
    });
    if (host) ReportRegexLimit(*host, regex);
}

}  // namespace

std::u16string ReplaceAll(std::u16string_view text, std::u16string_view find, std::u16string_view with) {
    if (find.empty()) return std::u16string(text);
    size_t at = text.find(find);
    if (at == std::u16string_view::npos) return std::u16string(text);
    std::u16string out;
    out.reserve(text.size() + with.size());
    size_t from = 0;
    for (; at != std::u16string_view::npos; at = text.find(find, from)) {
        out.append(text.substr(from, at - from)).append(with);
        from = at + find.size();
    }
    out.append(text.substr(from));
    return out;
}

std::u16string FlipAroundPivot(std::u16string_view text, std::u16string_view pivot) {
    size_t p = pivot.empty() ? std::u16string_view::npos : text.find(pivot);
    if (p == std::u16string_view::npos) return std::u16string(text);
    std::u16string out;
    out.reserve(text.size());
    out.append(text.substr(p + pivot.size())).append(pivot).append(text.substr(0, p));
    return out;
}

std::u16string FirstLetterUpper(std::u16string_view text) {
    std::u16string out = AsciiLower(text);
    for (char16_t& c : out) {
        if (IsLetter(c)) {
            c = Upper(c);
            break;
        }
    }
    return out;
}

std::u16string WordsCapitalised(std::u16string_view text) {
    std::u16string out(text);
    bool inWord = false;
    for (char16_t& c : out) {
        if (IsLetter(c)) {
            c = inWord ? Lower(c) : Upper(c);
            inWord = true;
        } else {
            inWord = false;
        }
    }
    return out;
}

std::u16string ComposeHangul(std::u16string_view text) {
    constexpr char16_t LBase = 0x1100, VBase = 0x1161, TBase = 0x11A7, SBase = 0xAC00;
    auto isL = [](char16_t c) { return c >= 0x1100 && c <= 0x1112; };
    auto isV = [](char16_t c) { return c >= 0x1161 && c <= 0x1175; };
    auto isT = [](char16_t c) { return c >= 0x11A8 && c <= 0x11C2; };
    auto syllable = [&](char16_t l, char16_t v) {
        return static_cast<char16_t>(SBase + ((l - LBase) * 21 + (v - VBase)) * 28);
    };
    std::u16string out;
    out.reserve(text.size());
    char16_t l = 0, v = 0;  // pending leading consonant and vowel; 0 = none
    auto flush = [&] {
        if (v) out.push_back(syllable(l, v));
        else if (l) out.push_back(l);
        l = v = 0;
    };
    for (char16_t c : text) {
        if (isL(c)) {
            flush();
            l = c;
        } else if (isV(c) && l && !v) {
            v = c;
        } else if (isT(c) && v) {
            out.push_back(static_cast<char16_t>(syllable(l, v) + (c - TBase)));
            l = v = 0;
        } else {
            flush();
            out.push_back(c);
        }
    }
    flush();
    return out;
}

void ReplaceNames(NameList& list, int subCommand, const std::u16string& arg1, const std::u16string& arg2,
                  ReplaceSubject replaceSubject, Host* host) {
    if (subCommand == sub::RegexReplace) return ReplaceByRegex(list, arg1, arg2, replaceSubject, host);
    Transform transform = MakeTransform(subCommand, arg1, arg2, replaceSubject == ReplaceSubject::Extension);
    if (transform) RewriteSubjects(list, replaceSubject, transform);
}

}  // namespace quirnel
