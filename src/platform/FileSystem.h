#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/EntryIds.h"
#include "platform/Result.h"

namespace quirnel {

// One file-system entry as enumeration reports it. Times are seconds since
// the epoch, UTC. A symbolic link is reported as itself (a file), never as
// the entry it points to.
struct DirEntry {
    std::u16string name;
    bool isFolder = false;
    bool isRegular = false;  // a plain file: no link, FIFO, device or socket
    uint64_t size = 0;
    int64_t modified = 0;
    int64_t created = 0;  // birth time where the file system keeps it, else change time
    uint64_t ino = 0;     // from a folder's listing, on the folder's device; else 0
    bool detailsPending = false;  // size and times not read yet (EntryDetail::Deferred)
};

// How much of each entry a listing reads. Deferred takes a file's kind and
// inode from the listing itself and leaves its size and times to be read
// when wanted: one system call a file less, for runs that never show them.
// Folders, and entries the file system does not type, are read in full.
enum class EntryDetail { Full, Deferred };

// Appends every entry of folder except "." and ".." to entries, in the order
// the file system returns them. A failure when the folder cannot be read.
// stamp, when given, receives the folder's stamp from before the listing,
// which the entries' inodes hold for.
[[nodiscard]] Result ReadFolderEntries(const std::u16string& folder, std::vector<DirEntry>& entries,
                                       FolderStamp* stamp = nullptr, EntryDetail detail = EntryDetail::Full);

// The entry of path itself (not followed if it is a link). False when missing.
[[nodiscard]] bool LookUpEntry(const std::u16string& path, DirEntry& entry);

// Existence and folder flag of a path; a link to a folder counts as a file,
// so that nothing ever descends through a link.
struct PathAttributes {
    bool exists = false;
    bool isFolder = false;
};
PathAttributes GetPathAttributes(const std::u16string& path);

// The long form of a dropped path: absolute (relative to the working folder),
// without "." and ".." components or doubled separators; links not resolved.
// Empty when no absolute form can be had.
std::u16string LongPathForm(const std::u16string& path);

// A relative path made absolute as LongPathForm does; an absolute path, or
// an empty one, is returned as it is.
std::u16string AbsolutePath(const std::u16string& path);

// The running program's own file; empty when the system does not tell.
std::u16string ExecutablePath();

// An existing folder this process may create files in.
bool IsFolderWritable(const std::u16string& folder);

// Creates the folders above a file path that are missing; success when the
// parent folder exists afterwards.
[[nodiscard]] Result CreateParentFolders(const std::u16string& path);

}  // namespace quirnel
