#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "apply/PathList.h"
#include "namelist/NameList.h"

namespace quirnel {

// What an apply run reads of the rows it was given.
class ApplyRows {
public:
    virtual ~ApplyRows() = default;
    virtual const PathStyle& style() const = 0;
    virtual int count() const = 0;
    virtual std::u16string_view oldName(int r) const = 0;
    virtual std::u16string_view newName(int r) const = 0;
    virtual const std::u16string& oldFolder(int r) const = 0;
    virtual const std::u16string& newFolder(int r) const = 0;
    virtual std::u16string oldPath(int r) const = 0;  // OldFullPath
    virtual void writeOldPath(int r, std::u16string& out) const { out = oldPath(r); }
    virtual bool oldPathIs(int r, std::u16string_view path) const { return oldPath(r) == path; }
    virtual bool isFolder(int r) const = 0;
    virtual ListedEntry listed(int r) const = 0;  // NameList::listed
};

// The list itself, for a run on the thread that owns it.
class ListRows : public ApplyRows {
public:
    explicit ListRows(const NameList& list) : list_(list) {}
    const PathStyle& style() const override { return list_.style(); }
    int count() const override { return list_.size(); }
    std::u16string_view oldName(int r) const override { return list_.oldName(r); }
    std::u16string_view newName(int r) const override { return list_.newName(r); }
    const std::u16string& oldFolder(int r) const override { return list_.oldFolder(r); }
    const std::u16string& newFolder(int r) const override { return list_.newFolder(r); }
    std::u16string oldPath(int r) const override { return OldFullPath(list_, r); }
    bool oldPathIs(int r, std::u16string_view path) const override;
    bool isFolder(int r) const override { return list_.isFolder(r); }
    ListedEntry listed(int r) const override { return list_.listed(r); }

private:
    const NameList& list_;
};

// A copy of the rows for a worker thread, which must never read the list the
// window paints. Folder texts are shared between rows as in the list.
class PlanRows : public ApplyRows {
public:
    explicit PlanRows(const NameList& list);
    const PathStyle& style() const override { return *style_; }
    int count() const override { return static_cast<int>(rows_.size()); }
    std::u16string_view oldName(int r) const override { return rows_[r].oldName; }
    std::u16string_view newName(int r) const override { return rows_[r].newSame ? rows_[r].oldName : rows_[r].newName; }
    const std::u16string& oldFolder(int r) const override { return folders_[rows_[r].oldFolder]; }
    const std::u16string& newFolder(int r) const override { return folders_[rows_[r].newFolder]; }
    std::u16string oldPath(int r) const override;
    void writeOldPath(int r, std::u16string& out) const override;
    bool oldPathIs(int r, std::u16string_view path) const override;
    bool isFolder(int r) const override { return rows_[r].isFolder; }
    ListedEntry listed(int r) const override;

private:
    struct Row {
        std::u16string oldName;
        std::u16string newName;
        std::u16string explicitPath;  // only when the Full Path is not folder + name
        uint64_t ino = 0;             // with the old folder's stamp, as listed
        uint32_t oldFolder = 0;
        uint32_t newFolder = 0;
        bool newSame = true;
        bool isFolder = false;
    };
    const PathStyle* style_;
    std::vector<std::u16string> folders_;
    std::vector<FolderStamp> stamps_;  // per folder, of the listing its rows' inodes come from
    std::vector<Row> rows_;
};

// The rows' Old Full Paths.
class OldPaths : public PathList {
public:
    explicit OldPaths(const ApplyRows& rows) : rows_(rows) {}
    size_t size() const override { return static_cast<size_t>(rows_.count()); }
    void write(size_t i, std::u16string& out) const override { rows_.writeOldPath(static_cast<int>(i), out); }
    bool is(size_t i, std::u16string_view path) const override { return rows_.oldPathIs(static_cast<int>(i), path); }

private:
    const ApplyRows& rows_;
};

}  // namespace quirnel
