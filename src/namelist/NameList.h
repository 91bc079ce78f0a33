#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <unordered_set>
#include <vector>

#include "platform/PathStyle.h"

namespace quirnel {

enum Column : int {
    ColOldName = 0,
    ColNewName = 1,
    ColOldFolder = 2,
    ColNewFolder = 3,
    ColSize = 4,
    ColModified = 5,
    ColCreated = 6,
    ColFullPath = 7,
    ColumnCount = 8
};

// The string id of a column's caption; 0 for a number that is no column.
int ColumnCaptionId(int column);

// One file or folder of the list. Kept small because lists reach a million
// rows: folder texts are shared between rows, the New Name is stored only once
// it differs from the Old Name, size and times are numbers written as their
// texts when read, and the Full Path is derived from the old columns unless a
// caller set it to something else.
struct NameRow {
    std::u16string oldName;
    std::u16string newName;  // meaningful only when !newSame
    const std::u16string* oldFolder = nullptr;
    const std::u16string* newFolder = nullptr;
    std::unique_ptr<std::u16string> explicitFullPath;
    uint64_t size = 0;
    int64_t modified = 0;
    int64_t created = 0;
    int32_t iconIndex = 0;
    bool isFolder = false;
    bool newSame = true;
    bool selected = false;
    uint8_t fullKind = 0;  // FullKind
};

// What a new row is made of (an entry found on disk and its folder text).
struct RowSource {
    std::u16string name;
    std::u16string folder;
    bool isFolder = false;
    uint64_t size = 0;
    int64_t modified = 0;
    int64_t created = 0;
    int32_t iconIndex = 0;
};

class NameList;

// The set of the rows' full paths: one row per path, compared code unit by
// code unit. It indexes the rows themselves, so it always holds exactly the
// rows' current Full Path texts without a second copy of every path.
class PathSet {
public:
    explicit PathSet(const NameList& list);
    bool contains(const std::u16string& path) const;
    size_t size() const { return rows_.size(); }

private:
    friend class NameList;
    struct Hash {
        using is_transparent = void;
        const NameList* list;
        size_t operator()(const NameRow* row) const;
        size_t operator()(const std::u16string& path) const;
    };
    struct Equal {
        using is_transparent = void;
        const NameList* list;
        bool operator()(const NameRow* a, const NameRow* b) const;
        bool operator()(const NameRow* a, const std::u16string& b) const;
        bool operator()(const std::u16string& a, const NameRow* b) const { return (*this)(b, a); }
    };
    void insert(const NameRow* row) { rows_.insert(row); }
    void rebuild(const std::vector<std::unique_ptr<NameRow>>& rows);
    void erase(const NameRow* row) { rows_.erase(row); }
    void clear() { rows_.clear(); }
    std::unordered_set<const NameRow*, Hash, Equal> rows_;
};

class NameList {
public:
    explicit NameList(const PathStyle& style = PathStyle::Host());
    NameList(const NameList&) = delete;
    NameList& operator=(const NameList&) = delete;

    const PathStyle& style() const { return *style_; }
    int size() const { return static_cast<int>(rows_.size()); }
    bool empty() const { return rows_.empty(); }

    const std::u16string& oldName(int r) const { return rows_[r]->oldName; }
    const std::u16string& newName(int r) const { return rows_[r]->newSame ? rows_[r]->oldName : rows_[r]->newName; }
    const std::u16string& oldFolder(int r) const { return *rows_[r]->oldFolder; }
    const std::u16string& newFolder(int r) const { return *rows_[r]->newFolder; }
    bool isFolder(int r) const { return rows_[r]->isFolder; }
    uint64_t sizeBytes(int r) const { return rows_[r]->size; }
    int64_t modified(int r) const { return rows_[r]->modified; }
    int64_t created(int r) const { return rows_[r]->created; }
    int32_t iconIndex(int r) const { return rows_[r]->iconIndex; }
    std::u16string fullPath(int r) const { return FullPathOf(*rows_[r]); }
    bool fullPathIs(int r, const std::u16string& path) const;
    // The text of a cell exactly as the list shows it.
    std::u16string text(int r, int column) const;

    void setNewName(int r, std::u16string name);
    void setNewFolder(int r, const std::u16string& folder);
    void setIconIndex(int r, int32_t icon) { rows_[r]->iconIndex = icon; }
    // Any text column; the PathSet follows a changed Full Path. Size and time
    // cells are never written.
    void setText(int r, int column, const std::u16string& text);
    // The row now stands for the entry at fullPath, named name in folder: as
    // setting Old Name, Old Folder and Full Path one by one. An apply run
    // does it for every row it changes, so the PathSet is rebuilt once, when
    // it is next used, instead of updated for each row.
    void setOldColumns(int r, const std::u16string& name, const std::u16string& folder, const std::u16string& fullPath);

    bool selected(int r) const { return rows_[r]->selected; }
    void setSelected(int r, bool on) { rows_[r]->selected = on; }
    void clearSelection();
    bool anySelected() const;
    int firstSelected() const;  // -1 when none

    // Appends a row unless its full path is listed already.
    bool appendRow(const RowSource& source);
    void removeRow(int r);
    // Removes every row for which remove(r) is true, keeping the order of the rest.
    int removeRowsIf(const std::function<bool(int)>& remove);
    void clear();
    void swapRows(int a, int b) { std::swap(rows_[a], rows_[b]); }
    // Rows in the given order: order[i] is the old index of new row i.
    void reorder(const std::vector<int>& order);

    const PathSet& paths() const {
        refreshPaths();
        return paths_;
    }
    size_t folderTextCount() const { return folders_.size(); }

private:
    friend class PathSet;
    enum FullKind : uint8_t { JoinedFolder = 0, InsertedSeparator = 1, Explicit = 2 };
    std::u16string FullPathOf(const NameRow& row) const;
    const std::u16string* intern(const std::u16string& folder);
    void setOldColumn(NameRow& row, int column, const std::u16string& text);
    void setFullPath(NameRow& row, const std::u16string& text);

    const PathStyle* style_;
    std::vector<std::unique_ptr<NameRow>> rows_;
    std::unordered_set<std::u16string> folders_;  // nodes are stable, rows point into them
    void refreshPaths() const;
    mutable PathSet paths_;
    mutable bool pathsStale_ = false;  // rows changed their paths since the set was built
};

// The row helpers other parts of the program name.
inline bool IsFolder(const NameList& list, int r) { return list.isFolder(r); }
std::u16string OldFullPath(const NameList& list, int r);
std::u16string NewFullPath(const NameList& list, int r);

// The Size column's text: 1234567 -> "1,234,567".
std::u16string SizeText(uint64_t bytes);

}  // namespace quirnel
