#include "platform/FileOps.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <unicode/uchar.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <set>
#include <utility>
#include <vector>

#include "platform/NativeText.h"

namespace quirnel {
namespace {

constexpr size_t kChunk = 1 << 20;

// A name that would be cut short at a NUL byte names another entry.
int NativePath(const std::u16string& text, std::string& out) {
    out = ToNative(text);
    if (out.empty()) return ENOENT;
    if (out.find('\0') != std::string::npos) return EINVAL;
    return 0;
}

bool Cancelled(const std::atomic<int>* cancel) { return cancel && cancel->load(std::memory_order_relaxed) != 0; }

std::string DirOf(const std::string& path) {
    size_t p = path.rfind('/');
    if (p == std::string::npos) return ".";
    return p == 0 ? "/" : path.substr(0, p);
}

// Removes a file this code created, and only if it is still that file.
// False when it is and could not be removed.
bool RemoveOwnFile(const std::string& path, const struct stat& own) {
    struct stat st;
    if (lstat(path.c_str(), &st) != 0 || st.st_dev != own.st_dev || st.st_ino != own.st_ino) return true;
    return unlink(path.c_str()) == 0;
}

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

int CopyBytes(int in, int out, uint64_t total, const std::atomic<int>* cancel, const CopyProgress& progress) {
    uint64_t copied = 0;
    bool kernelCopy = true;
    std::vector<char> buffer;
    for (;;) {
        if (Cancelled(cancel)) return ECANCELED;
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
        if (progress) progress(copied, total);
    }
}

int CopyLink(const std::string& from, const std::string& to, const struct stat& st) {
    std::vector<char> target(static_cast<size_t>(st.st_size) + 2);
    ssize_t n = readlink(from.c_str(), target.data(), target.size() - 1);
    if (n < 0) return errno;
    target[static_cast<size_t>(n)] = 0;
    return symlink(target.data(), to.c_str()) == 0 ? 0 : errno;
}

// The source is opened without following a link and must still be the
// regular file that lstat saw, so a swapped entry is never copied instead.
int CopyRegular(const std::string& from, const std::string& to, const struct stat& seen,
                const std::atomic<int>* cancel, const CopyProgress& progress) {
    int in = open(from.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK);
    if (in < 0) return errno;
    struct stat st;
    if (fstat(in, &st) != 0 || !S_ISREG(st.st_mode) || st.st_ino != seen.st_ino || st.st_dev != seen.st_dev) {
        close(in);
        return ENOENT;
    }
    int out = open(to.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (out < 0) {
        int e = errno;
        close(in);
        return e;
    }
    struct stat own;
    if (fstat(out, &own) != 0) {
        // Just created exclusively, so the entry is still this one.
        int e = errno;
        close(out);
        close(in);
        return unlink(to.c_str()) == 0 ? e : kLeftAtTarget;
    }
    int e = CopyBytes(in, out, static_cast<uint64_t>(st.st_size), cancel, progress);
    if (e == 0 && fchmod(out, st.st_mode & 07777) != 0) e = errno;
    struct timespec times[2] = {st.st_atim, st.st_mtim};
    if (e == 0 && futimens(out, times) != 0) e = errno;
    if (close(out) != 0 && e == 0) e = errno;
    close(in);
    if (e != 0 && !RemoveOwnFile(to, own)) return kLeftAtTarget;
    return e;
}

int CopyEntryFile(const std::string& from, const std::string& to, const struct stat& st,
                  const std::atomic<int>* cancel, const CopyProgress& progress) {
    if (S_ISLNK(st.st_mode)) return CopyLink(from, to, st);
    if (S_ISDIR(st.st_mode)) return EISDIR;
    if (!S_ISREG(st.st_mode)) return EOPNOTSUPP;
    return CopyRegular(from, to, st, cancel, progress);
}

int RenameNoReplace(const std::string& from, const std::string& to) {
    if (renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return 0;
    int e = errno;
    if (e != EINVAL && e != ENOSYS) return e;
    // The file system refuses the flag (or the move itself is invalid, which
    // the fallbacks report the same way).
    struct stat st;
    if (lstat(from.c_str(), &st) != 0) return errno;
    return S_ISDIR(st.st_mode) ? fileops_detail::MoveChecked(from, to) : fileops_detail::MoveByLink(from, to);
}

// Names of one folder that differ in letter case only. A file system that
// ignores case reports the target as existing; it may not give both spellings
// one inode number (FUSE file systems number each look-up), so the names
// themselves decide.
bool DifferOnlyInCase(const std::string& a, const std::string& b) {
    if (a == b || DirOf(a) != DirOf(b)) return false;
    std::u16string x = FromNative(a.substr(a.rfind('/') + 1)), y = FromNative(b.substr(b.rfind('/') + 1));
    if (x.size() != y.size()) return false;
    for (size_t i = 0; i < x.size(); ++i)
        if (u_foldCase(x[i], U_FOLD_CASE_DEFAULT) != u_foldCase(y[i], U_FOLD_CASE_DEFAULT)) return false;
    return true;
}

// Two names of one entry in one folder: the case-only rename on a
// case-insensitive file system.
bool SameEntry(const std::string& a, const std::string& b) {
    if (a == b || DirOf(a) != DirOf(b)) return false;
    struct stat sa, sb;
    return lstat(a.c_str(), &sa) == 0 && lstat(b.c_str(), &sb) == 0 && sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

int MoveAcross(const std::string& from, const std::string& to, const std::atomic<int>* cancel) {
    struct stat st;
    if (lstat(from.c_str(), &st) != 0) return errno;
    if (!S_ISREG(st.st_mode) && !S_ISLNK(st.st_mode)) return EXDEV;
    if (int e = CopyEntryFile(from, to, st, cancel, {})) return e;
    if (unlink(from.c_str()) != 0) {
        int e = errno;
        struct stat own;
        if (lstat(to.c_str(), &own) == 0 && !RemoveOwnFile(to, own)) return kLeftAtTarget;
        return e;
    }
    return 0;
}

class TreeCopy {
public:
    explicit TreeCopy(const std::atomic<int>* cancel) : cancel_(cancel) {}

    int Run(const std::string& from, const std::string& to) {
        struct stat st;
        if (lstat(from.c_str(), &st) != 0) return errno;
        if (!S_ISDIR(st.st_mode)) return ENOTDIR;
        int e = CopyDir(from, to, st);
        if (e != 0 && !Rollback()) return kLeftAtTarget;
        return e;
    }

private:
    int CopyDir(const std::string& from, const std::string& to, const struct stat& st) {
        if (mkdir(to.c_str(), 0700) != 0) return errno;
        created_.push_back({to, true});
        struct stat own;
        if (lstat(to.c_str(), &own) != 0) return errno;
        ownDirs_.insert({own.st_dev, own.st_ino});
        std::vector<std::string> names;
        if (int e = ListNames(from, names)) return e;
        for (const std::string& name : names) {
            if (Cancelled(cancel_)) return ECANCELED;
            if (int e = CopyChild(from + "/" + name, to + "/" + name)) return e;
        }
        if (chmod(to.c_str(), st.st_mode & 07777) != 0) return errno;
        struct timespec times[2] = {st.st_atim, st.st_mtim};
        return utimensat(AT_FDCWD, to.c_str(), times, AT_SYMLINK_NOFOLLOW) == 0 ? 0 : errno;
    }

    int CopyChild(const std::string& from, const std::string& to) {
        struct stat st;
        if (lstat(from.c_str(), &st) != 0) return errno;
        // A target inside its own source is not copied into itself.
        if (S_ISDIR(st.st_mode) && ownDirs_.count({st.st_dev, st.st_ino})) return 0;
        if (S_ISDIR(st.st_mode)) return CopyDir(from, to, st);
        if (int e = CopyEntryFile(from, to, st, cancel_, {})) return e;
        created_.push_back({to, false});
        return 0;
    }

    static int ListNames(const std::string& folder, std::vector<std::string>& names) {
        int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        if (fd < 0) return errno;
        DIR* dir = fdopendir(fd);
        if (!dir) {
            int e = errno;
            close(fd);
            return e;
        }
        while (struct dirent* d = readdir(dir)) {
            const char* n = d->d_name;
            if (n[0] == '.' && (n[1] == 0 || (n[1] == '.' && n[2] == 0))) continue;
            names.emplace_back(n);
        }
        closedir(dir);
        return 0;
    }

    // Removes what the copy created, deepest first; false when something stays.
    bool Rollback() {
        bool clean = true;
        for (auto it = created_.rbegin(); it != created_.rend(); ++it) {
            int r = it->second ? rmdir(it->first.c_str()) : unlink(it->first.c_str());
            clean = clean && r == 0;
        }
        return clean;
    }

    const std::atomic<int>* cancel_;
    std::vector<std::pair<std::string, bool>> created_;  // path, is folder
    std::set<std::pair<dev_t, ino_t>> ownDirs_;
};

}  // namespace

namespace fileops_detail {

int MoveByLink(const std::string& from, const std::string& to) {
    if (linkat(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), 0) != 0) {
        int e = errno;
        if (e == EEXIST || e == EXDEV || e == ENOENT || e == ENOTDIR || e == ENAMETOOLONG) return e;
        return MoveChecked(from, to);  // no hard links here
    }
    if (unlink(from.c_str()) != 0) {
        int e = errno;
        return unlink(to.c_str()) == 0 ? e : kLeftAtTarget;
    }
    return 0;
}

// Last resort where neither the flag nor hard links exist: the window between
// the check and the rename is as small as the system allows.
int MoveChecked(const std::string& from, const std::string& to) {
    struct stat st;
    if (lstat(to.c_str(), &st) == 0) return EEXIST;
    if (errno != ENOENT) return errno;
    return rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

int MoveThroughFreeName(const std::string& from, const std::string& to) {
    std::string dir = DirOf(to);
    for (int n = 0; n < 100; ++n) {
        std::string temp = dir + (dir == "/" ? "" : "/") + ".quirnel-" + std::to_string(getpid()) + "-" + std::to_string(n);
        int e = RenameNoReplace(from, temp);
        if (e == EEXIST) continue;
        if (e != 0) return e;
        e = RenameNoReplace(temp, to);
        if (e != 0 && RenameNoReplace(temp, from) != 0) return kLeftUnderTemporaryName;
        return e;
    }
    return EEXIST;
}

}  // namespace fileops_detail

std::u16string ErrorText(int error) {
    if (error == kLeftUnderTemporaryName)
        return u"Could not be renamed back from a temporary name (.quirnel-...) in its folder";
    if (error == kLeftAtTarget) return u"What was made at the target could not be removed again";
    char buffer[256];
    const char* text = strerror_r(error, buffer, sizeof buffer);
    return FromUtf8(text ? text : "");
}

int MoveEntry(const std::u16string& from, const std::u16string& to, const std::atomic<int>* cancel) {
    std::string a, b;
    if (int e = NativePath(from, a)) return e;
    if (int e = NativePath(to, b)) return e;
    int e = RenameNoReplace(a, b);
    // Through a free name in two steps, each of which can never replace an
    // entry: if the target was another file after all, the second step fails
    // and the first is undone.
    if (e == EEXIST && (SameEntry(a, b) || DifferOnlyInCase(a, b))) return fileops_detail::MoveThroughFreeName(a, b);
    if (e == EXDEV) return MoveAcross(a, b, cancel);
    return e;
}

int CopyFileExclusive(const std::u16string& from, const std::u16string& to, const std::atomic<int>* cancel,
                      const CopyProgress& progress) {
    std::string a, b;
    if (int e = NativePath(from, a)) return e;
    if (int e = NativePath(to, b)) return e;
    struct stat st;
    if (lstat(a.c_str(), &st) != 0) return errno;
    return CopyEntryFile(a, b, st, cancel, progress);
}

int CopyFolderTree(const std::u16string& from, const std::u16string& to, const std::atomic<int>* cancel) {
    std::string a, b;
    if (int e = NativePath(from, a)) return e;
    if (int e = NativePath(to, b)) return e;
    return TreeCopy(cancel).Run(a, b);
}

int CreateFolder(const std::u16string& path) {
    std::string native;
    if (int e = NativePath(path, native)) return e;
    return mkdir(native.c_str(), 0777) == 0 ? 0 : errno;
}

}  // namespace quirnel
