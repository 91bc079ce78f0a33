#pragma once
#include <string>
#include <string_view>

namespace quirnel {

// Whole-file reads and writes for the files the program keeps (configuration,
// preset groups, name and path lists).

// The bytes of a file; false when it cannot be opened or read, or is a folder.
[[nodiscard]] bool ReadFileBytes(const std::u16string& path, std::string& bytes);

// Replaces a file's content through a temporary file beside it that is then
// renamed over it, so a failed write leaves the old file as it was. A
// replaced file keeps its permissions; a new one gets rw-r--r--.
[[nodiscard]] bool ReplaceFileContent(const std::u16string& path, std::string_view bytes);

}  // namespace quirnel
