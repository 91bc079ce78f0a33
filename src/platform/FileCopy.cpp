// File copies that never show a partial file under the target's name.
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <vector>

#include "platform/FileOps.h"
#include "platform/PosixFiles.h"

namespace quirnel {
namespace posix {
namespace {

constexpr size_t kChunk = 1 << 20;

int WriteAll(int fd, const char* data, size_t size) {
    while (size > 0) {
        ssize_t n = write(fd, data, size);
        if (n < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        data += n;
        size -= static_cast<size_t>(n);
    }
    return 0;
}

int CopyBytes(int in, int out, uint64_t total, const CopyControl& control) {
    uint64_t copied = 0;
    bool kernelCopy = true;
    std::vector<char> buffer;
    for (;;) {
        if (Cancelled(control.cancel)) return ECANCELED;
        ssize_t n;
        if (kernelCopy) {
            n = copy_file_range(in, nullptr, out, nullptr, kChunk, 0);
            if (n < 0 && copied == 0 && (errno == EXDEV || errno == ENOSYS || errno == EINVAL || errno == EOPNOTSUPP)) {
                kernelCopy = false;
                continue;
            }
        } else {
            if (buffer.empty()) buffer.resize(kChunk);
            n = read(in, buffer.data(), buffer.size());
            if (n > 0)
                if (int e = WriteAll(out, buffer.data(), static_cast<size_t>(n))) return e;
        }
        if (n < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        if (n == 0) return 0;
        copied += static_cast<uint64_t>(n);
        if (control.progress) control.progress(copied, total);
    }
}

// Data, mode and times into the open new file; flushed when it must survive
// a power loss on its own.
int Fill(int in, int out, const struct stat& st, const CopyControl& control, Durability durability) {
    if (int e = CopyBytes(in, out, static_cast<uint64_t>(st.st_size), control)) return e;
    if (fchmod(out, st.st_mode & 07777) != 0) return errno;
    struct timespec times[2] = {st.st_atim, st.st_mtim};
    if (futimens(out, times) != 0) return errno;
    if (durability == Durability::Flushed && fsync(out) != 0) return errno;
    return 0;
}

// Opens the source without following a link; it must still be the regular
// file that lstat saw, so a swapped entry is never copied instead.
int OpenSource(const std::string& from, const struct stat& seen, struct stat& st) {
    int in = open(from.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK);
    if (in < 0) return -errno;
    if (fstat(in, &st) != 0 || !S_ISREG(st.st_mode) || st.st_ino != seen.st_ino || st.st_dev != seen.st_dev) {
        close(in);
        return -ENOENT;
    }
    return in;
}

// A target that exists is refused before any byte is copied; the final
// step refuses one that appears meanwhile.
int TargetFree(const std::string& to) {
    struct stat st;
    if (lstat(to.c_str(), &st) == 0) return EEXIST;
    return errno == ENOENT ? 0 : errno;
}

// An unnamed file is linked through its /proc entry; without /proc it could
// not be named at all, so it is not used.
bool UnnamedFilesUsable() {
    static const bool usable = access("/proc/self/fd", X_OK) == 0;
    return usable;
}

int LinkUnnamed(int fd, const std::string& to) {
    char proc[64];
    snprintf(proc, sizeof proc, "/proc/self/fd/%d", fd);
    return linkat(AT_FDCWD, proc, AT_FDCWD, to.c_str(), AT_SYMLINK_FOLLOW) == 0 ? 0 : errno;
}

constexpr int kNoUnnamedFiles = -1000;

// The copy is told before it is named, so that no named copy exists that
// the caller does not know of.
int TellCopyMade(const CopyControl& control, const struct stat& own) {
    if (!control.copyMade) return 0;
    Result told = control.copyMade({static_cast<uint64_t>(own.st_dev), static_cast<uint64_t>(own.st_ino)});
    return told ? 0 : told.error;
}

// The common case: the file system gives an unnamed file, which vanishes by
// itself if the process dies before it is linked.
int CopyThroughUnnamedFile(int in, const struct stat& st, const std::string& to, const CopyControl& control,
                           Durability durability, struct stat& own) {
    if (!UnnamedFilesUsable()) return kNoUnnamedFiles;
    int out = open(DirOf(to).c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
    if (out < 0) return errno == EOPNOTSUPP || errno == EISDIR || errno == EINVAL ? kNoUnnamedFiles : errno;
    int e = fstat(out, &own) == 0 ? 0 : errno;
    if (e == 0) e = Fill(in, out, st, control, durability);
    if (e == 0) e = TellCopyMade(control, own);
    if (e == 0) e = LinkUnnamed(out, to);
    close(out);
    return e;
}

int CopyThroughTemporaryName(int in, const struct stat& st, const std::string& to, const CopyControl& control,
                             Durability durability, struct stat& own) {
    Temporary temp;
    if (int e = CreateTemporary(to, TemporaryKind::File, control, temp)) return e;
    int e = fstat(temp.fd, &own) == 0 ? 0 : errno;
    if (e == 0) e = Fill(in, temp.fd, st, control, durability);
    if (e == 0) e = TellCopyMade(control, own);
    if (e == 0) e = RenameNoReplace(temp.path, to);
    close(temp.fd);
    if (e != 0 && !RemoveOwnFile(temp.path, own)) return kLeftAtTarget;
    return e;
}

enum class Route { Best, NamedTemporary };

int CopyRegular(const std::string& from, const std::string& to, const struct stat& seen, const CopyControl& control,
                Durability durability, Route route) {
    struct stat st, own;
    int in = OpenSource(from, seen, st);
    if (in < 0) return -in;
    int e = TargetFree(to);
    if (e == 0) e = route == Route::Best ? CopyThroughUnnamedFile(in, st, to, control, durability, own) : kNoUnnamedFiles;
    if (e == kNoUnnamedFiles) e = CopyThroughTemporaryName(in, st, to, control, durability, own);
    close(in);
    // A move removes its source next: its new name must be on the disk too.
    if (e == 0 && durability == Durability::Flushed) {
        e = SyncFolder(DirOf(to));
        if (e != 0 && !RemoveOwnFile(to, own)) return kLeftAtTarget;
    }
    return e;
}

int CopyLink(const std::string& from, const std::string& to, const struct stat& st, const CopyControl& control,
             Durability durability) {
    std::vector<char> target(static_cast<size_t>(st.st_size) + 2);
    ssize_t n = readlink(from.c_str(), target.data(), target.size() - 1);
    if (n < 0) return errno;
    target[static_cast<size_t>(n)] = 0;
    if (symlink(target.data(), to.c_str()) != 0) return errno;
    if (durability == Durability::Cached && !control.copyMade) return 0;
    struct stat own;
    if (lstat(to.c_str(), &own) != 0) return errno;
    int e = TellCopyMade(control, own);
    if (e == 0 && durability == Durability::Flushed) e = SyncFolder(DirOf(to));
    if (e != 0 && !RemoveOwnFile(to, own)) return kLeftAtTarget;
    return e;
}

}  // namespace

int CopyEntry(const std::string& from, const std::string& to, const struct stat& st, const CopyControl& control,
              Durability durability) {
    if (S_ISLNK(st.st_mode)) return CopyLink(from, to, st, control, durability);
    if (S_ISDIR(st.st_mode)) return EISDIR;
    if (!S_ISREG(st.st_mode)) return EOPNOTSUPP;
    return CopyRegular(from, to, st, control, durability, Route::Best);
}

}  // namespace posix

Result fileops_detail::CopyThroughNamedTemporary(const std::string& from, const std::string& to,
                                                  const CopyControl& control) {
    struct stat st;
    if (lstat(from.c_str(), &st) != 0) return Result(errno);
    if (!S_ISREG(st.st_mode)) return Result(EOPNOTSUPP);
    return Result(posix::CopyRegular(from, to, st, control, posix::Durability::Cached, posix::Route::NamedTemporary));
}

Result CopyFileExclusive(const std::u16string& from, const std::u16string& to, const CopyControl& control) {
    std::string a, b;
    if (int e = posix::NativePath(from, a)) return Result(e);
    if (int e = posix::NativePath(to, b)) return Result(e);
    struct stat st;
    if (lstat(a.c_str(), &st) != 0) return Result(errno);
    return Result(posix::CopyEntry(a, b, st, control, posix::Durability::Cached));
}

}  // namespace quirnel
