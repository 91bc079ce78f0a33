#pragma once
#include <string>
#include <string_view>

#include "platform/Result.h"

namespace quirnel {

// A file that only grows, written straight to the system (a process killed
// right after Append loses nothing), made durable on Sync.
class AppendFile {
public:
    AppendFile() = default;
    ~AppendFile();
    AppendFile(const AppendFile&) = delete;
    AppendFile& operator=(const AppendFile&) = delete;

    // A new file (never an existing one), with the folders above it.
    [[nodiscard]] Result Create(const std::u16string& path);
    // An existing file, to append to its end.
    [[nodiscard]] Result OpenExisting(const std::u16string& path);
    [[nodiscard]] Result Append(std::string_view bytes);
    // Data and size on the disk (not the times).
    [[nodiscard]] Result Sync();
    [[nodiscard]] Result Close();
    bool isOpen() const { return fd_ >= 0; }

private:
    int fd_ = -1;
};

// Removes a file.
[[nodiscard]] Result RemoveFile(const std::u16string& path);

}  // namespace quirnel
