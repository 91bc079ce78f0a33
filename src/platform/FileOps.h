#pragma once
#include <array>
#include <functional>
#include <string>
#include <string_view>

#include <unordered_map>

#include "platform/CopyControl.h"
#include "platform/EntryIds.h"
#include "platform/ErrorText.h"
#include "platform/PathStyle.h"
#include "platform/Result.h"

namespace quirnel {

// Changes on disk. Every operation returns its Result: success or the
// system's error number; none of them ever replaces or writes into an
// existing entry.

// Renames or moves an entry. Never replaces an existing target; a case-only
// rename also works on a case-insensitive file system; a file (or a link)
// crosses file systems by copy and removal of the source, a folder does not.
// A case-only rename goes through a free temporary name in the same folder.
// Across file systems the source is removed only once the copy has its name
// and is flushed to the disk; a cancelled move leaves the source as it was.
[[nodiscard]] Result MoveEntry(const std::u16string& from, const std::u16string& to, const CopyControl& control = {});

// Folders kept open over a run of many moves: a rename relative to its
// folders' handles spares the system a walk of both paths every time. A
// handle is only a shortcut for its path: one whose folder may have moved is
// dropped, so that a later move sees what its path names now.
class FolderHandles {
public:
    FolderHandles() = default;
    FolderHandles(const FolderHandles&) = delete;
    FolderHandles& operator=(const FolderHandles&) = delete;
    ~FolderHandles() { forget(); }

    // After a folder moved: a handle opened through a link to it would still
    // reach it where its path no longer does.
    void forget();

    // Records which folder a path reaches now (links on the way followed, as
    // a list reached through a linked home folder needs): a checked move
    // through a handle of that path that reaches another folder fails with
    // kFolderNotAsPlanned. A folder first seen later is pinned then.
    void pin(const std::u16string& folder);
    // A folder of the run moved: its path and those under it may name other
    // folders now, and are pinned again when next used.
    void unpinUnder(const std::u16string& path);

private:
    struct Slot {
        std::string folder;
        int fd = -1;
    };
    // The handle of a folder of this move, or -1 to go by its path. A folder
    // is opened only when the move before was in it too: in a list whose
    // folders take turns, opening one per move would cost more than it saves.
    // keep: the other folder of the move under way, whose handle must stay open.
    int get(std::string_view folder, std::string_view keep = {});
    // Drops the handles of a path and of everything under it.
    void forgetUnder(std::string_view path);
    // The folders of the move just made, which admit a handle next time.
    void moved(std::string_view fromFolder, std::string_view toFolder);
    // A handle of a folder for a checked move, always opened, and only while
    // it is the folder pinned for the path; checkPath: a kept handle is
    // trusted only while its path still reaches it.
    int pinned(std::string_view folder, bool checkPath, int& fd, std::string_view keep = {});
    // A slot to open a handle in, never keep's: closing the handle a move
    // is about to use would let the new one take its number.
    Slot& claim(std::string_view keep);
    bool pinMatches(std::string_view folder, const EntryId& id);

    std::array<Slot, 8> slots_;
    size_t next_ = 0;
    std::string lastFrom_, lastTo_;
    // The native paths of the move under way; their room is kept for the next.
    std::string from_, to_;
    std::unordered_map<std::string, EntryId> pins_;
    friend Result MoveEntry(const std::u16string&, const std::u16string&, FolderHandles&, const CopyControl&);
    friend Result MoveEntry(const std::u16string&, const std::u16string&, FolderHandles&, const CopyControl&,
                            const EntryId&);
};

// The same move, with the folders of both paths reached through handles.
[[nodiscard]] Result MoveEntry(const std::u16string& from, const std::u16string& to, FolderHandles& handles,
                               const CopyControl& control = {});

// The same move checked against what the run planned: the entry at `from`
// must be `expected` (kEntryNotAsPlanned otherwise), and both folders are
// reached through handles that must be the folders pinned for their paths,
// so that a folder swapped for a link during the run never lets a rename
// reach outside it. A link that is itself the entry is moved, not followed.
[[nodiscard]] Result MoveEntry(const std::u16string& from, const std::u16string& to, FolderHandles& handles,
                               const CopyControl& control, const EntryId& expected);

// A new file with the contents, permissions and modification time of a file
// (a link is copied as a link). The data is written where no name shows it
// (an unnamed file, or a hidden temporary name where the file system has no
// unnamed files) and gets the target's name only when complete, so a killed
// process never leaves a partial file under that name. A failed or stopped
// copy leaves nothing behind.
[[nodiscard]] Result CopyFileExclusive(const std::u16string& from, const std::u16string& to,
                                       const CopyControl& control = {});

// A new folder tree with the contents of a folder; the target must not exist.
// It is built under a hidden temporary folder beside the target and renamed
// into place when complete; a failed or stopped copy removes it.
[[nodiscard]] Result CopyFolderTree(const std::u16string& from, const std::u16string& to,
                                    const CopyControl& control = {});

// Removes what a killed copy (or move across file systems) to `target` left
// under the hidden temporary name beside it; `path` receives that name.
// ENOENT when nothing is there, EBUSY while a run still works in it (or it
// is not one of ours).
[[nodiscard]] Result RemoveCopyLeftover(const std::u16string& target, std::u16string& path);

// One folder; EEXIST when the path exists already.
[[nodiscard]] Result CreateFolder(const std::u16string& path);

// Creates a folder and the missing folders above it, from the top, telling
// each one before creating it; success when it exists at the end.
[[nodiscard]] Result CreateFolderChain(const std::u16string& folder, const PathStyle& style,
                                       const std::function<void(const std::u16string&)>& beforeCreating = {});

// The fallbacks used where a file system lacks a feature (the no-replace
// flag, hard links, unnamed files), reachable so that they can be exercised
// on any file system.
namespace fileops_detail {
// A file copy through a hidden temporary name, as on a file system without
// unnamed files.
[[nodiscard]] Result CopyThroughNamedTemporary(const std::string& from, const std::string& to,
                                               const CopyControl& control = {});
[[nodiscard]] Result MoveByLink(const std::string& from, const std::string& to);
[[nodiscard]] Result MoveChecked(const std::string& from, const std::string& to);
[[nodiscard]] Result MoveThroughFreeName(const std::string& from, const std::string& to);
}  // namespace fileops_detail

}  // namespace quirnel
