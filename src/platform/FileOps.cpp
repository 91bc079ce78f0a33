#include "platform/FileOps.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <unicode/uchar.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

#include "platform/FileSystem.h"
#include "platform/NativeText.h"
#include "platform/PathText.h"
#include "platform/PosixFiles.h"

namespace quirnel {
namespace {

using posix::DirOf;
using posix::RenameNoReplace;

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

// The copy is flushed and named before the source goes, so at every moment
// one complete file exists under one of the two names.
int MoveAcross(const std::string& from, const std::string& to, const CopyControl& control) {
    struct stat st;
    if (lstat(from.c_str(), &st) != 0) return errno;
    if (!S_ISREG(st.st_mode) && !S_ISLNK(st.st_mode)) return EXDEV;
    // A source that cannot be removed is found before the copy, not after it.
    if (faccessat(AT_FDCWD, DirOf(from).c_str(), W_OK, AT_EACCESS) != 0) return errno;
    if (int e = posix::CopyEntry(from, to, st, control, posix::Durability::Flushed)) return e;
    if (unlink(from.c_str()) != 0) {
        int e = errno;
        struct stat own;
        if (lstat(to.c_str(), &own) == 0 && !posix::RemoveOwnFile(to, own)) return kLeftAtTarget;
        return e;
    }
    return 0;
}

}  // namespace

namespace fileops_detail {

Result MoveByLink(const std::string& from, const std::string& to) { return Result(posix::MoveByLink(from, to)); }

Result MoveChecked(const std::string& from, const std::string& to) { return Result(posix::MoveChecked(from, to)); }

Result MoveThroughFreeName(const std::string& from, const std::string& to) {
    std::string dir = DirOf(to);
    for (int n = 0; n < 100; ++n) {
        std::string temp = dir + (dir == "/" ? "" : "/") + ".quirnel-" + std::to_string(getpid()) + "-" + std::to_string(n);
        int e = RenameNoReplace(from, temp);
        if (e == EEXIST) continue;
        if (e != 0) return Result(e);
        e = RenameNoReplace(temp, to);
        if (e != 0 && RenameNoReplace(temp, from) != 0) return Result(kLeftUnderTemporaryName);
        return Result(e);
    }
    return Result(EEXIST);
}

}  // namespace fileops_detail

namespace {

int MoveNative(const std::string& a, const std::string& b, const CopyControl& control) {
    int e = RenameNoReplace(a, b);
    // Through a free name in two steps, each of which can never replace an
    // entry: if the target was another file after all, the second step fails
    // and the first is undone.
    if (e == EEXIST && (SameEntry(a, b) || DifferOnlyInCase(a, b))) return fileops_detail::MoveThroughFreeName(a, b).error;
    if (e == EXDEV) return MoveAcross(a, b, control);
    return e;
}

// Where the name starts in a path that has a folder other than the root and
// a name; npos for any other.
size_t NameStart(const std::string& path) {
    size_t slash = path.rfind('/');
    if (slash == std::string::npos || slash == 0 || slash + 1 == path.size()) return std::string::npos;
    return slash + 1;
}

}  // namespace

Result MoveEntry(const std::u16string& from, const std::u16string& to, const CopyControl& control) {
    std::string a, b;
    if (int e = posix::NativePath(from, a)) return Result(e);
    if (int e = posix::NativePath(to, b)) return Result(e);
    return Result(MoveNative(a, b, control));
}

Result MoveEntry(const std::u16string& from, const std::u16string& to, FolderHandles& handles, const CopyControl& control) {
    std::string& a = handles.from_;
    std::string& b = handles.to_;
    if (int e = posix::NativePath(from, a)) return Result(e);
    if (int e = posix::NativePath(to, b)) return Result(e);
    const size_t na = NameStart(a), nb = NameStart(b);
    if (na != std::string::npos && nb != std::string::npos) {
        const std::string_view fromFolder = std::string_view(a).substr(0, na - 1);
        const std::string_view toFolder = std::string_view(b).substr(0, nb - 1);
        const int fa = handles.get(fromFolder), fb = handles.get(toFolder, fromFolder);
        handles.moved(fromFolder, toFolder);
        if (fa >= 0 || fb >= 0) {
            const char* pa = fa >= 0 ? a.c_str() + na : a.c_str();
            const char* pb = fb >= 0 ? b.c_str() + nb : b.c_str();
            if (renameat2(fa >= 0 ? fa : AT_FDCWD, pa, fb >= 0 ? fb : AT_FDCWD, pb, RENAME_NOREPLACE) == 0) {
                handles.forgetUnder(a);
                return {};
            }
        }
    }
    // Anything but the plain rename is decided by the paths, as without
    // handles; a rename that failed is tried again there for its reason.
    int e = MoveNative(a, b, control);
    handles.forgetUnder(a);
    return Result(e);
}

namespace {

EntryId IdOf(const struct stat& st) { return {static_cast<uint64_t>(st.st_dev), static_cast<uint64_t>(st.st_ino)}; }

}  // namespace

Result MoveEntry(const std::u16string& from, const std::u16string& to, FolderHandles& handles,
                 const CopyControl& control, const EntryId& expected) {
    if (!expected) return MoveEntry(from, to, handles, control);
    std::string& a = handles.from_;
    std::string& b = handles.to_;
    if (int e = posix::NativePath(from, a)) return Result(e);
    if (int e = posix::NativePath(to, b)) return Result(e);
    const size_t na = NameStart(a), nb = NameStart(b);
    // The path's entry is the planned one: its folder's path still reaches
    // the folder the handle holds, unless it changed in the instant between,
    // when the rename still stays inside the pinned folder.
    struct stat st;
    if (lstat(a.c_str(), &st) != 0) return Result(errno);
    if (IdOf(st) != expected) {
        if (na != std::string::npos && stat(a.substr(0, na - 1).c_str(), &st) == 0 &&
            !handles.pinMatches(std::string_view(a).substr(0, na - 1), IdOf(st)))
            return Result(kFolderNotAsPlanned);
        return Result(kEntryNotAsPlanned);
    }
    if (na == std::string::npos || nb == std::string::npos) return Result(MoveNative(a, b, control));
    const std::string_view fromFolder = std::string_view(a).substr(0, na - 1);
    const std::string_view toFolder = std::string_view(b).substr(0, nb - 1);
    int fa = -1, fb = -1;
    if (int e = handles.pinned(fromFolder, false, fa)) return Result(e);
    if (int e = toFolder == fromFolder ? 0 : handles.pinned(toFolder, true, fb, fromFolder)) return Result(e);
    if (toFolder == fromFolder) fb = fa;
    if (renameat2(fa, a.c_str() + na, fb, b.c_str() + nb, RENAME_NOREPLACE) == 0) {
        handles.forgetUnder(a);
        return {};
    }
    int e = errno;
    // What the plain rename cannot do goes by the paths, as without handles.
    if (e == EXDEV || e == EEXIST || e == EINVAL || e == ENOSYS) e = MoveNative(a, b, control);
    handles.forgetUnder(a);
    return Result(e);
}

void FolderHandles::pin(const std::u16string& folder) {
    std::string native;
    struct stat st;
    if (posix::NativePath(folder, native) == 0 && stat(native.c_str(), &st) == 0 && S_ISDIR(st.st_mode))
        pins_[std::move(native)] = IdOf(st);
}

void FolderHandles::unpinUnder(const std::u16string& path) {
    std::string native;
    if (posix::NativePath(path, native) != 0) return;
    forgetUnder(native);
    std::erase_if(pins_, [&](const auto& pin) {
        const std::string& f = pin.first;
        return f.compare(0, native.size(), native) == 0 && (f.size() == native.size() || f[native.size()] == '/');
    });
}

bool FolderHandles::pinMatches(std::string_view folder, const EntryId& id) {
    auto [it, added] = pins_.try_emplace(std::string(folder), id);
    return it->second == id;
}

int FolderHandles::pinned(std::string_view folder, bool checkPath, int& fd, std::string_view keep) {
    for (const Slot& s : slots_) {
        if (s.fd < 0 || s.folder != folder) continue;
        struct stat st;
        if (checkPath) {
            if (stat(s.folder.c_str(), &st) != 0) return errno;
            if (!pinMatches(folder, IdOf(st))) return kFolderNotAsPlanned;
        }
        fd = s.fd;
        return 0;
    }
    Slot& slot = claim(keep);
    slot.folder.assign(folder);
    slot.fd = open(slot.folder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    struct stat st;
    int e = slot.fd < 0 || fstat(slot.fd, &st) != 0 ? errno : pinMatches(folder, IdOf(st)) ? 0 : kFolderNotAsPlanned;
    if (e != 0) {
        if (slot.fd >= 0) close(slot.fd);
        slot.fd = -1;
        slot.folder.clear();
        return e;
    }
    fd = slot.fd;
    return 0;
}

void FolderHandles::forget() {
    for (Slot& s : slots_) {
        if (s.fd >= 0) close(s.fd);
        s.fd = -1;
        s.folder.clear();
    }
}

FolderHandles::Slot& FolderHandles::claim(std::string_view keep) {
    Slot* slot = &slots_[next_];
    next_ = (next_ + 1) % slots_.size();
    if (slot->fd >= 0 && !keep.empty() && slot->folder == keep) {
        slot = &slots_[next_];
        next_ = (next_ + 1) % slots_.size();
    }
    if (slot->fd >= 0) close(slot->fd);
    slot->fd = -1;
    return *slot;
}

int FolderHandles::get(std::string_view folder, std::string_view keep) {
    for (const Slot& s : slots_)
        if (s.fd >= 0 && s.folder == folder) return s.fd;
    if (folder != lastFrom_ && folder != lastTo_) return -1;
    Slot& slot = claim(keep);
    slot.folder.assign(folder);
    // Search permission is all a path walk needs, so all the handle needs.
    slot.fd = open(slot.folder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    return slot.fd;
}

void FolderHandles::moved(std::string_view fromFolder, std::string_view toFolder) {
    if (lastFrom_ != fromFolder) lastFrom_.assign(fromFolder);
    if (lastTo_ != toFolder) lastTo_.assign(toFolder);
}

void FolderHandles::forgetUnder(std::string_view path) {
    for (Slot& s : slots_) {
        if (s.fd < 0 || s.folder.compare(0, path.size(), path) != 0) continue;
        if (s.folder.size() != path.size() && s.folder[path.size()] != '/') continue;
        close(s.fd);
        s.fd = -1;
        s.folder.clear();
    }
}

Result RemoveCopyLeftover(const std::u16string& target, std::u16string& path) {
    std::string native, leftover;
    if (int e = posix::NativePath(target, native)) return Result(e);
    int e = posix::RemoveLeftoverFor(native, leftover);
    path = FromNative(leftover);
    return Result(e);
}

Result CreateFolder(const std::u16string& path) {
    std::string native;
    if (int e = posix::NativePath(path, native)) return Result(e);
    return Result(mkdir(native.c_str(), 0777) == 0 ? 0 : errno);
}

Result CreateFolderChain(const std::u16string& folder, const PathStyle& style,
                         const std::function<void(const std::u16string&)>& beforeCreating) {
    // The missing folders from the deepest up; created top-down afterwards.
    std::vector<std::u16string> missing;
    std::u16string current = folder;
    while (!GetPathAttributes(current).exists) {
        missing.push_back(current);
        std::u16string parent = ParentFolderOf(current, style);
        if (parent.empty() || parent == current) return Result(ENOENT);
        current = std::move(parent);
    }
    for (auto it = missing.rbegin(); it != missing.rend(); ++it) {
        if (beforeCreating) beforeCreating(*it);
        Result made = CreateFolder(*it);
        if (!made && made.error != EEXIST) return made;
    }
    return {};
}

}  // namespace quirnel
