#include "commands/MediaText.h"

#include "base/CommandIds.h"
#include "base/Host.h"
#include "base/StringTable.h"
#include "base/TextIds.h"
#include "commands/DateText.h"
#include "commands/FieldTemplate.h"
#include "metadata/MediaCache.h"
#include "namelist/MediaRows.h"
#include "namelist/NameList.h"

namespace quirnel {
namespace {

using Texts = std::vector<std::optional<std::u16string>>;

void ReportRows(const NameList& list, const std::vector<MediaFields>& fields, const Texts& texts, Host* host) {
    if (host == nullptr) return;
    long long missing = 0, unreadable = 0, unread = 0;
    int firstUnreadable = -1;
    for (int r = 0; r < list.size(); ++r) {
        if (fields[r].unread && !list.isFolder(r)) ++unread;
        else if (!texts[r]) ++missing;
        if (!fields[r].error.empty() && unreadable++ == 0) firstUnreadable = r;
    }
    if (unread > 0) host->AppendLog(FormatText(LoadText(text::MediaRowsUnread), {unread}));
    if (missing > 0) host->AppendLog(FormatText(LoadText(text::MediaValueMissing), {missing}));
    if (unreadable > 0)
        host->AppendLog(FormatText(LoadText(text::MediaUnreadable),
                                   {unreadable, OldFullPath(list, firstUnreadable) + u": " + fields[firstUnreadable].error}));
}

}  // namespace

std::vector<MediaFields> ReadRowsInOrder(const NameList& list) {
    std::vector<MediaFields> fields(list.size());
    for (int r = 0; r < list.size(); ++r)
        if (!list.isFolder(r)) fields[r] = ReadMediaFields(OldFullPath(list, r));
    return fields;
}

MediaAccess DefaultMediaAccess(Host* host, bool takenFallsBackToModified) {
    return MediaAccess{ReadRowsInOrder, takenFallsBackToModified, host};
}

MediaAccess CachedMediaAccess(MediaCache& cache, Host* host, bool takenFallsBackToModified, MediaProgress progress) {
    auto read = [&cache, progress](const NameList& list) { return cache.fieldsOf(MediaFilesOf(list), 0, progress); };
    return MediaAccess{read, takenFallsBackToModified, host};
}

MediaProgress StatusLineProgress(Host& host) {
    constexpr size_t kWorthShowing = 2000;  // fewer files are read before anyone would look
    return [&host](size_t done, size_t total) {
        if (host.stopAsked()) return false;
        if (total < kWorthShowing) return true;
        if (done == total) host.SetStatusText(u"");
        else host.SetStatusText(FormatText(LoadText(text::MediaReading), {static_cast<long long>(done), static_cast<long long>(total)}));
        return true;
    };
}

bool IsMediaSubCommand(int s) {
    return s == sub::AddTakenDate || s == sub::AddFromTags || s == sub::FolderFromTakenDate || s == sub::FolderFromTags;
}

// Why a file's row gets no text, for its tooltip.
std::u16string WhyNoText(const MediaFields& f, const FieldTemplate* tmpl) {
    if (f.unread) return LoadText(text::UnreadRowTip);
    if (!f.error.empty()) return FormatText(LoadText(text::UnreadableTip), {f.error});
    if (!tmpl) return LoadText(text::NoTakenTip);
    const std::u16string fields = tmpl->missing(f);
    return fields.empty() ? std::u16string() : FormatText(LoadText(text::FieldsMissingTip), {fields});
}

Texts MediaTexts(NameList& list, int subCommand, const std::u16string& arg1, const MediaAccess& access) {
    Texts texts(list.size());
    list.clearNotes();
    const bool byDate = subCommand == sub::AddTakenDate || subCommand == sub::FolderFromTakenDate;
    std::optional<FieldTemplate> tmpl;
    if (!byDate) {
        tmpl = FieldTemplate::Parse(arg1);
        if (!tmpl) {
            if (access.host) access.host->AppendLog(FormatText(LoadText(text::TemplateInvalid), {arg1}));
            return texts;
        }
    }
    const std::vector<MediaFields> fields = access.readRows(list);
    LocalCalendar calendar;
    for (int r = 0; r < list.size(); ++r) {
        const MediaFields& f = fields[r];
        std::optional<std::u16string> t;
        // A stopped reading changes no row it did not reach, fallback or not.
        if (f.unread) t = std::nullopt;
        else if (!byDate) t = tmpl->expand(f);
        else if (f.taken) t = FormatDateText(WallTimeText(f.taken->wallSeconds), arg1);
        else if (access.takenFallsBackToModified && !list.isFolder(r)) t = FormatStoredTime(list.modified(r), arg1, calendar);
        if (t && !t->empty()) texts[r] = std::move(t);
        else if (!list.isFolder(r)) list.setNote(r, WhyNoText(f, tmpl ? &*tmpl : nullptr));
    }
    ReportRows(list, fields, texts, access.host);
    return texts;
}

}  // namespace quirnel
