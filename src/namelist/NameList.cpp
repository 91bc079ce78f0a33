#include "namelist/NameList.h"

#include <algorithm>
#include <string_view>

#include "base/TextIds.h"
#include "platform/FileSystem.h"
#include "platform/LocalTime.h"
#include "platform/PathText.h"

namespace quirnel {

// A row's full path as up to three pieces, so it can be hashed and compared
// without being built.
struct NameList::Pieces {
    std::u16string_view part[3];
    int count = 0;
    size_t length() const { return part[0].size() + part[1].size() + part[2].size(); }
};

namespace {

// A name's own heap block, exactly its length.
char16_t* OwnBlock(std::u16string_view text) {
    if (text.empty()) return nullptr;
    char16_t* block = new char16_t[text.size()];
    std::copy(text.begin(), text.end(), block);
    return block;
}

void ReleaseNewName(NameRow& row) {
    delete[] row.newText;
    row.newText = nullptr;
    row.newLength = 0;
    row.newSame = true;
}

void SetNewText(NameRow& row, std::u16string_view text) {
    char16_t* block = OwnBlock(text);  // before the old one goes: text may be in it
    delete[] row.newText;
    row.newText = block;
    row.newLength = static_cast<uint32_t>(text.size());
    row.newSame = false;
}

}  // namespace

// A million rows: every byte here is a megabyte.
static_assert(sizeof(NameRow) <= 80);

int ColumnCaptionId(int column) {
    static constexpr int kIds[ViewColumnCount] = {text::OldNameColumn,   text::NewNameColumn,  text::OldFolderColumn,
                                                  text::NewFolderColumn, text::SizeColumn,     text::ModifiedColumn,
                                                  text::CreatedColumn,   text::FullPathColumn, text::TakenColumn};
    return column >= 0 && column < ViewColumnCount ? kIds[column] : 0;
}

NameList::NameList(const PathStyle& style) : style_(&style), paths_(*this) {}

NameList::~NameList() { clear(); }

NameList::Pieces NameList::piecesOf(const NameRow& row) const {
    Pieces p;
    if (row.fullKind == Explicit) {
        p.part[p.count++] = explicitPaths_.at(row.id);
        return p;
    }
    const std::u16string& folder = folderOf(row.oldFolder).text;
    p.part[p.count++] = folder;
    bool endsInSep = !folder.empty() && folder.back() == style_->separator;
    bool addSep = row.fullKind == JoinedFolder ? (!folder.empty() && !endsInSep)
                                               : (style_->windows || folder.empty() || !endsInSep);
    if (addSep) p.part[p.count++] = std::u16string_view(&style_->separator, 1);
    p.part[p.count++] = row.oldName();
    return p;
}

std::u16string NameList::fullPathOf(const NameRow& row) const {
    Pieces p = piecesOf(row);
    std::u16string out;
    out.reserve(p.length());
    for (int i = 0; i < p.count; ++i) out.append(p.part[i]);
    return out;
}

uint32_t NameList::pathHashOf(const NameRow& row) const {
    PathHash h;
    if (row.fullKind == JoinedFolder) {
        h.state = folderOf(row.oldFolder).joinedHash;
        h.add(row.oldName());
        return h.value();
    }
    Pieces p = piecesOf(row);
    for (int i = 0; i < p.count; ++i) h.add(p.part[i]);
    return h.value();
}

bool NameList::rowPathIs(const NameRow& row, std::u16string_view path) const {
    Pieces text;
    text.part[text.count++] = path;
    return sameText(piecesOf(row), text);
}

bool NameList::samePath(const NameRow& a, const NameRow& b) const { return sameText(piecesOf(a), piecesOf(b)); }

bool NameList::fullPathIs(int r, std::u16string_view path) const { return rowPathIs(*rows_[r], path); }

// The PathSet's probes read the rows, so they live beside them (the rest of
// the set is in PathSet.cpp). Linear probing over (row id, path hash) slots,
// at most half full; a probe compares paths only where the hashes agree.
bool PathSet::contains(std::u16string_view path) const {
    if (size_ == 0) return false;
    PathHash h;
    h.add(path);
    const uint32_t hash = h.value();
    const size_t mask = slots_.size() - 1;
    for (size_t i = home(hash);; i = (i + 1) & mask) {
        const Slot& s = slots_[i];
        if (s.id == kEmpty) return false;
        if (s.hash == hash && list_->rowPathIs(list_->rowWithId(s.id), path)) return true;
    }
}

uint32_t PathSet::findSame(uint32_t id, uint32_t hash) const {
    if (size_ == 0) return kEmpty;
    const size_t mask = slots_.size() - 1;
    const NameRow& row = list_->rowWithId(id);
    for (size_t i = home(hash);; i = (i + 1) & mask) {
        const Slot& s = slots_[i];
        if (s.id == kEmpty) return kEmpty;
        if (s.hash == hash && s.id != id && list_->samePath(list_->rowWithId(s.id), row)) return s.id;
    }
}

uint32_t NameList::intern(std::u16string_view folder) {
    // Rows come in runs of one folder: the last one is tried before the set.
    if (lastFolder_ && lastFolder_->text == folder) return lastFolder_->index;
    auto it = folders_.find(folder);
    if (it == folders_.end()) {
        PathHash h;
        h.add(folder);
        if (!folder.empty() && folder.back() != style_->separator) h.add(std::u16string_view(&style_->separator, 1));
        FolderText made;
        made.text = folder;
        made.joinedHash = h.state;
        made.index = static_cast<uint32_t>(folderTable_.size());
        it = folders_.insert(std::move(made)).first;
        folderTable_.push_back(&*it);
    }
    lastFolder_ = &*it;
    return lastFolder_->index;
}

std::u16string NameList::text(int r, int column) const {
    const NameRow& row = *rows_[r];
    switch (column) {
        case ColOldName: return std::u16string(row.oldName());
        case ColNewName: return std::u16string(row.newName());
        case ColOldFolder: return folderOf(row.oldFolder).text;
        case ColNewFolder: return folderOf(row.newFolder).text;
        case ColSize: return SizeText(sizeBytes(r));
        case ColModified: return TimeText(modified(r));
        case ColCreated: return TimeText(created(r));
        case ColFullPath: return fullPathOf(row);
        default: return {};
    }
}

void NameList::readDetails(NameRow& row) const {
    row.detailsPending = false;
    DirEntry entry;
    if (!LookUpEntry(fullPathOf(row), entry)) return;  // gone since: no size and no times, as a row added so
    row.size = row.isFolder ? 0 : entry.size;
    row.modified = entry.modified;
    row.created = entry.created;
}

ListedEntry NameList::listed(int r) const {
    const NameRow& row = *rows_[r];
    const FolderText& folder = folderOf(row.oldFolder);
    if (row.ino == 0 || !folder.listed || folder.listedApart) return {};
    return {{folder.listed.id.dev, row.ino}, folder.listed};
}

void NameList::setNewName(int r, std::u16string_view name) {
    NameRow& row = *rows_[r];
    if (name == row.oldName()) ReleaseNewName(row);
    else if (row.newSame || name != row.newName()) SetNewText(row, name);
}

void NameList::setNewFolder(int r, const std::u16string& folder) {
    NameRow& row = *rows_[r];
    if (folderOf(row.newFolder).text != folder)
        row.newFolder = folder == folderOf(row.oldFolder).text ? row.oldFolder : intern(folder);
}

void NameList::dropOldName(NameRow& row) {
    if (row.oldOwned) delete[] row.oldText;
    else oldNames_.drop(row.oldLength);
    row.oldText = nullptr;
    row.oldLength = 0;
    row.oldOwned = false;
}

// The New Name keeps its own text when the Old Name changes under it. A New
// Name equal to the text becomes the Old Name, storage and all.
void NameList::setOldName(NameRow& row, std::u16string_view text) {
    if (row.oldName() == text) return;
    if (row.newSame) SetNewText(row, row.oldName());
    if (row.newName() == text) {
        dropOldName(row);
        row.oldText = row.newText;
        row.oldLength = row.newLength;
        row.oldOwned = true;
        row.newText = nullptr;
        row.newLength = 0;
        row.newSame = true;
    } else {
        char16_t* block = OwnBlock(text);  // before the old one goes: text may be in it
        dropOldName(row);
        row.oldText = block;
        row.oldLength = static_cast<uint32_t>(text.size());
        row.oldOwned = true;
    }
    // An arena no row uses any more is given back at once; one with some
    // live names waits for a removal to pack it.
    if (oldNames_.live() == 0 && oldNames_.dead() > 0) oldNames_.clear();
}

void NameList::packOldNames() {
    if (oldNames_.dead() <= oldNames_.live() || oldNames_.dead() < NameArena::kBlock) return;
    NameArena packed;
    for (NameRow* row : rows_)
        if (!row->oldOwned) row->oldText = packed.store(row->oldName());
    oldNames_.swap(packed);
}

// Old Name and Old Folder feed the derived Full Path; the Full Path text must
// not move with them, so it is pinned first when it would.
void NameList::setOldColumn(NameRow& row, int column, const std::u16string& text) {
    std::u16string before = fullPathOf(row);
    row.ino = 0;
    if (column == ColOldName)
        setOldName(row, text);
    else
        row.oldFolder = intern(text);
    if (row.fullKind != Explicit && !rowPathIs(row, before)) {
        explicitPaths_[row.id] = std::move(before);
        row.fullKind = Explicit;
    }
}

// The Full Path as a joined path where it is one, else as its own text.
void NameList::setFullPath(NameRow& row, const std::u16string& text) {
    if (row.fullKind == Explicit) explicitPaths_.erase(row.id);
    row.fullKind = JoinedFolder;
    if (!rowPathIs(row, text)) {
        row.fullKind = InsertedSeparator;
        if (!rowPathIs(row, text)) {
            row.fullKind = Explicit;
            explicitPaths_[row.id] = text;
        }
    }
    row.pathHash = pathHashOf(row);
}

void NameList::setText(int r, int column, const std::u16string& text) {
    NameRow& row = *rows_[r];
    switch (column) {
        case ColNewName: setNewName(r, text); return;
        case ColNewFolder: setNewFolder(r, text); return;
        case ColOldName:
        case ColOldFolder: setOldColumn(row, column, text); return;
        case ColFullPath: break;
        default: return;
    }
    settlePaths();
    paths_.erase(row.id, row.pathHash);
    row.ino = 0;
    setFullPath(row, text);
    paths_.insert(row.id, row.pathHash);
}

void NameList::setApplied(int r, std::u16string_view name, std::u16string_view folder,
                          const std::u16string& fullPath) {
    NameRow& row = *rows_[r];
    if (!row.pathPending) {
        row.pathPending = true;
        // Past an eighth of the rows the set is filled anew from the rows
        // themselves: the slots need not be kept.
        if (!refillDue_ && (pendingPaths_.size() + 1) * 8 < rows_.size()) {
            pendingPaths_.push_back({row.id, row.pathHash});
        } else if (!refillDue_) {
            refillDue_ = true;
            std::vector<PathSet::Slot>().swap(pendingPaths_);
        }
    }
    setOldName(row, name);
    row.ino = 0;  // a move across devices makes a new entry; the next run looks it up
    // The row usually moves to its own New Folder: no look-up for that.
    row.oldFolder = folderOf(row.newFolder).text == folder ? row.newFolder : intern(folder);
    setFullPath(row, fullPath);
}

// A few changed rows move in the set one by one; many, by filling it anew.
void NameList::settlePaths() const {
    if (refillDue_ || pendingPaths_.size() * 8 >= rows_.size()) return refillPaths();
    if (pendingPaths_.empty()) return;
    for (const PathSet::Slot& p : pendingPaths_) paths_.erase(p.id, p.hash);
    for (const PathSet::Slot& p : pendingPaths_) {
        NameRow& row = rowWithId(p.id);
        paths_.insert(row.id, row.pathHash);
        row.pathPending = false;
    }
    std::vector<PathSet::Slot>().swap(pendingPaths_);
}

void NameList::refillPaths() const {
    std::vector<PathSet::Slot> all;
    all.reserve(rows_.size());
    for (NameRow* row : rows_) {
        all.push_back({row->id, row->pathHash});
        row->pathPending = false;
    }
    paths_.assign(all);
    std::vector<PathSet::Slot>().swap(pendingPaths_);
    refillDue_ = false;
}

void NameList::clearSelection() {
    for (NameRow* row : rows_) row->selected = false;
}

bool NameList::anySelected() const { return firstSelected() >= 0; }

int NameList::firstSelected() const {
    for (int i = 0; i < size(); ++i)
        if (rows_[i]->selected) return i;
    return -1;
}

NameRow& NameList::newRow(const RowSource& s) {
    uint32_t id;
    if (!freeIds_.empty()) {
        id = freeIds_.back();
        freeIds_.pop_back();
    } else {
        id = nextId_++;
        if (id / kChunk == chunks_.size()) chunks_.push_back(std::make_unique<NameRow[]>(kChunk));
    }
    NameRow& row = rowWithId(id);
    row.id = id;
    row.oldFolder = row.newFolder = intern(s.folder);
    row.size = s.isFolder ? 0 : s.size;
    row.modified = s.modified;
    row.created = s.created;
    row.iconIndex = s.iconIndex;
    row.isFolder = s.isFolder;
    row.detailsPending = s.detailsPending;
    if (s.ino != 0 && s.folderStamp) {
        const FolderText& folder = folderOf(row.oldFolder);
        if (!folder.listed) folder.listed = s.folderStamp;
        folder.listedApart = folder.listedApart || folder.listed != s.folderStamp;
        row.ino = s.ino;
    }
    return row;
}

bool NameList::keepIfNew(NameRow& row) {
    settlePaths();
    row.pathHash = pathHashOf(row);
    if (paths_.findSame(row.id, row.pathHash) != PathSet::kEmpty) {
        release(row);
        return false;
    }
    paths_.insert(row.id, row.pathHash);
    rows_.push_back(&row);
    return true;
}

void NameList::release(NameRow& row) {
    if (row.fullKind == Explicit) explicitPaths_.erase(row.id);
    uint32_t id = row.id;
    if (!notes_.empty()) notes_.erase(id);
    dropOldName(row);
    ReleaseNewName(row);
    row = NameRow{};
    freeIds_.push_back(id);
}

bool NameList::appendRow(const RowSource& s) {
    NameRow& row = newRow(s);
    row.oldText = oldNames_.store(s.name);
    row.oldLength = static_cast<uint32_t>(s.name.size());
    return keepIfNew(row);
}

void NameList::reserve(int rows) {
    const size_t n = static_cast<size_t>(rows);
    if (n > rows_.capacity()) rows_.reserve(std::max(n, rows_.capacity() * 2));
    settlePaths();
    paths_.reserve(n);
}

// Only for the folder rows are being added to now; its hash is known.
void NameList::prefetchPath(std::u16string_view folder, std::u16string_view name) const {
    if (!lastFolder_ || lastFolder_->text != folder) return;
    PathHash h;
    h.state = lastFolder_->joinedHash;
    h.add(name);
    paths_.prefetch(h.value());
}

void NameList::removeRow(int r) {
    settlePaths();
    NameRow& row = *rows_[r];
    paths_.erase(row.id, row.pathHash);
    release(row);
    rows_.erase(rows_.begin() + r);
    packOldNames();
}

// The rows to remove are chosen first, on the intact list. Removing most of a
// long list fills the PathSet anew from the rows that stay, which is cheaper
// than erasing every removed path from it (Select All, then Remove Selected).
int NameList::removeRowsIf(const std::function<bool(int)>& remove) {
    std::vector<char> marks(rows_.size());
    size_t removed = 0;
    for (size_t i = 0; i < rows_.size(); ++i)
        if (remove(static_cast<int>(i))) marks[i] = 1, ++removed;
    if (removed == 0) return 0;
    if (removed == rows_.size()) {
        clear();
        return static_cast<int>(removed);
    }
    const bool refill = removed > rows_.size() / 2;
    if (!refill) settlePaths();
    size_t kept = 0;
    for (size_t i = 0; i < rows_.size(); ++i) {
        NameRow* row = rows_[i];
        if (!marks[i]) {
            rows_[kept++] = row;
            continue;
        }
        if (!refill) paths_.erase(row->id, row->pathHash);
        release(*row);
    }
    rows_.resize(kept);
    if (refill) refillPaths();
    packOldNames();
    return static_cast<int>(removed);
}

void NameList::clear() {
    for (NameRow* row : rows_) {
        if (row->oldOwned) delete[] row->oldText;
        delete[] row->newText;
    }
    oldNames_.clear();
    paths_.clear();
    std::vector<PathSet::Slot>().swap(pendingPaths_);
    refillDue_ = false;
    std::vector<NameRow*>().swap(rows_);
    chunks_.clear();
    freeIds_.clear();
    nextId_ = 0;
    lastFolder_ = nullptr;
    folderTable_.clear();
    folders_.clear();
    explicitPaths_.clear();
    notes_.clear();
}

const std::u16string* NameList::note(int r) const {
    if (notes_.empty()) return nullptr;
    auto it = notes_.find(rows_[r]->id);
    return it == notes_.end() ? nullptr : &it->second;
}

void NameList::setNote(int r, std::u16string text) {
    if (text.empty()) notes_.erase(rows_[r]->id);
    else notes_[rows_[r]->id] = std::move(text);
}

void NameList::reorder(const std::vector<int>& order) {
    std::vector<NameRow*> next;
    next.reserve(rows_.size());
    for (int i : order) next.push_back(rows_[i]);
    rows_ = std::move(next);
}

// Two texts given in pieces, compared code unit by code unit.
bool NameList::sameText(const Pieces& a, const Pieces& b) {
    if (a.length() != b.length()) return false;
    int ia = 0, ib = 0;
    size_t oa = 0, ob = 0;
    while (ia < a.count && ib < b.count) {
        std::u16string_view ra = a.part[ia].substr(oa), rb = b.part[ib].substr(ob);
        size_t n = std::min(ra.size(), rb.size());
        if (ra.substr(0, n) != rb.substr(0, n)) return false;
        oa += n;
        ob += n;
        if (oa == a.part[ia].size()) ++ia, oa = 0;
        if (ob == b.part[ib].size()) ++ib, ob = 0;
    }
    return true;
}

std::u16string OldFullPath(const NameList& list, int r) {
    std::u16string full = list.fullPath(r);
    if (!full.empty()) return full;
    full = list.oldFolder(r);
    full += list.style().separator;
    full += list.oldName(r);
    return full;
}

std::u16string NewFullPath(const NameList& list, int r) { return JoinPath(list.newFolder(r), list.newName(r), list.style()); }

std::u16string SizeText(uint64_t bytes) {
    std::u16string digits = std::u16string();
    do {
        digits.push_back(static_cast<char16_t>(u'0' + bytes % 10));
        bytes /= 10;
    } while (bytes);
    std::u16string out;
    out.reserve(digits.size() + digits.size() / 3);
    for (size_t i = digits.size(); i-- > 0;) {
        out.push_back(digits[i]);
        if (i > 0 && i % 3 == 0) out.push_back(u',');
    }
    return out;
}

}  // namespace quirnel
