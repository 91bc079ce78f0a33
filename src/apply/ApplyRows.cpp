#include "apply/ApplyRows.h"

#include <unordered_map>

#include "platform/PathText.h"

namespace quirnel {

PlanRows::PlanRows(const NameList& list) : style_(&list.style()) {
    std::unordered_map<const std::u16string*, uint32_t> index;
    auto folderIndex = [&](const std::u16string& folder) {
        auto [it, added] = index.emplace(&folder, static_cast<uint32_t>(folders_.size()));
        if (added) {
            folders_.push_back(folder);
            stamps_.emplace_back();
        }
        return it->second;
    };
    rows_.resize(list.size());
    for (int r = 0; r < list.size(); ++r) {
        Row& row = rows_[r];
        row.oldName = list.oldName(r);
        row.newSame = list.newName(r) == row.oldName;
        if (!row.newSame) row.newName = list.newName(r);
        row.oldFolder = folderIndex(list.oldFolder(r));
        row.newFolder = folderIndex(list.newFolder(r));
        row.isFolder = list.isFolder(r);
        if (const ListedEntry e = list.listed(r); e.id) {
            row.ino = e.id.ino;
            stamps_[row.oldFolder] = e.folder;  // one stamp for all rows of a folder
        }
        std::u16string path = OldFullPath(list, r);
        if (path != JoinPath(list.oldFolder(r), row.oldName, *style_)) row.explicitPath = std::move(path);
    }
}

ListedEntry PlanRows::listed(int r) const {
    const Row& row = rows_[r];
    const FolderStamp& folder = stamps_[row.oldFolder];
    if (row.ino == 0 || !folder) return {};
    return {{folder.id.dev, row.ino}, folder};
}

// OldFullPath gives the joined path for an empty Full Path.
bool ListRows::oldPathIs(int r, std::u16string_view path) const {
    if (list_.fullPathIs(r, u"")) return OldFullPath(list_, r) == path;
    return list_.fullPathIs(r, path);
}

std::u16string PlanRows::oldPath(int r) const {
    std::u16string out;
    writeOldPath(r, out);
    return out;
}

void PlanRows::writeOldPath(int r, std::u16string& out) const {
    const Row& row = rows_[r];
    if (!row.explicitPath.empty()) out = row.explicitPath;
    else WriteJoinedPath(folders_[row.oldFolder], row.oldName, *style_, out);
}

bool PlanRows::oldPathIs(int r, std::u16string_view path) const {
    const Row& row = rows_[r];
    if (!row.explicitPath.empty()) return row.explicitPath == path;
    return IsJoinedPath(path, folders_[row.oldFolder], row.oldName, *style_);
}

}  // namespace quirnel
