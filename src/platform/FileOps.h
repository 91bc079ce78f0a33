#pragma once
#include <atomic>
#include <cstdint>
#include <functional>
#include <string>

namespace quirnel {

// Changes on disk. Every operation returns 0 on success or the system's error
// number; none of them ever replaces or writes into an existing entry.

// Beyond the system's error numbers: a failed operation whose clean-up failed
// too, so that something it made stays on disk and the log must say so.
constexpr int kLeftUnderTemporaryName = -1;  // a case-only rename could not be undone
constexpr int kLeftAtTarget = -2;            // a partial copy or a second name stays at the target

// The system's reason text for an error number (or one of the two above), as
// the log shows it.
std::u16string ErrorText(int error);

// Copies stop when *cancel becomes non-zero (they end with ECANCELED);
// progress(copied, total) is called after every chunk of a file.
using CopyProgress = std::function<void(uint64_t copied, uint64_t total)>;

// Renames or moves an entry. Never replaces an existing target; a case-only
// rename also works on a case-insensitive file system; a file (or a link)
// crosses file systems by copy and removal of the source, a folder does not.
// A case-only rename goes through a free temporary name in the same folder.
[[nodiscard]] int MoveEntry(const std::u16string& from, const std::u16string& to, const std::atomic<int>* cancel = nullptr);

// A new file with the contents, permissions and modification time of a file
// (a link is copied as a link). A failed or stopped copy leaves no file behind.
[[nodiscard]] int CopyFileExclusive(const std::u16string& from, const std::u16string& to, const std::atomic<int>* cancel = nullptr,
                      const CopyProgress& progress = {});

// A new folder tree with the contents of a folder; the target must not exist.
// A failed or stopped copy removes everything it created.
[[nodiscard]] int CopyFolderTree(const std::u16string& from, const std::u16string& to, const std::atomic<int>* cancel = nullptr);

// One folder; EEXIST when the path exists already.
[[nodiscard]] int CreateFolder(const std::u16string& path);

// The fallbacks MoveEntry uses where the file system refuses the no-replace
// flag, reachable so that they can be exercised on any file system.
namespace fileops_detail {
[[nodiscard]] int MoveByLink(const std::string& from, const std::string& to);
[[nodiscard]] int MoveChecked(const std::string& from, const std::string& to);
[[nodiscard]] int MoveThroughFreeName(const std::string& from, const std::string& to);
}  // namespace fileops_detail

}  // namespace quirnel
