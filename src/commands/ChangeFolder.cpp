#include "commands/ChangeFolder.h"

#include "base/CommandIds.h"
#include "base/Host.h"
#include "base/StringTable.h"
#include "base/TextHelpers.h"
#include "base/TextIds.h"
#include "commands/DateText.h"
#include "commands/MediaText.h"
#include "commands/Primitives.h"
#include "commands/Regex.h"
#include "commands/Wildcard.h"
#include "namelist/NameList.h"
#include "platform/PathText.h"

namespace quirnel {

namespace {

void AppendSubfolder(NameList& list, int r, const std::u16string& subfolder) {
    if (subfolder.empty()) return;
    list.setNewFolder(r, JoinPath(list.newFolder(r), subfolder, list.style()));
}

CommandOutcome MoveToFolder(NameList& list, const std::u16string& arg1, Host& host) {
    if (arg1.empty()) {
        host.ShowMessageDialog(LoadText(text::InvalidFolder), LoadText(CmdChangeFolder));
        return CommandOutcome::StopRun;
    }
    std::u16string folder = arg1;
    const PathStyle& style = list.style();
    // One trailing separator goes; the POSIX root keeps its only one.
    if (folder.back() == style.separator && (style.windows || folder.size() > 1)) folder.pop_back();
    for (int r = 0; r < list.size(); ++r) list.setNewFolder(r, folder);
    return CommandOutcome::Continue;
}

void MoveToParent(NameList& list, const std::u16string& arg1, const std::u16string& arg2) {
    const int32_t level = ReadInt(arg1.empty() && !arg2.empty() ? arg2 : arg1);
    for (int r = 0; r < list.size(); ++r) {
        std::u16string f = list.oldFolder(r);
        // A path has few levels: stop at the top instead of counting a huge level down.
        for (int32_t i = 0; i < level; ++i) {
            std::u16string p = ParentFolderOf(f, list.style());
            if (p.empty() || p == f) break;
            f = std::move(p);
        }
        list.setNewFolder(r, f);
    }
}

template <typename Subfolder>
void AppendForEachRow(NameList& list, Subfolder subfolder) {
    for (int r = 0; r < list.size(); ++r) AppendSubfolder(list, r, subfolder(r));
}

// The expanded templates of every match, as the wildcard pattern's
// replacements; an empty template takes the match itself.
void FolderFromRegex(NameList& list, const std::u16string& pattern, const std::u16string& folder, Host& host) {
    if (pattern.empty()) return;
    Regex regex(pattern);
    if (!regex.ok()) {
        host.AppendLog(RegexErrorText(text::InvalidRegex, pattern, regex.error()));
        return;
    }
    const std::u16string& expand = folder.empty() ? u"$0" : folder;
    AppendForEachRow(list, [&](int r) {
        return regex.replace(NamePart(list.newName(r), list.isFolder(r)), expand, true).value_or(std::u16string());
    });
    ReportRegexLimit(host, regex);
}

}  // namespace

CommandOutcome ChangeFolder(NameList& list, int subCommand, const std::u16string& arg1, const std::u16string& arg2,
                            Host& host, const MediaAccess* media) {
    auto namePart = [&list](int r) { return NamePart(list.newName(r), list.isFolder(r)); };
    switch (subCommand) {
        case sub::MoveToFolder: return MoveToFolder(list, arg1, host);
        case sub::MoveToParent: MoveToParent(list, arg1, arg2); break;
        case sub::FolderFromPattern: {
            if (arg1.empty()) break;
            WildcardPattern pattern(arg1, arg2.empty() ? arg1 : arg2);
            AppendForEachRow(list, [&](int r) { return pattern.apply(namePart(r), WildcardOutput::ReplacementsOnly); });
            break;
        }
        case sub::FolderFromRegex: FolderFromRegex(list, arg1, arg2, host); break;
        case sub::FolderFromDelimited: {
            auto d = DelimiterPair(arg1, arg2);
            if (!d) break;
            AppendForEachRow(list, [&](int r) {
                std::u16string_view name = namePart(r);
                auto found = FindDelimited(name, d->start, d->end);
                return found ? std::u16string(name.substr(found->s, found->e - found->s + 1)) : std::u16string();
            });
            break;
        }
        case sub::FolderFromRange:
        case sub::FolderFromRangeBack: {
            auto range = ResolvePositions(arg1, arg2);
            if (!range) break;
            const bool back = subCommand == sub::FolderFromRangeBack;
            AppendForEachRow(list, [&](int r) {
                std::u16string_view name = namePart(r);
                Span span = CoveredSpan(*range, name.size(), back);
                return std::u16string(name.substr(span.begin, span.count));
            });
            break;
        }
        case sub::FolderFromCreated:
        case sub::FolderFromModified: {
            const bool created = subCommand == sub::FolderFromCreated;
            LocalCalendar calendar;
            AppendForEachRow(list, [&](int r) {
                return FormatStoredTime(created ? list.created(r) : list.modified(r), arg1, calendar);
            });
            break;
        }
        case sub::FolderFromTakenDate:
        case sub::FolderFromTags: {
            if (arg1.empty() || media == nullptr) break;
            const auto texts = MediaTexts(list, subCommand, arg1, *media);
            AppendForEachRow(list, [&](int r) { return texts[r].value_or(std::u16string()); });
            break;
        }
        case sub::FolderFromExtension:
            AppendForEachRow(list, [&](int r) {
                return list.isFolder(r) ? std::u16string() : std::u16string(ExtensionOf(list.newName(r), Dot::Without));
            });
            break;
        default: break;
    }
    return CommandOutcome::Continue;
}

}  // namespace quirnel
