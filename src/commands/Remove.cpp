#include "commands/Remove.h"

#include "base/CommandIds.h"
#include "base/TextHelpers.h"
#include "commands/Primitives.h"
#include "namelist/NameList.h"
#include "platform/PathText.h"

namespace quirnel {

namespace {

void RemovePositions(NameList& list, int subCommand, const PositionRange& range) {
    const bool fromBack = subCommand == sub::RemoveRangeBack || subCommand == sub::KeepRangeBack;
    const bool keep = subCommand == sub::KeepRange || subCommand == sub::KeepRangeBack;
    for (int r = 0; r < list.size(); ++r) {
        std::u16string_view newName = list.newName(r);
        const bool folder = list.isFolder(r);
        std::u16string name(NamePart(newName, folder));
        std::u16string_view ext = ExtensionOf(newName, folder, Dot::With);
        Span span = CoveredSpan(range, name.size(), fromBack);
        if (keep) name = name.substr(span.begin, span.count);
        else name.erase(span.begin, span.count);
        list.setNewName(r, NameWithDottedExt(name, ext));
    }
}

void RemoveDelimited(NameList& list, bool keep, const Delimiters& d) {
    for (int r = 0; r < list.size(); ++r) {
        std::u16string_view newName = list.newName(r);
        const bool folder = list.isFolder(r);
        std::u16string_view name = NamePart(newName, folder);
        auto found = FindDelimited(name, d.start, d.end);
        if (!found) continue;
        const size_t count = found->e - found->s + 1;
        std::u16string next;
        if (keep) {
            next.assign(name.substr(found->s, count));
        } else {
            next.assign(name.substr(0, found->s)).append(name.substr(found->e + 1));
        }
        next.append(ExtensionOf(newName, folder, Dot::With));
        list.setNewName(r, std::move(next));
    }
}

void TrimNameParts(NameList& list) {
    for (int r = 0; r < list.size(); ++r) {
        std::u16string_view newName = list.newName(r);
        const bool folder = list.isFolder(r);
        std::u16string_view name = NamePart(newName, folder);
        size_t end = name.size();
        while (end > 0 && IsUnicodeSpace(name[end - 1])) --end;
        size_t begin = 0;
        while (begin < end && IsUnicodeSpace(name[begin])) ++begin;
        if (end - begin == name.size()) continue;
        list.setNewName(r, NameWithDottedExt(name.substr(begin, end - begin), ExtensionOf(newName, folder, Dot::With)));
    }
}

}  // namespace

void RemoveFromNames(NameList& list, int subCommand, const std::u16string& arg1, const std::u16string& arg2) {
    switch (subCommand) {
        case sub::RemoveRange:
        case sub::RemoveRangeBack:
        case sub::KeepRange:
        case sub::KeepRangeBack:
            if (auto range = ResolvePositions(arg1, arg2)) RemovePositions(list, subCommand, *range);
            return;
        case sub::RemoveDelimited:
        case sub::KeepDelimited:
            if (auto d = DelimiterPair(arg1, arg2)) RemoveDelimited(list, subCommand == sub::KeepDelimited, *d);
            return;
        case sub::TrimBlanks: TrimNameParts(list); return;
        default: return;
    }
}

}  // namespace quirnel
