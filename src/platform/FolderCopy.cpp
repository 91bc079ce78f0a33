// Folder copies, built out of sight and named when complete.
#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <set>
#include <utility>
#include <vector>

#include "platform/FileOps.h"
#include "platform/PosixFiles.h"

namespace quirnel {
namespace posix {
namespace {

class TreeCopy {
public:
    // A folder's copy is one entry to its caller, not a copy per file.
    explicit TreeCopy(const CopyControl& control) : control_(control) { control_.copyMade = nullptr; }

    int run(const std::string& from, const std::string& to) {
        struct stat st;
        if (lstat(from.c_str(), &st) != 0) return errno;
        if (!S_ISDIR(st.st_mode)) return ENOTDIR;
        if (lstat(to.c_str(), &st) == 0) return EEXIST;
        if (errno != ENOENT) return errno;
        Temporary temp;
        if (int e = CreateTemporary(to, TemporaryKind::Folder, control_, temp)) return e;
        int e = build(from, temp.path);
        if (e == 0) e = RenameNoReplace(temp.path, to);
        close(temp.fd);
        if (e != 0 && !RemoveOwnTree(temp.path)) return kLeftAtTarget;
        return e;
    }

private:
    // The contents of `from` into the existing, empty folder `to`; its mode
    // and times last, so that a read-only folder can still be filled.
    int build(const std::string& from, const std::string& to) {
        struct stat st, own;
        if (lstat(from.c_str(), &st) != 0) return errno;
        if (lstat(to.c_str(), &own) != 0) return errno;
        ownDirs_.insert({own.st_dev, own.st_ino});
        std::vector<std::string> names;
        if (int e = listNames(from, names)) return e;
        for (const std::string& name : names) {
            if (Cancelled(control_.cancel)) return ECANCELED;
            if (int e = copyChild(Join(from, name), Join(to, name))) return e;
        }
        if (chmod(to.c_str(), st.st_mode & 07777) != 0) return errno;
        struct timespec times[2] = {st.st_atim, st.st_mtim};
        return utimensat(AT_FDCWD, to.c_str(), times, AT_SYMLINK_NOFOLLOW) == 0 ? 0 : errno;
    }

    // Inside the hidden folder nothing shows under a final name, so files are
    // written straight in.
    int copyChild(const std::string& from, const std::string& to) {
        struct stat st;
        if (lstat(from.c_str(), &st) != 0) return errno;
        if (S_ISDIR(st.st_mode)) {
            // A target inside its own source is not copied into itself.
            if (ownDirs_.count({st.st_dev, st.st_ino})) return 0;
            if (mkdir(to.c_str(), 0700) != 0) return errno;
            return build(from, to);
        }
        return CopyEntry(from, to, st, control_, Durability::Cached);
    }

    static int listNames(const std::string& folder, std::vector<std::string>& names) {
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

    CopyControl control_;
    std::set<std::pair<dev_t, ino_t>> ownDirs_;
};

}  // namespace
}  // namespace posix

Result CopyFolderTree(const std::u16string& from, const std::u16string& to, const CopyControl& control) {
    std::string a, b;
    if (int e = posix::NativePath(from, a)) return Result(e);
    if (int e = posix::NativePath(to, b)) return Result(e);
    return Result(posix::TreeCopy(control).run(a, b));
}

}  // namespace quirnel
