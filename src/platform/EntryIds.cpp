#include "platform/EntryIds.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <ctime>
#include <string_view>
#include <thread>
#include <unordered_map>

#include "platform/NativeText.h"
#include "platform/SideBySide.h"

namespace quirnel {
namespace {

// From this many paths on, two threads share the folders of a batch.
constexpr size_t kSharedFrom = 4096;

EntryId IdOf(const struct stat& st) { return {static_cast<uint64_t>(st.st_dev), static_cast<uint64_t>(st.st_ino)}; }

EntryState StatAt(int dirFd, const char* name) {
    struct stat st;
    if (fstatat(dirFd, name, &st, AT_SYMLINK_NOFOLLOW) != 0) return {};
    return {IdOf(st), static_cast<int64_t>(st.st_ctim.tv_sec) * 1000000000LL + st.st_ctim.tv_nsec};
}

// The paths of a batch in one folder: the folder's bytes, and each name's
// bytes (ended by a NUL in one buffer) with the position of its path.
struct FolderGroup {
    struct Wanted {
        size_t index;
        uint32_t offset, length;
    };
    std::string folder;
    std::string names;
    std::vector<Wanted> wanted;
    std::string_view name(size_t k) const { return {names.data() + wanted[k].offset, wanted[k].length}; }
    const char* cName(size_t k) const { return names.data() + wanted[k].offset; }
};

// The wanted names of a folder, each with the slot of what the listing says
// of it; a name asked for twice shares one. Open addressing: a folder of
// many names costs no allocation per name.
class NameSlots {
public:
    static constexpr uint32_t kNone = ~uint32_t{0};
    explicit NameSlots(size_t names) {
        size_t capacity = 16;
        while (capacity < names * 2) capacity <<= 1;
        table_.assign(capacity, {{}, kNone});
        mask_ = capacity - 1;
    }
    // The slot of a name; next when the name is new.
    uint32_t add(std::string_view name, uint32_t next) {
        for (size_t i = std::hash<std::string_view>()(name) & mask_;; i = (i + 1) & mask_) {
            Entry& e = table_[i];
            if (e.slot == kNone) {
                e = {name, next};
                return next;
            }
            if (e.name == name) return e.slot;
        }
    }
    uint32_t find(std::string_view name) const {
        for (size_t i = std::hash<std::string_view>()(name) & mask_;; i = (i + 1) & mask_) {
            const Entry& e = table_[i];
            if (e.slot == kNone || e.name == name) return e.slot;
        }
    }

private:
    struct Entry {
        std::string_view name;
        uint32_t slot;
    };
    std::vector<Entry> table_;
    size_t mask_ = 0;
};

// One folder's share of a batch. A folder read costs a fraction of a look-up
// per entry, so it pays once a good part of the folder is asked for; the
// size of a folder tells roughly how many entries it holds.
// unchangedSince: with a folder not modified since then, the listing serves
// whenever it pays, and change times are left 0.
void LookUpInFolder(const FolderGroup& group, FolderReading reading, int64_t unchangedSince,
                    std::vector<EntryState>& out, const std::atomic<int>* cancel) {
    const auto& wanted = group.wanted;
    int fd = open(group.folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;  // every entry stays missing
    struct stat dirStat;
    bool known = fstat(fd, &dirStat) == 0;
    const bool unchanged = known && unchangedSince != 0 &&
                           static_cast<int64_t>(dirStat.st_mtim.tv_sec) * 1000000000LL + dirStat.st_mtim.tv_nsec <= unchangedSince;
    if (unchanged) reading = FolderReading::WhenDense;
    bool dense = known && reading == FolderReading::WhenDense && wanted.size() >= 16 &&
                 static_cast<uint64_t>(wanted.size()) * 64 >= static_cast<uint64_t>(dirStat.st_size);
    std::vector<std::pair<uint64_t, unsigned char>> listed;  // per slot: inode and type
    std::vector<uint32_t> slots;                             // per wanted name
    if (dense) {
        int readFd = dup(fd);
        DIR* dir = readFd >= 0 ? fdopendir(readFd) : nullptr;
        if (dir) {
            NameSlots slotOf(wanted.size());
            slots.reserve(wanted.size());
            for (size_t k = 0; k < wanted.size(); ++k) {
                const uint32_t slot = slotOf.add(group.name(k), static_cast<uint32_t>(listed.size()));
                if (slot == listed.size()) listed.emplace_back(uint64_t{0}, DT_UNKNOWN);
                slots.push_back(slot);
            }
            while (struct dirent* d = readdir(dir)) {
                const uint32_t slot = slotOf.find(std::string_view(d->d_name));
                if (slot != NameSlots::kNone) listed[slot] = {d->d_ino, d->d_type};
            }
            closedir(dir);
        } else if (readFd >= 0) {
            close(readFd);
        }
    }
    // A folder entry may be a mount point, where the listing shows the inode
    // underneath; and some file systems list other numbers than they report.
    // Such entries, and the first one as a sample, are looked up one by one.
    bool checked = false, trusted = true;
    for (size_t k = 0; k < wanted.size(); ++k) {
        if ((k + 1) % 1024 == 0 && cancel && cancel->load(std::memory_order_relaxed) != 0) break;
        const size_t index = wanted[k].index;
        const auto* seen = slots.empty() ? nullptr : &listed[slots[k]];
        bool fromListing = seen && seen->first != 0 && seen->second != DT_DIR && seen->second != DT_UNKNOWN && trusted;
        if (fromListing && !checked) {
            checked = true;
            EntryState sample = StatAt(fd, group.cName(k));
            trusted = sample.id.ino == seen->first && sample.id.dev == static_cast<uint64_t>(dirStat.st_dev);
            out[index] = sample;
            continue;
        }
        out[index] = fromListing ? EntryState{{static_cast<uint64_t>(dirStat.st_dev), seen->first}, 0}
                                 : StatAt(fd, group.cName(k));
        if (unchanged) out[index].changeTimeNs = 0;
    }
    close(fd);
}

uint64_t Mix(uint64_t h, uint64_t v) {
    h ^= v + 0x9e3779b97f4a7c15ULL + (h << 6) + (h >> 2);
    return h;
}

// The names in a folder open at dirFd, without "." and "..". False when it
// cannot be read.
bool ListNames(int dirFd, std::vector<std::string>& names) {
    int readFd = dup(dirFd);
    DIR* dir = readFd >= 0 ? fdopendir(readFd) : nullptr;
    if (!dir) {
        if (readFd >= 0) close(readFd);
        return false;
    }
    while (struct dirent* d = readdir(dir)) {
        const char* n = d->d_name;
        if (n[0] == '.' && (n[1] == 0 || (n[1] == '.' && n[2] == 0))) continue;
        names.emplace_back(n);
    }
    closedir(dir);
    return true;
}

uint64_t TreeFingerprint(int dirFd, uint64_t h) {
    std::vector<std::string> names;
    if (!ListNames(dirFd, names)) return Mix(h, 0xdead);
    // Readdir order may differ between two readings: combine order-free.
    uint64_t sum = 0;
    for (const std::string& n : names) {
        struct stat st;
        if (fstatat(dirFd, n.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0) continue;
        uint64_t e = std::hash<std::string_view>()(n);
        e = Mix(e, st.st_ino);
        e = Mix(e, static_cast<uint64_t>(st.st_size));
        e = Mix(e, static_cast<uint64_t>(st.st_mtim.tv_sec) * 1000000000ULL + st.st_mtim.tv_nsec);
        if (S_ISDIR(st.st_mode)) {
            int sub = openat(dirFd, n.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
            if (sub >= 0) {
                e = TreeFingerprint(sub, e);
                close(sub);
            }
        }
        sum += e * 0xff51afd7ed558ccdULL;
    }
    return Mix(h, sum);
}

int RemoveTreeAt(int parentFd, const char* name) {
    struct stat st;
    if (fstatat(parentFd, name, &st, AT_SYMLINK_NOFOLLOW) != 0) return errno;
    if (!S_ISDIR(st.st_mode)) return unlinkat(parentFd, name, 0) == 0 ? 0 : errno;
    int fd = openat(parentFd, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) return errno;
    std::vector<std::string> names;
    int e = ListNames(fd, names) ? 0 : errno;
    for (const std::string& n : names)
        if (int r = RemoveTreeAt(fd, n.c_str()); r != 0 && e == 0) e = r;
    close(fd);
    if (e != 0) return e;
    return unlinkat(parentFd, name, AT_REMOVEDIR) == 0 ? 0 : errno;
}

// The paths [from, to) by folder. Paths of one folder mostly come one
// after another: the folder is looked up again only where it changes.
std::vector<FolderGroup> GroupByFolder(const std::vector<std::u16string_view>& paths, size_t from, size_t to) {
    std::unordered_map<std::u16string_view, size_t> groupOf;
    std::vector<FolderGroup> groups;
    std::u16string_view lastFolder;
    size_t last = 0;
    for (size_t i = from; i < to; ++i) {
        const std::u16string_view path = paths[i];
        const size_t slash = path.rfind(u'/');
        const std::u16string_view name = slash == std::u16string_view::npos ? path : path.substr(slash + 1);
        if (name.empty()) continue;
        const std::u16string_view folder = slash == std::u16string_view::npos ? u"." : slash == 0 ? u"/" : path.substr(0, slash);
        if (groups.empty() || folder != lastFolder) {
            auto [it, added] = groupOf.try_emplace(folder, groups.size());
            if (added) groups.push_back({ToNative(folder), {}, {}});
            last = it->second;
            lastFolder = folder;
        }
        FolderGroup& g = groups[last];
        const size_t at = g.names.size();
        AppendNative(g.names, name);
        g.wanted.push_back({i, static_cast<uint32_t>(at), static_cast<uint32_t>(g.names.size() - at)});
        g.names.push_back('\0');
    }
    return groups;
}

// Adds the groups of later paths to those of earlier ones: a folder in both
// keeps its names in the order of the paths.
void MergeGroups(std::vector<FolderGroup>& groups, std::vector<FolderGroup>&& later) {
    std::unordered_map<std::string, size_t> groupOf;
    for (size_t k = 0; k < groups.size(); ++k) groupOf.emplace(groups[k].folder, k);
    for (FolderGroup& g : later) {
        auto it = groupOf.find(g.folder);
        if (it == groupOf.end()) {
            groups.push_back(std::move(g));
            continue;
        }
        FolderGroup& into = groups[it->second];
        const size_t base = into.names.size();
        into.names += g.names;
        for (const FolderGroup::Wanted& w : g.wanted)
            into.wanted.push_back({w.index, static_cast<uint32_t>(w.offset + base), w.length});
    }
}

std::vector<EntryState> LookUpStates(const std::vector<std::u16string_view>& paths, FolderReading reading,
                                     int64_t unchangedSince = 0, const std::atomic<int>* cancel = nullptr) {
    std::vector<EntryState> out(paths.size());
    // A large batch is sorted by folder and looked up on two processors.
    const bool shared = paths.size() >= kSharedFrom && std::thread::hardware_concurrency() >= 2;
    std::vector<FolderGroup> groups, later;
    if (shared) {
        const size_t half = paths.size() / 2;
        SideBySide([&] { later = GroupByFolder(paths, half, paths.size()); }, [&] { groups = GroupByFolder(paths, 0, half); });
        MergeGroups(groups, std::move(later));
    } else {
        groups = GroupByFolder(paths, 0, paths.size());
    }
    auto lookUp = [&](size_t from, size_t to) {
        for (size_t k = from; k < to; ++k) {
            if (cancel && cancel->load(std::memory_order_relaxed) != 0) break;
            LookUpInFolder(groups[k], reading, unchangedSince, out, cancel);
        }
    };
    // The folders are independent, and their listings take most of the
    // time of a large batch: a second processor reads about half of them.
    size_t cut = 0;
    if (shared && groups.size() >= 2) {
        size_t share = 0;
        while (cut + 1 < groups.size() && share < paths.size() / 2) share += groups[cut++].wanted.size();
    }
    if (cut > 0) SideBySide([&] { lookUp(0, cut); }, [&] { lookUp(cut, groups.size()); });
    else lookUp(0, groups.size());
    return out;
}

}  // namespace

EntryId LookUpEntryId(const std::u16string& path, int64_t* changeTimeNs) {
    std::string native = ToNative(path);
    struct stat st;
    if (native.empty() || lstat(native.c_str(), &st) != 0) return {};
    if (changeTimeNs) *changeTimeNs = static_cast<int64_t>(st.st_ctim.tv_sec) * 1000000000LL + st.st_ctim.tv_nsec;
    return IdOf(st);
}

std::vector<EntryId> LookUpEntryIds(const std::vector<std::u16string_view>& paths, FolderReading reading,
                                    const std::atomic<int>* cancel) {
    std::vector<EntryState> states = LookUpStates(paths, reading, 0, cancel);
    std::vector<EntryId> out(states.size());
    for (size_t i = 0; i < states.size(); ++i) out[i] = states[i].id;
    return out;
}

std::vector<EntryState> LookUpEntryStates(const std::vector<std::u16string_view>& paths, int64_t sinceNs) {
    return LookUpStates(paths, FolderReading::Never, sinceNs);
}

int64_t WallClockNs() {
    struct timespec t;
    clock_gettime(CLOCK_REALTIME, &t);
    return static_cast<int64_t>(t.tv_sec) * 1000000000LL + t.tv_nsec;
}

uint64_t FolderDevice(const std::u16string& folder) {
    struct stat st;
    std::string native = ToNative(folder);
    if (native.empty() || stat(native.c_str(), &st) != 0) return 0;
    return static_cast<uint64_t>(st.st_dev);
}

FolderStamp LookUpFolderStamp(const std::u16string& folder) {
    std::string native = ToNative(folder);
    struct stat st;
    if (native.empty() || lstat(native.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return {};
    return {IdOf(st), static_cast<int64_t>(st.st_mtim.tv_sec) * 1000000000LL + st.st_mtim.tv_nsec};
}

EntryStamp LookUpStamp(const std::u16string& path) {
    std::string native = ToNative(path);
    struct stat st;
    if (native.empty() || lstat(native.c_str(), &st) != 0) return {};
    EntryStamp s;
    s.id = IdOf(st);
    s.mtimeNs = static_cast<int64_t>(st.st_mtim.tv_sec) * 1000000000LL + st.st_mtim.tv_nsec;
    s.size = static_cast<uint64_t>(st.st_size);
    if (S_ISDIR(st.st_mode)) {
        int fd = open(native.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        s.size = fd >= 0 ? TreeFingerprint(fd, 1) : 0;
        if (fd >= 0) close(fd);
    }
    return s;
}

namespace {

bool SameBytes(int a, int b) {
    std::vector<char> x(1 << 16), y(1 << 16);
    for (;;) {
        ssize_t n = read(a, x.data(), x.size());
        if (n < 0) return false;
        ssize_t got = 0;
        while (got < n) {
            ssize_t m = read(b, y.data() + got, static_cast<size_t>(n - got));
            if (m <= 0) return false;
            got += m;
        }
        if (n == 0) return read(b, y.data(), 1) == 0;
        if (memcmp(x.data(), y.data(), static_cast<size_t>(n)) != 0) return false;
    }
}

std::vector<std::string> NamesIn(int fd) {
    std::vector<std::string> names;
    (void)ListNames(fd, names);  // an unreadable folder compares by its empty listing
    std::sort(names.begin(), names.end());
    return names;
}

bool CopyAt(int copyDir, const char* copy, int originalDir, const char* original, int depth) {
    struct stat c, o;
    if (depth > 64 || fstatat(copyDir, copy, &c, AT_SYMLINK_NOFOLLOW) != 0 ||
        fstatat(originalDir, original, &o, AT_SYMLINK_NOFOLLOW) != 0)
        return false;
    if ((c.st_mode & S_IFMT) != (o.st_mode & S_IFMT) || (c.st_mode & 07777) != (o.st_mode & 07777)) return false;
    if (S_ISLNK(o.st_mode)) {
        char x[4096], y[4096];
        ssize_t n = readlinkat(copyDir, copy, x, sizeof x), m = readlinkat(originalDir, original, y, sizeof y);
        return n >= 0 && n == m && memcmp(x, y, static_cast<size_t>(n)) == 0;
    }
    if (S_ISREG(o.st_mode)) {
        if (c.st_size != o.st_size || c.st_mtim.tv_sec != o.st_mtim.tv_sec || c.st_mtim.tv_nsec != o.st_mtim.tv_nsec)
            return false;
        int a = openat(copyDir, copy, O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK);
        int b = openat(originalDir, original, O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK);
        bool same = a >= 0 && b >= 0 && SameBytes(a, b);
        if (a >= 0) close(a);
        if (b >= 0) close(b);
        return same;
    }
    if (!S_ISDIR(o.st_mode)) return false;
    int a = openat(copyDir, copy, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    int b = openat(originalDir, original, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    bool same = a >= 0 && b >= 0;
    if (same) {
        std::vector<std::string> names = NamesIn(a);
        same = names == NamesIn(b);
        for (size_t i = 0; same && i < names.size(); ++i)
            same = CopyAt(a, names[i].c_str(), b, names[i].c_str(), depth + 1);
    }
    if (a >= 0) close(a);
    if (b >= 0) close(b);
    return same;
}

}  // namespace

bool IsCopyOf(const std::u16string& copy, const std::u16string& original) {
    std::string c = ToNative(copy), o = ToNative(original);
    return !c.empty() && !o.empty() && c != o && CopyAt(AT_FDCWD, c.c_str(), AT_FDCWD, o.c_str(), 0);
}

Result RemoveEntryTree(const std::u16string& path) {
    std::string native = ToNative(path);
    if (native.empty()) return Result(ENOENT);
    return Result(RemoveTreeAt(AT_FDCWD, native.c_str()));
}

Result RemoveEmptyFolder(const std::u16string& path) {
    std::string native = ToNative(path);
    if (native.empty()) return Result(ENOENT);
    return Result(rmdir(native.c_str()) == 0 ? 0 : errno);
}

}  // namespace quirnel
