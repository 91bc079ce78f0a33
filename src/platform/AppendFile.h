#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/Result.h"

namespace quirnel {

// A file that only grows, written straight to the system (a process killed
// right after append loses nothing), made durable on sync.
class AppendFile {
public:
    AppendFile() = default;
    ~AppendFile();
    AppendFile(const AppendFile&) = delete;
    AppendFile& operator=(const AppendFile&) = delete;

    // A new file (never an existing one), with the folders above it.
    [[nodiscard]] Result create(const std::u16string& path);
    // An existing regular file, to append to its end; EINVAL for anything else.
    [[nodiscard]] Result openExisting(const std::u16string& path);
    // Drops what follows the first size bytes (a record cut short by a crash).
    [[nodiscard]] Result cutTo(uint64_t size);
    // Holds the file for this writer alone while it is open; EBUSY while
    // another one holds it. Only writers that lock keep each other out.
    [[nodiscard]] Result lock();
    [[nodiscard]] Result append(std::string_view bytes);
    // Data and size on the disk (not the times).
    [[nodiscard]] Result sync();
    [[nodiscard]] Result close();
    bool isOpen() const { return fd_ >= 0; }

private:
    int fd_ = -1;
};

// Whether a writer holds the file's lock now (a killed one holds nothing).
bool IsFileLocked(const std::u16string& path);

// Removes a file.
[[nodiscard]] Result RemoveFile(const std::u16string& path);

}  // namespace quirnel
