#include "platform/FileContent.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "platform/NativeText.h"

namespace quirnel {
namespace {

constexpr size_t kChunkBytes = 1 << 16;

int WriteAll(int fd, std::string_view bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) return errno;
        done += static_cast<size_t>(n);
    }
    return 0;
}

// Why a file opened for reading cannot be read as asked: fstat's error,
// EISDIR for a folder, EINVAL for anything but a regular file when only one
// will do; 0 when it can.
int Unfit(int fd, struct stat& st, bool regularOnly) {
    if (fstat(fd, &st) != 0) return errno;
    if (S_ISDIR(st.st_mode)) return EISDIR;
    return regularOnly && !S_ISREG(st.st_mode) ? EINVAL : 0;
}

}  // namespace

namespace {

// Reads an open file whole, never more than maxBytes + 1 bytes.
Result ReadOpened(int fd, const struct stat& st, std::string& bytes, size_t maxBytes) {
    // Read in place; a regular file mostly in one go, as its size is known
    // (one that grows meanwhile is read on).
    const size_t limit = maxBytes < SIZE_MAX ? maxBytes + 1 : maxBytes;
    if (S_ISREG(st.st_mode) && static_cast<uint64_t>(st.st_size) < limit)
        bytes.resize(static_cast<size_t>(st.st_size) + 1);
    size_t len = 0;
    int e = 0;
    for (;;) {
        if (len == bytes.size()) {
            if (len >= limit) break;
            bytes.resize(std::min(limit, std::max(len * 2, len + kChunkBytes)));
        }
        ssize_t n = read(fd, bytes.data() + len, bytes.size() - len);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) e = errno;
        if (n <= 0) break;
        len += static_cast<size_t>(n);
    }
    bytes.resize(len);
    if (e != 0) return Result(e);
    if (len > maxBytes) {
        bytes.clear();
        return Result(EFBIG);
    }
    return {};
}

}  // namespace

Result ReadFileBytes(const std::u16string& path, std::string& bytes, size_t maxBytes) {
    bytes.clear();
    int fd = open(ToNative(path).c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return Result(errno);
    struct stat st;
    int e = Unfit(fd, st, false);
    Result read = e == 0 ? ReadOpened(fd, st, bytes, maxBytes) : Result(e);
    close(fd);
    return read;
}

Result ReadRegularFileBytes(const std::u16string& path, std::string& bytes, size_t maxBytes) {
    bytes.clear();
    // Without O_NONBLOCK, opening a FIFO waits for a writer.
    int fd = open(ToNative(path).c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
    if (fd < 0) return Result(errno == ELOOP || errno == ENXIO ? EINVAL : errno);
    struct stat st;
    int e = Unfit(fd, st, true);
    if (e == EISDIR) e = EINVAL;
    if (e == 0 && static_cast<uint64_t>(st.st_size) > maxBytes) e = EFBIG;
    Result read = e == 0 ? ReadOpened(fd, st, bytes, maxBytes) : Result(e);
    close(fd);
    return read;
}

Result ReadFileTail(const std::u16string& path, size_t maxBytes, std::string& bytes) {
    bytes.clear();
    int fd = open(ToNative(path).c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
    if (fd < 0) return Result(errno);
    struct stat st;
    int e = Unfit(fd, st, true);
    const uint64_t size = e == 0 ? static_cast<uint64_t>(st.st_size) : 0;
    const uint64_t from = size > maxBytes ? size - maxBytes : 0;
    bytes.resize(static_cast<size_t>(size - from));
    size_t len = 0;
    while (e == 0 && len < bytes.size()) {
        ssize_t n = pread(fd, bytes.data() + len, bytes.size() - len, static_cast<off_t>(from + len));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) e = errno;
        if (n <= 0) break;  // shorter than it was: what there is
        len += static_cast<size_t>(n);
    }
    close(fd);
    bytes.resize(len);
    return Result(e);
}

namespace {

int ReadChunks(int fd, const ChunkSink& onChunk) {
    std::string buffer(kChunkBytes, '\0');
    for (;;) {
        ssize_t n = read(fd, buffer.data(), buffer.size());
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return errno;
        if (n == 0) return 0;
        if (!onChunk(std::string_view(buffer.data(), static_cast<size_t>(n)))) return 0;
    }
}

}  // namespace

Result ReadFileChunks(const std::u16string& path, const ChunkSink& onChunk) {
    int fd = open(ToNative(path).c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return Result(errno);
    struct stat st;
    int e = Unfit(fd, st, false);
    if (e == 0) e = ReadChunks(fd, onChunk);
    close(fd);
    return Result(e);
}

Result ReadStandardInputChunks(const ChunkSink& onChunk) { return Result(ReadChunks(STDIN_FILENO, onChunk)); }

namespace {

std::string ParentOf(const std::string& path) {
    size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// Creates and removes a temporary file from a mkstemp pattern.
int TryTemporary(std::string pattern) {
    int fd = mkstemp(pattern.data());
    if (fd < 0) return errno;
    close(fd);
    (void)unlink(pattern.c_str());
    return 0;
}

}  // namespace

Result CheckReplaceable(const std::u16string& path, MissingFolders missing) {
    std::string target = ToNative(path);
    if (target.empty()) return Result(ENOENT);
    struct stat st;
    if (stat(target.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) return Result(EISDIR);
    std::string dir = ParentOf(target);
    if (stat(dir.c_str(), &st) == 0) return Result(S_ISDIR(st.st_mode) ? TryTemporary(target + ".tmp-XXXXXX") : ENOTDIR);
    if (errno != ENOENT || missing == MissingFolders::Refused) return Result(errno);
    while (stat(dir.c_str(), &st) != 0) {
        if (errno != ENOENT || dir == "/" || dir == ".") return Result(errno);
        dir = ParentOf(dir);
    }
    if (!S_ISDIR(st.st_mode)) return Result(ENOTDIR);
    return Result(TryTemporary(dir + (dir == "/" ? "" : "/") + ".quirnel-probe-XXXXXX"));
}

Result ReplaceFileContent(const std::u16string& path, std::string_view bytes) {
    std::string target = ToNative(path);
    if (target.empty()) return Result(ENOENT);
    std::string temp = target + ".tmp-XXXXXX";
    int fd = mkstemp(temp.data());
    if (fd < 0) return Result(errno);
    struct stat st;
    const mode_t mode = stat(target.c_str(), &st) == 0 ? (st.st_mode & 07777) : 0644;
    // The content matters more than its mode: a file system without modes
    // refuses this, and the temporary file's own mode then stays.
    (void)fchmod(fd, mode);
    int e = WriteAll(fd, bytes);
    if (e == 0 && fsync(fd) != 0) e = errno;
    if (close(fd) != 0 && e == 0) e = errno;
    if (e == 0 && rename(temp.c_str(), target.c_str()) == 0) return {};
    if (e == 0) e = errno;
    // The write has failed already; a temporary file that cannot be removed
    // either is left for the user to see beside the target.
    (void)unlink(temp.c_str());
    return Result(e);
}

}  // namespace quirnel
