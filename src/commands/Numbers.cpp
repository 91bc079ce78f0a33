#include "commands/Numbers.h"

#include <algorithm>
#include <cstdint>
#include <string_view>
#include <unordered_map>

#include "base/CommandIds.h"
#include "base/TextHelpers.h"
#include "commands/Primitives.h"
#include "namelist/NameList.h"
#include "platform/PathText.h"

namespace quirnel {

namespace {

bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

int MinimumLength(const std::u16string& arg) { return std::clamp<int32_t>(ReadInt(arg), 0, kMaxDigitLength); }

std::u16string NumberText(int64_t value, int minimum) {
    char16_t digits[24];
    int n = 0;
    do {
        digits[n++] = static_cast<char16_t>(u'0' + value % 10);
        value /= 10;
    } while (value > 0);
    std::u16string out(std::max(0, minimum - n), u'0');
    while (n > 0) out.push_back(digits[--n]);
    return out;
}

}  // namespace

void FilterDigits(NameList& list, Digits digits) {
    const bool deleteDigits = digits == Digits::Delete;
    for (int r = 0; r < list.size(); ++r) {
        std::u16string_view newName = list.newName(r);
        const bool folder = list.isFolder(r);
        std::u16string_view name = NamePart(newName, folder);
        std::u16string next;
        next.reserve(newName.size());
        for (char16_t c : name)
            if (IsDigit(c) != deleteDigits) next.push_back(c);
        next.append(ExtensionOf(newName, folder, Dot::With));
        list.setNewName(r, std::move(next));
    }
}

void MatchDigits(NameList& list, int subCommand, const std::u16string& arg1) {
    if (subCommand != sub::PadTailNumber && subCommand != sub::PadHeadNumber) return;
    const int minimum = MinimumLength(arg1);
    for (int r = 0; r < list.size(); ++r) {
        std::u16string_view newName = list.newName(r);
        const bool folder = list.isFolder(r);
        std::u16string name(NamePart(newName, folder));
        size_t begin = 0, end = 0;  // the number is name[begin, end)
        if (subCommand == sub::PadTailNumber) {
            end = name.size();
            while (end > 0 && !IsDigit(name[end - 1])) --end;
            begin = end;
            while (begin > 0 && IsDigit(name[begin - 1])) --begin;
        } else {
            while (begin < name.size() && !IsDigit(name[begin])) ++begin;
            end = begin;
            while (end < name.size() && IsDigit(name[end])) ++end;
        }
        const int length = static_cast<int>(end - begin);
        if (length > 0 && length < minimum) name.insert(begin, minimum - length, u'0');
        list.setNewName(r, NameWithDottedExt(name, ExtensionOf(newName, folder, Dot::With)));
    }
}

void AddNumbers(NameList& list, int subCommand, const std::u16string& arg1, const std::u16string& arg2) {
    const bool byFolder = subCommand == sub::NumberTailByFolder || subCommand == sub::NumberHeadByFolder;
    const bool head = subCommand == sub::NumberHeadInOrder || subCommand == sub::NumberHeadByFolder;
    if (!byFolder && !head && subCommand != sub::NumberTailInOrder) return;
    const int minimum = MinimumLength(arg1);
    const int64_t start = std::max<int32_t>(ReadInt(arg2), 0);
    int64_t counter = start;  // 64 bits: a start near the 32-bit limit keeps counting
    // Views into the list's folder texts, which stay put while only names change.
    std::unordered_map<std::u16string_view, int64_t> lastInFolder;
    for (int r = 0; r < list.size(); ++r) {
        int64_t number = counter++;
        if (byFolder) {
            auto [it, fresh] = lastInFolder.try_emplace(list.newFolder(r), start);
            if (!fresh) ++it->second;
            number = it->second;
        }
        std::u16string_view newName = list.newName(r);
        const bool folder = list.isFolder(r);
        std::u16string_view name = NamePart(newName, folder);
        std::u16string text = NumberText(number, minimum);
        std::u16string next;
        next.reserve(newName.size() + text.size());
        if (head) next.append(text).append(name);
        else next.append(name).append(text);
        next.append(ExtensionOf(newName, folder, Dot::With));
        list.setNewName(r, std::move(next));
    }
}

}  // namespace quirnel
