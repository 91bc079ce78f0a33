#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "namelist/NameArena.h"
#include "namelist/PathSet.h"
#include "platform/EntryIds.h"
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
    ColumnCount = 8,  // the columns the list holds, whose widths the configuration stores
    // Read from the files rather than held by the list: the window shows it
    // after the others and keeps its width under a key of its own.
    ColTaken = 8,
    ViewColumnCount = 9
};

// The string id of a column's caption, the date taken's included; 0 for a
// number that is no column.
int ColumnCaptionId(int column);

struct FolderText;

// One file or folder of the list. Kept small because lists reach a million
// rows: rows live in chunks rather than one allocation each, Old Names added
// together share the list's arena, folder texts are shared between rows, the
// New Name is stored only once it differs from the Old Name, size and times
// are numbers written as their texts when read, and the Full Path is derived
// from the old columns unless a caller set it to something else.
struct NameRow {
    const char16_t* oldText = nullptr;  // in the list's arena, or a block of its own when oldOwned
    char16_t* newText = nullptr;        // a block of its own; meaningful only when !newSame
    uint64_t size = 0;
    int64_t modified = 0;
    int64_t created = 0;
    uint64_t ino = 0;  // as its folder's listing found it; 0 when unknown or the row's path changed
    // Places in the list's table of folder texts: half a pointer's size, on
    // every row of a million.
    uint32_t oldFolder = 0;
    uint32_t newFolder = 0;
    uint32_t oldLength = 0;
    uint32_t newLength = 0;
    int32_t iconIndex = 0;
    uint32_t pathHash = 0;  // of the Full Path, for the PathSet
    uint32_t id = 0;        // where the row lives in the list's chunks
    bool isFolder = false;
    bool newSame = true;
    bool selected = false;
    uint8_t fullKind : 2 = 0;      // FullKind
    bool pathPending : 1 = false;  // applied, not yet moved in the PathSet
    bool detailsPending : 1 = false;  // size and times still to be read from the disk
    bool oldOwned : 1 = false;     // the Old Name is not in the arena

    std::u16string_view oldName() const { return {oldText, oldLength}; }
    std::u16string_view newName() const { return newSame ? oldName() : std::u16string_view(newText, newLength); }
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
    uint64_t ino = 0;         // from a listing of the folder, with its stamp
    FolderStamp folderStamp;
    bool detailsPending = false;  // size and times to be read when first asked for
};

// The entry a row's Old Full Path named when its folder was listed, and the
// folder's stamp then: while the folder keeps that stamp, the path names
// that entry still.
struct ListedEntry {
    EntryId id;
    FolderStamp folder;
};

// A folder text shared by the rows in it, with the hash of "folder + the
// separator a joined path puts after it", so a row's path hash costs its name only.
struct FolderText {
    std::u16string text;
    uint64_t joinedHash = 0;
    uint32_t index = 0;  // its place in the list's table
    // The stamp of the listing its rows' inodes come from; a second listing
    // with another stamp leaves none trusted.
    mutable FolderStamp listed;
    mutable bool listedApart = false;
};

class NameList {
public:
    explicit NameList(const PathStyle& style = PathStyle::forHost());
    NameList(const NameList&) = delete;
    NameList& operator=(const NameList&) = delete;
    ~NameList();

    const PathStyle& style() const { return *style_; }
    int size() const { return static_cast<int>(rows_.size()); }
    bool empty() const { return rows_.empty(); }

    // Valid until the row's names change or the list drops or packs rows.
    std::u16string_view oldName(int r) const { return rows_[r]->oldName(); }
    std::u16string_view newName(int r) const { return rows_[r]->newName(); }
    const std::u16string& oldFolder(int r) const { return folderOf(rows_[r]->oldFolder).text; }
    const std::u16string& newFolder(int r) const { return folderOf(rows_[r]->newFolder).text; }
    bool isFolder(int r) const { return rows_[r]->isFolder; }
    // A row added with its details deferred reads them here, once, on the
    // thread that asks: nothing reads them on several threads at once.
    uint64_t sizeBytes(int r) const { return detailed(*rows_[r]).size; }
    int64_t modified(int r) const { return detailed(*rows_[r]).modified; }
    int64_t created(int r) const { return detailed(*rows_[r]).created; }
    int32_t iconIndex(int r) const { return rows_[r]->iconIndex; }
    std::u16string fullPath(int r) const { return fullPathOf(*rows_[r]); }
    // Empty for a row added otherwise than from a listing, or whose path changed since.
    ListedEntry listed(int r) const;
    // Whether the Full Path is this text, without writing the path out.
    bool fullPathIs(int r, std::u16string_view path) const;
    // The text of a cell exactly as the list shows it.
    std::u16string text(int r, int column) const;

    void setNewName(int r, std::u16string_view name);
    void setNewFolder(int r, const std::u16string& folder);
    void setIconIndex(int r, int32_t icon) { rows_[r]->iconIndex = icon; }
    // Any text column; the PathSet follows a changed Full Path. Size and time
    // cells are never written.
    void setText(int r, int column, const std::u16string& text);
    // A change made on disk: Old Name, Old Folder and Full Path at once, as
    // setText of the three would leave them.
    // A New Name equal to name hands its storage over to the Old Name.
    void setApplied(int r, std::u16string_view name, std::u16string_view folder, const std::u16string& fullPath);

    bool selected(int r) const { return rows_[r]->selected; }
    void setSelected(int r, bool on) { rows_[r]->selected = on; }
    void clearSelection();
    bool anySelected() const;

    // Why the last command on what files hold left a row as it was: kept
    // through sorts and gone with the row. Null when there is nothing to say.
    const std::u16string* note(int r) const;
    void setNote(int r, std::u16string text);
    void clearNotes() { notes_.clear(); }
    int firstSelected() const;  // -1 when none

    // Appends a row unless its full path is listed already. One source can
    // carry a folder text for many entries.
    bool appendRow(const RowSource& source);
    // Room for this many rows in all, so that adding a large folder does not
    // grow the list's tables step by step.
    void reserve(int rows);
    // Brings the place of a path in the set of paths into the cache ahead of
    // appending it.
    void prefetchPath(std::u16string_view folder, std::u16string_view name) const;
    void removeRow(int r);
    // Removes every row for which remove(r) is true, keeping the order of the rest.
    int removeRowsIf(const std::function<bool(int)>& remove);
    void clear();
    void swapRows(int a, int b) { std::swap(rows_[a], rows_[b]); }
    // Rows in the given order: order[i] is the old index of new row i.
    void reorder(const std::vector<int>& order);

    const PathSet& paths() const {
        settlePaths();
        return paths_;
    }
    size_t folderTextCount() const { return folders_.size(); }

private:
    friend class PathSet;
    enum FullKind : uint8_t { JoinedFolder = 0, InsertedSeparator = 1, Explicit = 2 };
    struct FolderHash {
        using is_transparent = void;
        size_t operator()(std::u16string_view t) const { return std::hash<std::u16string_view>()(t); }
        size_t operator()(const FolderText& f) const { return (*this)(f.text); }
    };
    struct FolderEqual {
        using is_transparent = void;
        static std::u16string_view view(const FolderText& f) { return f.text; }
        static std::u16string_view view(std::u16string_view t) { return t; }
        template <typename A, typename B>
        bool operator()(const A& a, const B& b) const { return view(a) == view(b); }
    };

    struct Pieces;
    Pieces piecesOf(const NameRow& row) const;
    static bool sameText(const Pieces& a, const Pieces& b);
    std::u16string fullPathOf(const NameRow& row) const;
    bool rowPathIs(const NameRow& row, std::u16string_view path) const;
    bool samePath(const NameRow& a, const NameRow& b) const;
    uint32_t pathHashOf(const NameRow& row) const;
    uint32_t intern(std::u16string_view folder);
    const FolderText& folderOf(uint32_t index) const { return *folderTable_[index]; }
    void setOldColumn(NameRow& row, int column, const std::u16string& text);
    void setOldName(NameRow& row, std::u16string_view text);
    void dropOldName(NameRow& row);
    // The arena anew from the live Old Names once most of it is dead.
    void packOldNames();
    void setFullPath(NameRow& row, const std::u16string& text);
    NameRow& newRow(const RowSource& source);
    bool keepIfNew(NameRow& row);
    void release(NameRow& row);
    NameRow& rowWithId(uint32_t id) const { return chunks_[id / kChunk][id % kChunk]; }
    const NameRow& detailed(NameRow& row) const {
        if (row.detailsPending) readDetails(row);
        return row;
    }
    void readDetails(NameRow& row) const;
    // Brings the rows of applied changes into the PathSet.
    void settlePaths() const;
    // The PathSet anew from the rows.
    void refillPaths() const;

    static constexpr uint32_t kChunk = 512;
    const PathStyle* style_;
    std::vector<NameRow*> rows_;  // in list order; the rows live in chunks_
    std::vector<std::unique_ptr<NameRow[]>> chunks_;
    std::vector<uint32_t> freeIds_;
    NameArena oldNames_;
    std::unordered_map<uint32_t, std::u16string> notes_;  // by row id; few rows have one
    uint32_t nextId_ = 0;
    std::unordered_set<FolderText, FolderHash, FolderEqual> folders_;  // nodes are stable, the table points into them
    std::vector<const FolderText*> folderTable_;  // by index; folder texts live until the list is cleared
    const FolderText* lastFolder_ = nullptr;
    std::unordered_map<uint32_t, std::u16string> explicitPaths_;  // by row id, only for FullKind Explicit
    // An apply run changes every row's path: the set follows all of them at
    // once, when it is next used, rather than with two scattered probes a row.
    mutable PathSet paths_;
    mutable std::vector<PathSet::Slot> pendingPaths_;  // id and the hash the set holds
    mutable bool refillDue_ = false;  // too many rows changed to list them
};

// The row helpers other parts of the program name.
inline bool IsFolder(const NameList& list, int r) { return list.isFolder(r); }
std::u16string OldFullPath(const NameList& list, int r);
std::u16string NewFullPath(const NameList& list, int r);

// The Size column's text: 1234567 -> "1,234,567".
std::u16string SizeText(uint64_t bytes);

}  // namespace quirnel
