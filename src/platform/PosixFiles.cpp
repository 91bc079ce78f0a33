#include "platform/PosixFiles.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "platform/ErrorText.h"
#include "platform/NativeText.h"

namespace quirnel::posix {

int NativePath(const std::u16string& text, std::string& out) {
    out.clear();  // a caller's buffer keeps its room from the last path
    AppendNative(out, text);
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

std::string NameIn(const std::string& path) { return path.substr(path.rfind('/') + 1); }

std::string Join(const std::string& dir, const std::string& name) {
    return dir + (dir.empty() || dir.back() == '/' ? "" : "/") + name;
}

bool RemoveOwnFile(const std::string& path, const struct stat& own) {
    struct stat st;
    if (lstat(path.c_str(), &st) != 0 || st.st_dev != own.st_dev || st.st_ino != own.st_ino) return true;
    return unlink(path.c_str()) == 0;
}

namespace {

// Empties a folder opened as fd, then the caller removes it. The folder is
// made writable first: a copied read-only folder must still be removable.
bool EmptyFolder(int fd) {
    (void)fchmod(fd, 0700);
    DIR* dir = fdopendir(fd);
    if (!dir) {
        close(fd);
        return false;
    }
    std::vector<std::pair<std::string, bool>> entries;  // name, is folder
    while (struct dirent* d = readdir(dir)) {
        const char* n = d->d_name;
        if (n[0] == '.' && (n[1] == 0 || (n[1] == '.' && n[2] == 0))) continue;
        struct stat st;
        bool folder = fstatat(dirfd(dir), n, &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISDIR(st.st_mode);
        entries.emplace_back(n, folder);
    }
    bool clean = true;
    for (const auto& [name, folder] : entries) {
        if (folder) {
            int sub = openat(dirfd(dir), name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
            clean = sub >= 0 && EmptyFolder(sub) && clean;
        }
        clean = unlinkat(dirfd(dir), name.c_str(), folder ? AT_REMOVEDIR : 0) == 0 && clean;
    }
    closedir(dir);
    return clean;
}

// FNV-1a: stable across runs and builds, which the leftover search needs.
uint64_t NameHash(const std::string& name) {
    uint64_t h = 14695981039346656037ull;
    for (unsigned char c : name) {
        h ^= c;
        h *= 1099511628211ull;
    }
    return h;
}

constexpr const char* kTemporaryPrefix = ".quirnel-part-";

// Opens an existing temporary and tries its lock: a run that still works in
// it holds the lock; a killed run's lock died with it.
bool IsLeftover(const std::string& path, bool folder) {
    struct stat st;
    if (lstat(path.c_str(), &st) != 0 || st.st_uid != geteuid()) return false;
    if (folder ? !S_ISDIR(st.st_mode) : !S_ISREG(st.st_mode)) return false;
    int fd = open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK | (folder ? O_DIRECTORY : 0));
    if (fd < 0) return false;
    bool unlocked = flock(fd, LOCK_EX | LOCK_NB) == 0;
    close(fd);
    return unlocked;
}

bool RemoveLeftover(const std::string& path, bool folder) {
    return folder ? RemoveOwnTree(path) : unlink(path.c_str()) == 0;
}

// Makes one temporary under the name; EEXIST when the name is taken.
int MakeTemporary(const std::string& path, bool folder, int& fd) {
    if (folder) {
        if (mkdir(path.c_str(), 0700) != 0) return errno;
        fd = open(path.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    } else {
        fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    }
    if (fd < 0) {
        int e = errno;
        if (folder) (void)rmdir(path.c_str());
        return e;
    }
    // Without locks a later run cannot tell this from a leftover and leaves
    // it alone, which is the safe side.
    (void)flock(fd, LOCK_EX | LOCK_NB);
    return 0;
}

}  // namespace

bool RemoveOwnTree(const std::string& path) {
    int fd = open(path.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) return errno == ENOENT;
    bool clean = EmptyFolder(fd);
    return rmdir(path.c_str()) == 0 && clean;
}

int SyncFolder(const std::string& dir) {
    int fd = open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return errno;
    int e = fsync(fd) == 0 ? 0 : errno;
    close(fd);
    return e == EINVAL || e == EROFS || e == EOPNOTSUPP ? 0 : e;
}

std::string TemporaryNameFor(const std::string& target) {
    char hex[17];
    snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(NameHash(NameIn(target))));
    return kTemporaryPrefix + std::string(hex);
}

int RemoveLeftoverFor(const std::string& target, std::string& path) {
    path = Join(DirOf(target), TemporaryNameFor(target));
    struct stat st;
    if (lstat(path.c_str(), &st) != 0) return errno;
    const bool folder = S_ISDIR(st.st_mode);
    if (!IsLeftover(path, folder)) return EBUSY;
    return RemoveLeftover(path, folder) ? 0 : EIO;
}

int CreateTemporary(const std::string& target, TemporaryKind kind, const CopyControl& control, Temporary& out) {
    const bool folder = kind == TemporaryKind::Folder;
    const std::string dir = DirOf(target), base = Join(dir, TemporaryNameFor(target));
    if (IsLeftover(base, folder) && RemoveLeftover(base, folder) && control.leftoverRemoved)
        control.leftoverRemoved(FromNative(base));
    // The first name is the one a later run looks for; the others serve runs
    // that copy to the same target at the same time.
    for (int n = 0; n < 100; ++n) {
        std::string path = n == 0 ? base : base + "-" + std::to_string(n);
        int e = MakeTemporary(path, folder, out.fd);
        if (e == EEXIST) continue;
        if (e != 0) return e;
        out.path = std::move(path);
        return 0;
    }
    return EEXIST;
}

int RenameNoReplace(const std::string& from, const std::string& to) {
    if (renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return 0;
    int e = errno;
    if (e != EINVAL && e != ENOSYS) return e;
    // The file system refuses the flag (or the move itself is invalid, which
    // the fallbacks report the same way).
    struct stat st;
    if (lstat(from.c_str(), &st) != 0) return errno;
    return S_ISDIR(st.st_mode) ? MoveChecked(from, to) : MoveByLink(from, to);
}

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

}  // namespace quirnel::posix
