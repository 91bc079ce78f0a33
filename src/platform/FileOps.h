#pragma once
#include <atomic>
#include <cstdint>
#include <functional>
#include <string>

namespace quirnel {

// Changes on disk. Every operation returns 0 on success or the system's error
// number; none of them ever replaces or writes into an existing entry.

// The system's reason text for an error number, as the log shows it.
std::u16string ErrorText(int error);

// Copies stop when *cancel becomes non-zero (they end with ECANCELED);
// progress(copied, total) is called after every chunk of a file.
using CopyProgress = std::function<void(uint64_t copied, uint64_t total)>;

// Renames or moves an entry. Never replaces an existing target; a case-only
// rename also works on a case-insensitive file system; a file (or a link)
// crosses file systems by copy and removal of the source, a folder does not.
int MoveEntry(const std::u16string& from, const std::u16string& to, const std::atomic<int>* cancel = nullptr);

// A new file with the contents, permissions and modification time of a file
// (a link is copied as a link). A failed or stopped copy leaves no file behind.
int CopyFileExclusive(const std::u16string& from, const std::u16string& to, const std::atomic<int>* cancel = nullptr,
                      const CopyProgress& progress = {});

// A new folder tree with the contents of a folder; the target must not exist.
// A failed or stopped copy removes everything it created.
int CopyFolderTree(const std::u16string& from, const std::u16string& to, const std::atomic<int>* cancel = nullptr);

// One folder; EEXIST when the path exists already.
int CreateFolder(const std::u16string& path);

// The fallbacks MoveEntry uses where the file system refuses the no-replace
// flag, reachable so that they can be exercised on any file system.
namespace fileops_detail {
int MoveByLink(const std::string& from, const std::string& to);
int MoveChecked(const std::string& from, const std::string& to);
int MoveThroughFreeName(const std::string& from, const std::string& to);
}  // namespace fileops_detail

}  // namespace quirnel
