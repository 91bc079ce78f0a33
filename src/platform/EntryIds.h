#pragma once
#include <atomic>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Result.h"

namespace quirnel {

// Which entry a path names: its device and inode. A revert moves an entry
// back only while the path still names the entry the run put there.
struct EntryId {
    uint64_t dev = 0;
    uint64_t ino = 0;
    explicit operator bool() const { return ino != 0; }
    bool operator==(const EntryId&) const = default;
};

// A folder as a listing of it found it: which folder, and when an entry was
// last created, removed or renamed in it. While the folder still has this
// stamp, the names listed then still name the entries listed then.
struct FolderStamp {
    EntryId id;
    int64_t modifiedNs = 0;
    explicit operator bool() const { return static_cast<bool>(id); }
    bool operator==(const FolderStamp&) const = default;
};

// The folder's stamp now (a link is not followed); empty when missing.
FolderStamp LookUpFolderStamp(const std::u16string& folder);

// What a copy was when it was made, so that it is removed only while it is
// still exactly that. A folder's size is a fingerprint of everything in it.
struct EntryStamp {
    EntryId id;
    uint64_t size = 0;
    int64_t mtimeNs = 0;
    bool operator==(const EntryStamp&) const = default;
};

// The entry of a path itself (a link is not followed); empty when missing.
// changeTimeNs, when given, receives the last time the entry changed in any
// way (renamed, written, its permissions or links altered).
EntryId LookUpEntryId(const std::u16string& path, int64_t* changeTimeNs = nullptr);

// The entries of many paths, in the order given. Paths of one folder are
// looked up relative to it; with Reading::WhenDense also from one reading
// of the folder where most of its entries are asked for, which costs far
// less than one look-up each (worth it for paths known to exist).
// Once *cancel is non-zero the rest stays missing.
enum class FolderReading { Never, WhenDense };
std::vector<EntryId> LookUpEntryIds(const std::vector<std::u16string_view>& paths,
                                    FolderReading reading = FolderReading::WhenDense,
                                    const std::atomic<int>* cancel = nullptr);

// An entry and the last time it changed in any way (renamed, written, its
// permissions or links altered), in nanoseconds since the epoch.
struct EntryState {
    EntryId id;
    int64_t changeTimeNs = 0;
};

// The states of many paths, in the order given. In a folder unchanged
// since sinceNs (nothing created, removed or renamed in it) no entry can
// have been replaced: its entries are read from the folder's listing and
// their change time is given as 0. Elsewhere each entry is looked up.
std::vector<EntryState> LookUpEntryStates(const std::vector<std::u16string_view>& paths, int64_t sinceNs);

// The system's clock in nanoseconds since the epoch, as file times count.
int64_t WallClockNs();

// The device that entries created inside a folder land on (links followed);
// 0 when the folder is missing.
uint64_t FolderDevice(const std::u16string& folder);

// Identity, size and modification time; for a folder, the size is a
// fingerprint of the names, identities, sizes and times of the whole tree.
// An empty stamp when the path is missing.
EntryStamp LookUpStamp(const std::u16string& path);

// Whether an entry is a copy of another as a copy made here leaves it: a
// file with the same bytes, size, permissions and modification time, a link
// with the same target, a folder with such copies under the same names.
bool IsCopyOf(const std::u16string& copy, const std::u16string& original);

// Removes a file, or a folder with everything in it.
[[nodiscard]] Result RemoveEntryTree(const std::u16string& path);

// Removes an empty folder (ENOTEMPTY when it holds something).
[[nodiscard]] Result RemoveEmptyFolder(const std::u16string& path);

}  // namespace quirnel
