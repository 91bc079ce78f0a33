#include "platform/FileSystem.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <vector>

#include "platform/NativeText.h"
#include "platform/SideBySide.h"

namespace quirnel {
namespace {

int64_t BirthOrChange(const struct statx& sx) {
    if (sx.stx_mask & STATX_BTIME) return sx.stx_btime.tv_sec;
    return sx.stx_ctime.tv_sec;
}

bool StatEntry(int dirFd, const char* path, DirEntry& e, uint64_t folderDev = 0) {
    struct statx sx;
    if (statx(dirFd, path, AT_SYMLINK_NOFOLLOW | AT_NO_AUTOMOUNT, STATX_BASIC_STATS | STATX_BTIME, &sx) != 0)
        return false;
    // An entry on another device than its folder is a mount point: its
    // identity is not the folder's to vouch for.
    const bool sameDevice = folderDev != 0 && makedev(sx.stx_dev_major, sx.stx_dev_minor) == folderDev;
    e.ino = sameDevice && (sx.stx_mask & STATX_INO) ? sx.stx_ino : 0;
    e.isFolder = S_ISDIR(sx.stx_mode);
    e.isRegular = S_ISREG(sx.stx_mode);
    e.size = e.isFolder ? 0 : sx.stx_size;
    e.modified = sx.stx_mtime.tv_sec;
    e.created = BirthOrChange(sx);
    return true;
}

// Below this many entries a second thread costs more than it saves.
constexpr size_t kEntriesForTwoThreads = 256;

// The names of a folder, each ending in a NUL, in the order the file system
// returns them.
struct NameListing {
    std::string bytes;
    std::vector<size_t> starts;
    // With deferred details only: each entry's type and inode as listed.
    std::vector<unsigned char> types;
    std::vector<uint64_t> inos;
    const char* name(size_t i) const { return bytes.data() + starts[i]; }
};

void ListNames(DIR* dir, NameListing& out, bool typed) {
    while (struct dirent* d = readdir(dir)) {
        const char* n = d->d_name;
        if (n[0] == '.' && (n[1] == 0 || (n[1] == '.' && n[2] == 0))) continue;
        out.starts.push_back(out.bytes.size());
        out.bytes.append(n, strlen(n) + 1);
        if (!typed) continue;
        out.types.push_back(d->d_type);
        out.inos.push_back(d->d_ino);
    }
}

// A file the listing typed needs no look-up of its own while its size and
// times can wait. A folder is looked up for its times and for its device,
// which tells a mount point.
bool TakeFromListing(const NameListing& names, size_t i, DirEntry& e, uint64_t folderDev) {
    if (names.types.empty()) return false;
    const unsigned char type = names.types[i];
    if (type == DT_UNKNOWN || type == DT_DIR) return false;
    e.isFolder = false;
    e.isRegular = type == DT_REG;
    e.ino = folderDev != 0 ? names.inos[i] : 0;  // an inode is only worth its folder's device
    e.detailsPending = true;
    return true;
}

}  // namespace

Result ReadFolderEntries(const std::u16string& folder, std::vector<DirEntry>& entries, FolderStamp* stamp,
                         EntryDetail detail) {
    std::string native = ToNative(folder);
    int fd = open(native.empty() ? "/" : native.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0) return Result(errno);
    DIR* dir = fdopendir(fd);
    if (!dir) {
        int e = errno;
        close(fd);
        return Result(e);
    }
    // The stamp comes first: a change during the listing changes the folder
    // after it, so that the stamp no longer holds.
    struct stat st;
    const bool stamped = fstat(fd, &st) == 0;
    if (stamp)
        *stamp = stamped ? FolderStamp{{static_cast<uint64_t>(st.st_dev), static_cast<uint64_t>(st.st_ino)},
                                       static_cast<int64_t>(st.st_mtim.tv_sec) * 1000000000LL + st.st_mtim.tv_nsec}
                         : FolderStamp{};
    const uint64_t folderDev = stamped ? static_cast<uint64_t>(st.st_dev) : 0;
    NameListing names;
    ListNames(dir, names, detail == EntryDetail::Deferred);
    const size_t first = entries.size(), count = names.starts.size();
    entries.resize(first + count);
    std::vector<char> found(count);
    auto lookUp = [&](size_t from, size_t to) {
        for (size_t i = from; i < to; ++i) {
            DirEntry& e = entries[first + i];
            // false: vanished meanwhile
            found[i] = TakeFromListing(names, i, e, folderDev) || StatEntry(fd, names.name(i), e, folderDev);
        }
    };
    // Relative to the open folder the kernel does not walk its path again;
    // each entry still costs it a look-up, so a large folder's are shared out.
    // A deferred listing looks up only the entries it could not type.
    const size_t lookUps = names.types.empty() ? count
                                               : static_cast<size_t>(std::count_if(names.types.begin(), names.types.end(),
                                                     [](unsigned char t) { return t == DT_UNKNOWN || t == DT_DIR; }));
    if (lookUps >= kEntriesForTwoThreads)
        SideBySide([&] { lookUp(count / 2, count); }, [&] { lookUp(0, count / 2); });
    else
        lookUp(0, count);
    closedir(dir);
    // The names are decoded here, not beside the look-ups: a string made on
    // the other thread lives in that thread's heap, which keeps its pages
    // when the list later frees them, so they could never hold a row.
    size_t kept = first;
    for (size_t i = 0; i < count; ++i) {
        if (!found[i]) continue;
        DirEntry& e = entries[kept++];
        if (&e != &entries[first + i]) e = std::move(entries[first + i]);
        e.name = FromNative(names.name(i));
    }
    entries.resize(kept);
    return {};
}

bool LookUpEntry(const std::u16string& path, DirEntry& entry) {
    std::string native = ToNative(path);
    if (native.empty() || !StatEntry(AT_FDCWD, native.c_str(), entry)) return false;
    size_t slash = path.find_last_of(u'/');
    entry.name = slash == std::u16string::npos ? path : path.substr(slash + 1);
    return true;
}

PathAttributes GetPathAttributes(const std::u16string& path) {
    PathAttributes a;
    std::string native = ToNative(path);
    struct stat st;
    if (native.empty() || lstat(native.c_str(), &st) != 0) return a;
    a.exists = true;
    a.isFolder = S_ISDIR(st.st_mode);
    return a;
}

std::u16string LongPathForm(const std::u16string& path) {
    if (path.empty()) return {};
    std::u16string full = path;
    if (full[0] != u'/') {
        std::vector<char> buf(4096);
        while (!getcwd(buf.data(), buf.size())) {
            if (buf.size() > (1u << 20)) return {};
            buf.resize(buf.size() * 2);
        }
        full = FromNative(buf.data()) + u"/" + full;
    }
    std::vector<std::u16string> parts;
    size_t i = 0;
    while (i <= full.size()) {
        size_t j = full.find(u'/', i);
        if (j == std::u16string::npos) j = full.size();
        std::u16string part = full.substr(i, j - i);
        if (part == u"..") {
            if (!parts.empty()) parts.pop_back();
        } else if (!part.empty() && part != u".") {
            parts.push_back(std::move(part));
        }
        i = j + 1;
    }
    if (parts.empty()) return u"/";
    std::u16string out;
    for (auto& p : parts) out += u"/" + p;
    return out;
}

std::u16string AbsolutePath(const std::u16string& path) {
    if (path.empty() || path[0] == u'/') return path;
    return LongPathForm(path);
}

std::u16string ExecutablePath() {
    std::vector<char> buf(4096);
    for (;;) {
        ssize_t n = readlink("/proc/self/exe", buf.data(), buf.size());
        if (n < 0) return {};
        if (static_cast<size_t>(n) < buf.size()) return FromNative(std::string_view(buf.data(), static_cast<size_t>(n)));
        if (buf.size() > (1u << 20)) return {};
        buf.resize(buf.size() * 2);
    }
}

bool IsFolderWritable(const std::u16string& folder) {
    if (folder.empty()) return false;
    std::string native = ToNative(folder);
    struct stat st;
    return stat(native.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && access(native.c_str(), W_OK) == 0;
}

Result CreateParentFolders(const std::u16string& path) {
    // What the last call that failed left in errno says why.
    auto failed = [] { return Result(errno ? errno : ENOENT); };
    std::string native = ToNative(path);
    size_t slash = native.rfind('/');
    if (slash == std::string::npos || slash == 0) return {};
    std::string parent = native.substr(0, slash);
    struct stat st;
    if (stat(parent.c_str(), &st) == 0) return S_ISDIR(st.st_mode) ? Result() : failed();
    for (size_t p = parent.find('/', 1);; p = parent.find('/', p + 1)) {
        std::string part = parent.substr(0, p);
        if (mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) return failed();
        if (p == std::string::npos) break;
    }
    return stat(parent.c_str(), &st) == 0 && S_ISDIR(st.st_mode) ? Result() : failed();
}

}  // namespace quirnel
