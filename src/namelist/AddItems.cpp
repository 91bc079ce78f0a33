#include "namelist/AddItems.h"

#include <algorithm>
#include <iterator>

#include "base/StringTable.h"
#include "base/TextIds.h"
#include "namelist/Sorting.h"
#include "platform/Collation.h"
#include "platform/PathText.h"

namespace quirnel {

namespace {

// The row of an entry; source carries the folder text, set once per folder.
// The entry's name is given back once the row holds its copy: a moved-into
// string would hand its old block to the entry instead, keeping every name
// of a large folder twice until the folder is done.
bool AddEntryRow(Workspace& ws, RowSource& source, DirEntry&& entry) {
    source.name.swap(entry.name);
    std::u16string().swap(entry.name);
    source.isFolder = entry.isFolder;
    source.size = entry.isFolder ? 0 : entry.size;
    source.modified = entry.modified;
    source.created = entry.created;
    source.ino = entry.ino;
    source.detailsPending = entry.detailsPending;
    const bool added = ws.list.appendRow(source);
    std::u16string().swap(source.name);
    if (!added) return false;
    // The icon after the duplicate test: a path listed already asks for nothing.
    const int r = ws.list.size() - 1;
    ws.list.setIconIndex(r, ws.icons.iconFor(source.folder, ws.list.oldName(r), entry.isFolder, ws.list.style()));
    return true;
}

// The entries of a large folder take about half as much room as their rows:
// once half of them are rows, the rest move to a table of their own and the
// old one goes, so the two are never held whole at once.
constexpr size_t kShrinkFrom = 4096;

void DropDone(std::vector<DirEntry>& entries, size_t done) {
    std::vector<DirEntry> rest(std::make_move_iterator(entries.begin() + done), std::make_move_iterator(entries.end()));
    entries.swap(rest);
}

}  // namespace

bool AddRow(Workspace& ws, DirEntry&& entry, const std::u16string& folder) {
    RowSource source;
    source.folder = folder;
    return AddEntryRow(ws, source, std::move(entry));
}

void AddPath(Workspace& ws, const std::u16string& path, bool isFolder) {
    int mode = ws.settings.LoadType;
    if (isFolder && mode == 2) {
        if (ws.folderAnswer == -1) ws.folderAnswer = ws.host.ask(Question::AddFolderItself) ? 0 : 1;
        mode = ws.folderAnswer;
    }
    const PathStyle& style = ws.list.style();
    if (isFolder && mode == 1) {
        // Entries are read first and the folder closed before descending, so a
        // deep tree never holds one open folder per level.
        std::vector<DirEntry> entries;
        FolderStamp stamp;
        if (!ReadFolderEntries(path, entries, &stamp, ws.deferDetails ? EntryDetail::Deferred : EntryDetail::Full)) return;
        RowSource source;
        source.folder = path;
        source.folderStamp = stamp;
        ws.list.reserve(ws.list.size() + static_cast<int>(entries.size()));
        // A path listed already is skipped without a word, here and below.
        constexpr size_t kAhead = 8;  // the set of paths is far larger than the caches
        for (size_t k = 0; k < entries.size(); ++k) {
            if (k + kAhead < entries.size()) ws.list.prefetchPath(path, entries[k + kAhead].name);
            DirEntry& e = entries[k];
            if (e.isFolder)
                AddPath(ws, JoinPath(path, e.name, style), e.isFolder);
            else
                (void)AddEntryRow(ws, source, std::move(e));
            if (k + 1 >= kShrinkFrom && (k + 1) * 2 >= entries.size()) {
                DropDone(entries, k + 1);
                k = static_cast<size_t>(-1);
            }
        }
        return;
    }
    DirEntry entry;
    if (LookUpEntry(path, entry) && !entry.name.empty()) (void)AddRow(ws, std::move(entry), ParentFolderOf(path, style));
}

void BeginAddBatch(Workspace& ws) {
    ws.host.SetStatusText(LoadText(text::WorkInProgress));
    if (IsOn(ws.settings.ShowCFGLoad)) ws.host.showPathLoadOptions();
    ws.folderAnswer = -1;
}

bool AddExistingPath(Workspace& ws, const std::u16string& path) {
    PathAttributes a = GetPathAttributes(path);
    if (!a.exists) return false;
    ws.flags.unappliedFlag = 1;
    AddPath(ws, path, a.isFolder);
    return true;
}

void EndAddBatch(Workspace& ws) {
    if (IsOn(ws.settings.AutoSort)) AutoSortAfterAdd(ws);
    UpdateItemCount(ws);
}

void AddPathList(Workspace& ws, const std::vector<std::u16string>& paths) {
    BeginAddBatch(ws);
    // Missing paths and empty lines are skipped without a word.
    for (const auto& p : paths)
        if (!p.empty()) (void)AddExistingPath(ws, p);
    EndAddBatch(ws);
}

std::vector<std::u16string> ReadDroppedPaths(const std::vector<std::u16string>& dropped) {
    // Each path is collated once into a key: a drop of tens of thousands of
    // paths would otherwise collate every compared pair anew.
    std::vector<std::pair<std::string, std::u16string>> keyed;
    keyed.reserve(dropped.size());
    for (const auto& p : dropped) {
        std::u16string longForm = LongPathForm(p);
        if (longForm.empty()) continue;
        std::string key;
        AppendSortKey(longForm, TextOrder::Logical, key);
        keyed.emplace_back(std::move(key), std::move(longForm));
    }
    std::stable_sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<std::u16string> out;
    out.reserve(keyed.size());
    for (auto& k : keyed) out.push_back(std::move(k.second));
    return out;
}

std::u16string DroppedNamesText(const std::vector<std::u16string>& dropped, const PathStyle& style) {
    std::u16string text;
    bool first = true;
    for (const auto& p : ReadDroppedPaths(dropped)) {
        if (!first) text.push_back(u'\n');
        text += NameOf(p, Extension::Keep, style);
        first = false;
    }
    return text;
}

void AutoSortAfterAdd(Workspace& ws) { SortList(ws, ws.sortColumn, ws.sortAscending); }

}  // namespace quirnel
