#pragma once
#include <functional>
#include <string>
#include <string_view>

#include "platform/Result.h"

namespace quirnel {

// Whole-file reads and writes for the files the program keeps (configuration,
// preset groups, name and path lists).

// The bytes of a file of at most maxBytes; a failure when it cannot be opened
// or read, or is a folder (EISDIR). A larger file (or an endless one, such as
// /dev/zero) is refused with EFBIG without reading more than maxBytes + 1.
[[nodiscard]] Result ReadFileBytes(const std::u16string& path, std::string& bytes, size_t maxBytes);

// The same for a regular file only, never through a symbolic link and never
// waiting on a FIFO: anything else is refused with EINVAL at once.
[[nodiscard]] Result ReadRegularFileBytes(const std::u16string& path, std::string& bytes, size_t maxBytes);

// The last bytes of a regular file, at most maxBytes of them (the whole
// file when it is shorter), opened as ReadRegularFileBytes does. A failure
// when it cannot be read.
[[nodiscard]] Result ReadFileTail(const std::u16string& path, size_t maxBytes, std::string& bytes);

// A file's bytes handed out in chunks as they are read; onChunk returns false
// to stop early. A failure when the file cannot be opened (or is a folder) or
// a read fails.
using ChunkSink = std::function<bool(std::string_view chunk)>;
[[nodiscard]] Result ReadFileChunks(const std::u16string& path, const ChunkSink& onChunk);
// The same for the process's standard input.
[[nodiscard]] Result ReadStandardInputChunks(const ChunkSink& onChunk);

// Replaces a file's content through a temporary file beside it that is then
// renamed over it, so a failed write leaves the old file as it was. A
// replaced file keeps its permissions; a new one gets rw-r--r--.
[[nodiscard]] Result ReplaceFileContent(const std::u16string& path, std::string_view bytes);

// Whether ReplaceFileContent could write path now, tried with a temporary
// file where it would make its own. With MissingFolders::Created (the writer
// creates them first), a missing parent counts when the nearest existing
// folder above it takes new entries.
enum class MissingFolders { Refused, Created };
[[nodiscard]] Result CheckReplaceable(const std::u16string& path, MissingFolders missing);

}  // namespace quirnel
