#pragma once
// Shared by the file operations of this folder; not part of the platform's
// interface.
#include <sys/stat.h>

#include <atomic>
#include <string>

#include "platform/CopyControl.h"

namespace quirnel::posix {

// A name that would be cut short at a NUL byte names another entry.
[[nodiscard]] int NativePath(const std::u16string& text, std::string& out);

bool Cancelled(const std::atomic<int>* cancel);
std::string DirOf(const std::string& path);
std::string NameIn(const std::string& path);
std::string Join(const std::string& dir, const std::string& name);

// Removes a file this code created, and only if it is still that file.
// False when it is and could not be removed.
[[nodiscard]] bool RemoveOwnFile(const std::string& path, const struct stat& own);

// Removes a folder tree this code built, never following a link out of it.
[[nodiscard]] bool RemoveOwnTree(const std::string& path);

// Flushes a folder's entries to the disk; file systems that cannot are not
// an error.
[[nodiscard]] int SyncFolder(const std::string& dir);

// Rename that never replaces, with the two fallbacks below where the file
// system refuses the no-replace flag.
[[nodiscard]] int RenameNoReplace(const std::string& from, const std::string& to);
// A hard link to the target, then the source's name removed.
[[nodiscard]] int MoveByLink(const std::string& from, const std::string& to);
// A check that the target is free, then a plain rename.
[[nodiscard]] int MoveChecked(const std::string& from, const std::string& to);

// Whether the copy is the only copy left once it has its name: a move
// removes its source afterwards, so the data must be on the disk first.
enum class Durability { Cached, Flushed };

// A link as a link; a regular file's bytes, mode and times into a new file
// at `to`, which must not exist, never showing under `to` until complete;
// anything else is refused.
[[nodiscard]] int CopyEntry(const std::string& from, const std::string& to, const struct stat& st,
                            const CopyControl& control, Durability durability);

// A hidden temporary in a target's folder, locked while this process works
// in it, so that a later run can tell a leftover of a killed run (removed
// and reported) from the work of a run still going.
struct Temporary {
    std::string path;
    int fd = -1;  // holds the lock; closing it gives the name up
};
enum class TemporaryKind { File, Folder };
[[nodiscard]] int CreateTemporary(const std::string& target, TemporaryKind kind, const CopyControl& control,
                                  Temporary& out);

// The recognisable name of the temporary for a target: a fixed prefix and
// a hash of the target's name, so the next run that creates the same target
// finds it.
std::string TemporaryNameFor(const std::string& target);

// The temporary a killed run left for a target (file or folder): 0 when it
// was removed, ENOENT when there is none, EBUSY while a live run holds it.
[[nodiscard]] int RemoveLeftoverFor(const std::string& target, std::string& path);

}  // namespace quirnel::posix
