#include "commands/AddToNames.h"

#include <algorithm>

#include "base/CommandIds.h"
#include "base/TextHelpers.h"
#include "commands/DateText.h"
#include "commands/MediaText.h"
#include "commands/Primitives.h"
#include "commands/Wildcard.h"
#include "namelist/NameList.h"
#include "platform/LocalTime.h"
#include "platform/PathText.h"

namespace quirnel {

namespace {

struct Args {
    int subCommand;
    const std::u16string& arg1;
    const std::u16string& arg2;
    std::optional<PositionRange> range;
    std::optional<Delimiters> delimiters;
    const WildcardPattern* cutPattern;  // extracts every match
    const WildcardPattern* cutDelete;   // deletes every match
    const Clock& now;
    LocalCalendar& calendar;
};

// Arguments that can give nothing to insert stop the command before any row.
bool Usable(int subCommand, const std::u16string& arg1, const std::optional<PositionRange>& range,
            const std::optional<Delimiters>& delimiters) {
    switch (subCommand) {
        case sub::AddString:
        case sub::AddCreatedDate:
        case sub::AddModifiedDate:
        case sub::AddCurrentDate:
        case sub::AddTakenDate:
        case sub::AddFromTags:
        case sub::CutPastePattern: return !arg1.empty();
        case sub::CutPasteDelimited: return delimiters.has_value();
        case sub::CutPasteRange:
        case sub::CutPasteRangeBack: return range.has_value();
        default: return true;
    }
}

std::u16string ParentFolderName(const NameList& list, int r, const Args& a) {
    const std::u16string& folder = list.oldFolder(r);
    size_t sep = folder.rfind(list.style().separator);
    if (sep == std::u16string::npos) return {};  // a bare drive has no name to add
    return a.arg1 + folder.substr(sep + 1) + a.arg2;
}

// The insert text of a row; cutting sub-commands also shorten the name.
std::u16string InsertText(const NameList& list, int r, const Args& a, std::u16string& name) {
    switch (a.subCommand) {
        case sub::AddString: return a.arg1;
        case sub::AddParentFolder: return ParentFolderName(list, r, a);
        case sub::AddCreatedTimePart:
        case sub::AddCreatedDatePart:
        case sub::AddModifiedTimePart:
        case sub::AddModifiedDatePart: {
            bool created = a.subCommand == sub::AddCreatedTimePart || a.subCommand == sub::AddCreatedDatePart;
            bool date = a.subCommand == sub::AddCreatedDatePart || a.subCommand == sub::AddModifiedDatePart;
            const std::u16string time = a.calendar.text(created ? list.created(r) : list.modified(r));
            return a.arg1 + TimeTextPart(time, date ? TimePart::Date : TimePart::Time) + a.arg2;
        }
        case sub::AddCreatedDate: return FormatStoredTime(list.created(r), a.arg1, a.calendar);
        case sub::AddModifiedDate: return FormatStoredTime(list.modified(r), a.arg1, a.calendar);
        case sub::AddCurrentDate: return FormatStoredTime(a.now(), a.arg1, a.calendar);
        case sub::CutPastePattern: {
            std::u16string s = a.cutPattern->apply(name, WildcardOutput::ReplacementsOnly);
            if (!s.empty()) name = a.cutDelete->apply(name, WildcardOutput::WholeText);
            return s;
        }
        case sub::CutPasteDelimited: {
            auto d = FindDelimited(name, a.delimiters->start, a.delimiters->end);
            if (!d) return {};
            std::u16string s = name.substr(d->s, d->e - d->s + 1);
            name.erase(d->s, d->e - d->s + 1);
            return s;
        }
        case sub::CutPasteRange:
        case sub::CutPasteRangeBack: {
            Span span = CoveredSpan(*a.range, name.size(), a.subCommand == sub::CutPasteRangeBack);
            std::u16string s = name.substr(span.begin, span.count);
            name.erase(span.begin, span.count);
            return s;
        }
        default: return {};
    }
}

int32_t InsertPosition(int subCommand, const std::u16string& arg2) {
    switch (subCommand) {
        case sub::AddString:
        case sub::CutPastePattern:
        case sub::AddCreatedDate:
        case sub::AddModifiedDate:
        case sub::AddCurrentDate:
        case sub::AddTakenDate:
        case sub::AddFromTags: return ReadInt(arg2);
        default: return 0;
    }
}

}  // namespace

Clock SystemClock() { return NowUtcSeconds; }

std::u16string TimeTextPart(const std::u16string& timeText, TimePart part) {
    const bool datePart = part == TimePart::Date;
    std::u16string t;
    for (char16_t c : timeText)
        if (c != u':') t.push_back(c == u' ' ? u'_' : c);
    size_t cut = t.rfind(u'_');
    if (cut == std::u16string::npos) return datePart ? std::u16string() : t;
    return datePart ? t.substr(0, cut) : t.substr(cut + 1);
}

void AddToNames(NameList& list, int subCommand, const std::u16string& arg1, const std::u16string& arg2,
                AddPlace place, const Clock& now, const MediaAccess* media) {
    const bool extensionMode = place == AddPlace::Extension;
    std::optional<PositionRange> range;
    if (subCommand == sub::CutPasteRange || subCommand == sub::CutPasteRangeBack) range = ResolvePositions(arg1, arg2);
    std::optional<Delimiters> delimiters;
    if (subCommand == sub::CutPasteDelimited) delimiters = DelimiterPair(arg1, arg2);
    if (!Usable(subCommand, arg1, range, delimiters)) return;
    const bool fromMedia = IsMediaSubCommand(subCommand);
    if (fromMedia && media == nullptr) return;
    const auto mediaTexts = fromMedia ? MediaTexts(list, subCommand, arg1, *media)
                                      : std::vector<std::optional<std::u16string>>();
    WildcardPattern cutPattern(arg1, arg1), cutDelete(arg1, u"");
    LocalCalendar calendar;
    const Args args{subCommand, arg1, arg2, range, delimiters, &cutPattern, &cutDelete, now, calendar};
    const int32_t position = InsertPosition(subCommand, arg2);

    for (int r = 0; r < list.size(); ++r) {
        const bool folder = list.isFolder(r);
        if (extensionMode && folder) continue;
        if (fromMedia && !mediaTexts[r]) continue;  // no value: the name stays as it was
        std::u16string_view newName = list.newName(r);
        std::u16string name(NamePart(newName, folder));
        std::u16string ext(ExtensionOf(newName, folder, Dot::Without));
        std::u16string s = fromMedia ? *mediaTexts[r] : InsertText(list, r, args, name);
        std::u16string& base = extensionMode ? ext : name;
        const size_t n = base.size();
        const size_t p = static_cast<size_t>(std::clamp<int64_t>(position, 0, static_cast<int64_t>(n)));
        base.insert(place == AddPlace::Prefix ? p : n - p, s);
        // An extension typed with its dot keeps it; otherwise one is put in.
        std::u16string next = ext.empty() || ext[0] == u'.' ? name + ext : name + u'.' + ext;
        list.setNewName(r, std::move(next));
    }
}

}  // namespace quirnel
