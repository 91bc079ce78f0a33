#include "namelist/NameList.h"

#include <algorithm>
#include <string_view>

#include "base/TextIds.h"
#include "platform/LocalTime.h"
#include "platform/PathText.h"

namespace quirnel {
namespace {

// A row's full path as up to three pieces, so it can be hashed and compared
// without being built.
struct Pieces {
    std::u16string_view part[3];
    int count = 0;
};

struct Fnv {
    uint64_t h = 1469598103934665603ull;
    void add(std::u16string_view s) {
        for (char16_t c : s) {
            h ^= c;
            h *= 1099511628211ull;
        }
    }
};

}  // namespace

int ColumnCaptionId(int column) {
    static constexpr int kIds[ColumnCount] = {text::OldNameColumn,   text::NewNameColumn,  text::OldFolderColumn,
                                              text::NewFolderColumn, text::SizeColumn,     text::ModifiedColumn,
                                              text::CreatedColumn,   text::FullPathColumn};
    return column >= 0 && column < ColumnCount ? kIds[column] : 0;
}

static Pieces PiecesOf(const NameRow& row, const PathStyle& style, const std::u16string& sep) {
    Pieces p;
    if (row.explicitFullPath) {
        p.part[p.count++] = *row.explicitFullPath;
        return p;
    }
    const std::u16string& folder = *row.oldFolder;
    p.part[p.count++] = folder;
    bool endsInSep = !folder.empty() && folder.back() == style.separator;
    bool addSep = row.fullKind == 0 ? (!folder.empty() && !endsInSep)
                                    : (style.windows || folder.empty() || !endsInSep);
    if (addSep) p.part[p.count++] = sep;
    p.part[p.count++] = row.oldName;
    return p;
}

PathSet::PathSet(const NameList& list) : rows_(16, Hash{&list}, Equal{&list}) {}

size_t PathSet::Hash::operator()(const NameRow* row) const {
    std::u16string sep(1, list->style().separator);
    Pieces p = PiecesOf(*row, list->style(), sep);
    Fnv f;
    for (int i = 0; i < p.count; ++i) f.add(p.part[i]);
    return f.h;
}

size_t PathSet::Hash::operator()(const std::u16string& path) const {
    Fnv f;
    f.add(path);
    return f.h;
}

bool PathSet::Equal::operator()(const NameRow* a, const std::u16string& b) const {
    std::u16string sep(1, list->style().separator);
    Pieces p = PiecesOf(*a, list->style(), sep);
    std::u16string_view rest = b;
    for (int i = 0; i < p.count; ++i) {
        if (rest.substr(0, p.part[i].size()) != p.part[i]) return false;
        rest.remove_prefix(p.part[i].size());
    }
    return rest.empty();
}

bool PathSet::Equal::operator()(const NameRow* a, const NameRow* b) const {
    return a == b || (*this)(a, list->FullPathOf(*b));
}

bool PathSet::contains(const std::u16string& path) const { return rows_.find(path) != rows_.end(); }

NameList::NameList(const PathStyle& style) : style_(&style), paths_(*this) {}

std::u16string NameList::FullPathOf(const NameRow& row) const {
    std::u16string sep(1, style_->separator);
    Pieces p = PiecesOf(row, *style_, sep);
    std::u16string out;
    out.reserve(p.part[0].size() + (p.count > 1 ? p.part[1].size() : 0) + (p.count > 2 ? p.part[2].size() : 0));
    for (int i = 0; i < p.count; ++i) out.append(p.part[i]);
    return out;
}

const std::u16string* NameList::intern(const std::u16string& folder) { return &*folders_.insert(folder).first; }

std::u16string NameList::text(int r, int column) const {
    const NameRow& row = *rows_[r];
    switch (column) {
        case ColOldName: return row.oldName;
        case ColNewName: return newName(r);
        case ColOldFolder: return *row.oldFolder;
        case ColNewFolder: return *row.newFolder;
        case ColSize: return SizeText(row.size);
        case ColModified: return TimeText(row.modified);
        case ColCreated: return TimeText(row.created);
        case ColFullPath: return FullPathOf(row);
        default: return {};
    }
}

void NameList::setNewName(int r, std::u16string name) {
    NameRow& row = *rows_[r];
    if (name == row.oldName) {
        row.newSame = true;
        row.newName = std::u16string();
    } else {
        row.newSame = false;
        row.newName = std::move(name);
    }
}

void NameList::setNewFolder(int r, const std::u16string& folder) {
    NameRow& row = *rows_[r];
    if (*row.newFolder != folder) row.newFolder = folder == *row.oldFolder ? row.oldFolder : intern(folder);
}

// Old Name and Old Folder feed the derived Full Path; the Full Path text must
// not move with them, so it is pinned first when it would.
void NameList::setOldColumn(NameRow& row, int column, const std::u16string& text) {
    std::u16string before = FullPathOf(row);
    std::u16string newNameKeep = row.newSame ? row.oldName : std::u16string();
    if (column == ColOldName) {
        row.oldName = text;
        if (row.newSame && newNameKeep != text) {  // New Name keeps its own text
            row.newSame = false;
            row.newName = std::move(newNameKeep);
        } else if (!row.newSame && row.newName == text) {
            row.newSame = true;
            row.newName.clear();
        }
    } else {
        row.oldFolder = intern(text);
    }
    if (!row.explicitFullPath && FullPathOf(row) != before) {
        row.explicitFullPath = std::make_unique<std::u16string>(std::move(before));
        row.fullKind = Explicit;
    }
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
    paths_.erase(&row);
    row.explicitFullPath.reset();
    row.fullKind = JoinedFolder;
    if (FullPathOf(row) != text) {
        row.fullKind = InsertedSeparator;
        if (FullPathOf(row) != text) {
            row.fullKind = Explicit;
            row.explicitFullPath = std::make_unique<std::u16string>(text);
        }
    }
    paths_.insert(&row);
}

void NameList::clearSelection() {
    for (auto& row : rows_) row->selected = false;
}

bool NameList::anySelected() const { return firstSelected() >= 0; }

int NameList::firstSelected() const {
    for (int i = 0; i < size(); ++i)
        if (rows_[i]->selected) return i;
    return -1;
}

bool NameList::appendRow(const RowSource& s) {
    auto row = std::make_unique<NameRow>();
    row->oldName = s.name;
    row->oldFolder = row->newFolder = intern(s.folder);
    row->size = s.isFolder ? 0 : s.size;
    row->modified = s.modified;
    row->created = s.created;
    row->iconIndex = s.iconIndex;
    row->isFolder = s.isFolder;
    if (!paths_.rows_.insert(row.get()).second) return false;
    rows_.push_back(std::move(row));
    return true;
}

void NameList::removeRow(int r) {
    paths_.erase(rows_[r].get());
    rows_.erase(rows_.begin() + r);
}

// The rows to remove are chosen first, on the intact list. Removing most of a
// long list rebuilds the PathSet from the rows that stay, which is cheaper
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
    const bool rebuild = removed > rows_.size() / 2;
    if (rebuild) paths_.clear();
    size_t kept = 0;
    for (size_t i = 0; i < rows_.size(); ++i) {
        if (marks[i]) {
            if (!rebuild) paths_.erase(rows_[i].get());
            rows_[i].reset();
            continue;
        }
        if (rebuild) paths_.insert(rows_[i].get());
        if (kept != i) rows_[kept] = std::move(rows_[i]);
        ++kept;
    }
    rows_.resize(kept);
    return static_cast<int>(removed);
}

void NameList::clear() {
    paths_.clear();
    rows_.clear();
    folders_.clear();
}

void NameList::reorder(const std::vector<int>& order) {
    std::vector<std::unique_ptr<NameRow>> next;
    next.reserve(rows_.size());
    for (int i : order) next.push_back(std::move(rows_[i]));
    rows_ = std::move(next);
}

std::u16string OldFullPath(const NameList& list, int r) {
    std::u16string full = list.fullPath(r);
    if (!full.empty()) return full;
    return list.oldFolder(r) + list.style().separator + list.oldName(r);
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
