#include "platform/FileOps.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <functional>
#include <thread>

#include "../TestSupport.h"
#include "platform/EntryIds.h"
#include "platform/PosixFiles.h"

using namespace quirnel;
using quirnel::test::TempDir;

namespace {

bool Exists(const std::string& path) {
    struct stat st;
    return lstat(path.c_str(), &st) == 0;
}

std::string Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

bool IsFile(const std::string& path) {
    struct stat st;
    return lstat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

size_t EntryCount(const std::string& folder) {
    size_t n = 0;
    for ([[maybe_unused]] auto& e : std::filesystem::directory_iterator(folder)) ++n;
    return n;
}

struct stat StatOf(const std::string& path) {
    struct stat st {};
    lstat(path.c_str(), &st);
    return st;
}

void SetTimes(const std::string& path, time_t mtime) {
    struct timespec t[2] = {{mtime, 0}, {mtime, 0}};
    utimensat(AT_FDCWD, path.c_str(), t, AT_SYMLINK_NOFOLLOW);
}

std::u16string U(const std::string& native) { return FromNative(native); }

// A second temporary folder on another file system, when the machine has one.
struct OtherFileSystem {
    OtherFileSystem() {
        struct stat a, b;
        if (stat("/dev/shm", &b) != 0 || stat("/tmp", &a) != 0 || a.st_dev == b.st_dev) return;
        char tmpl[] = "/dev/shm/quirnel-test-XXXXXX";
        if (mkdtemp(tmpl)) path = tmpl;
    }
    ~OtherFileSystem() {
        std::error_code ec;
        if (!path.empty()) std::filesystem::remove_all(path, ec);
    }
    std::string path;
};

}  // namespace

// Every refused move leaves source and target exactly as they were.
TEST(FileOpsMove, RefusedMovesChangeNothing) {
    struct Case {
        const char* what;
        std::function<void(const TempDir&)> setUp;
        std::string from, to;
        int error;
    };
    const std::string longName(256, 'n');
    const std::vector<Case> cases = {
        {"existing file", [](const TempDir& d) { d.file("b.txt", "keep"); }, "a.txt", "b.txt", EEXIST},
        {"existing folder", [](const TempDir& d) { d.folder("b"); }, "a.txt", "b", EEXIST},
        {"missing source", [](const TempDir&) {}, "missing.txt", "b.txt", ENOENT},
        {"parent is a file", [](const TempDir& d) { d.file("p", "x"); }, "a.txt", "p/b.txt", ENOTDIR},
        {"name too long", [](const TempDir&) {}, "a.txt", longName, ENAMETOOLONG},
        {"missing parent", [](const TempDir&) {}, "a.txt", "no/b.txt", ENOENT},
    };
    // Through folder handles the outcome must be the paths' own.
    FolderHandles handles;
    for (bool throughHandles : {false, true}) {
        for (const Case& c : cases) {
            TempDir d;
            d.file("a.txt", "data");
            c.setUp(d);
            std::string targetBefore = IsFile(d / c.to) ? Read(d / c.to) : "";
            int e = (throughHandles ? MoveEntry(U(d / c.from), U(d / c.to), handles) : MoveEntry(U(d / c.from), U(d / c.to))).error;
            EXPECT_EQ(e, c.error) << c.what << (throughHandles ? " (handles)" : "");
            EXPECT_EQ(Read(d / "a.txt"), "data") << c.what;
            if (IsFile(d / c.to)) {
                EXPECT_EQ(Read(d / c.to), targetBefore) << c.what;
            }
            EXPECT_FALSE(ErrorText(c.error).empty());
        }
    }
}

// A handle must never reach a folder its path no longer names: after the
// folder moved, a move by its old path fails as it would without handles.
// Two moves in a folder in a row open its handle.
TEST(FileOpsMove, HandlesOfAMovedFolderAreNotUsed) {
    TempDir d;
    d.file("f/sub/a", "A");
    d.file("f/sub/b", "B");
    d.file("f/c", "C");
    d.file("l/x", "X");
    FolderHandles handles;
    EXPECT_EQ(MoveEntry(U(d / "f/sub/a"), U(d / "f/sub/a2"), handles).error, 0);
    EXPECT_EQ(MoveEntry(U(d / "f/sub/a2"), U(d / "f/sub/a3"), handles).error, 0);
    EXPECT_EQ(MoveEntry(U(d / "f/c"), U(d / "f/sub/c"), handles).error, 0);  // one folder by handle, one by path
    EXPECT_EQ(MoveEntry(U(d / "f/sub/c"), U(d / "f/c2"), handles).error, 0);
    EXPECT_EQ(MoveEntry(U(d / "f/sub"), U(d / "f/moved"), handles).error, 0);  // both by handle
    EXPECT_EQ(MoveEntry(U(d / "f/sub/b"), U(d / "f/sub/b2"), handles).error, ENOENT);
    EXPECT_EQ(MoveEntry(U(d / "f"), U(d / "h"), handles).error, 0);
    EXPECT_EQ(Read(d / "h/moved/b"), "B");
    EXPECT_EQ(Read(d / "h/c2"), "C");

    // Reached through a link, a folder's handle survives the move by the
    // path of the link's target; forgetting them all is what a caller that
    // moves a folder does.
    EXPECT_EQ(symlink((d / "l").c_str(), (d / "link2").c_str()), 0);
    EXPECT_EQ(MoveEntry(U(d / "link2/x"), U(d / "link2/x2"), handles).error, 0);
    EXPECT_EQ(MoveEntry(U(d / "link2/x2"), U(d / "link2/x3"), handles).error, 0);
    EXPECT_EQ(MoveEntry(U(d / "l"), U(d / "m"), handles).error, 0);
    handles.forget();
    EXPECT_EQ(MoveEntry(U(d / "link2/x3"), U(d / "link2/x4"), handles).error, ENOENT);
    EXPECT_EQ(Read(d / "h/moved/a3"), "A");
    EXPECT_EQ(Read(d / "m/x3"), "X");
}

// Moves out of one folder into more folders than there are handles: the
// source's handle must stay the source's, or a file of the same name in a
// target folder would be the one renamed.
TEST(FileOpsMove, ManyTargetFoldersNeverBorrowTheSourcesHandle) {
    TempDir d;
    constexpr int kFolders = 20;
    FolderHandles handles;
    for (int i = 0; i < kFolders; ++i)
        for (const char* kind : {"a", "b"}) {
            const std::string name = kind + std::to_string(i);
            d.file("src/" + name, "moved");
            d.file("t" + std::to_string(i) + "/" + name, "decoy");
        }
    for (int i = 0; i < kFolders; ++i)
        for (bool checked : {false, true}) {
            const std::string name = (checked ? "b" : "a") + std::to_string(i), to = "t" + std::to_string(i) + "/";
            const std::u16string from = U(d / "src/" + name), target = U(d / to + "g" + name);
            Result r = checked ? MoveEntry(from, target, handles, {}, LookUpEntryId(from)) : MoveEntry(from, target, handles);
            EXPECT_EQ(r.error, 0) << name;
            EXPECT_EQ(Read(d / to + name), "decoy") << name;
            EXPECT_EQ(Read(d / to + "g" + name), "moved") << name;
        }
}

TEST(FileOpsMove, RenamesAndMovesFilesAndFolders) {
    TempDir d;
    d.file("a.txt", "A");
    d.file("f/inner.txt", "I");
    d.folder("dest");
    EXPECT_EQ(MoveEntry(U(d / "a.txt"), U(d / "dest/b.txt")).error, 0);
    EXPECT_EQ(MoveEntry(U(d / "f"), U(d / "dest/g")).error, 0);
    EXPECT_EQ(Read(d / "dest/b.txt"), "A");
    EXPECT_EQ(Read(d / "dest/g/inner.txt"), "I");
    EXPECT_FALSE(Exists(d / "a.txt"));
    EXPECT_FALSE(Exists(d / "f"));
}

TEST(FileOpsMove, CaseOnlyRenameAndNamesThatAreNotUtf8) {
    TempDir d;
    d.file("a.txt", "A");
    EXPECT_EQ(MoveEntry(U(d / "a.txt"), U(d / "A.txt")).error, 0);
    EXPECT_EQ(Read(d / "A.txt"), "A");
    EXPECT_FALSE(Exists(d / "a.txt"));

    std::string raw = d / "caf\xe9-\xff.txt";  // Latin-1 bytes
    d.file("caf\xe9-\xff.txt", "L");
    std::u16string from = U(raw);
    std::u16string to = from.substr(0, from.size() - 4) + u".dat";
    EXPECT_EQ(MoveEntry(from, to).error, 0);
    EXPECT_EQ(Read(d / "caf\xe9-\xff.dat"), "L");
}

TEST(FileOpsMove, NulInsideANameIsRefused) {
    TempDir d;
    d.file("a.txt", "A");
    d.file("b", "B");
    std::u16string to = U(d / "b") + std::u16string(1, u'\0') + u"x";
    EXPECT_EQ(MoveEntry(U(d / "a.txt"), to).error, EINVAL);
    EXPECT_EQ(Read(d / "b"), "B");
    EXPECT_EQ(Read(d / "a.txt"), "A");
}

// The equivalents used where the no-replace flag is refused.
TEST(FileOpsMove, FallbacksNeverReplace) {
    using Fn = Result (*)(const std::string&, const std::string&);
    for (Fn move : {Fn(fileops_detail::MoveByLink), Fn(fileops_detail::MoveChecked), Fn(fileops_detail::MoveThroughFreeName)}) {
        TempDir d;
        d.file("a", "A");
        d.file("b", "B");
        EXPECT_EQ(move(d / "a", d / "b").error, EEXIST);
        EXPECT_EQ(Read(d / "a"), "A");
        EXPECT_EQ(Read(d / "b"), "B");
        EXPECT_EQ(move(d / "a", d / "c").error, 0);
        EXPECT_EQ(Read(d / "c"), "A");
        EXPECT_FALSE(Exists(d / "a"));
        EXPECT_EQ(EntryCount(d.path()), 2u);
    }
}

// Two names of one entry look like a case-only rename on a case-sensitive
// file system; the detour through a free name must come back intact.
TEST(FileOpsMove, HardLinkedTargetIsNotReplacedByTheTwoStepRename) {
    TempDir d;
    d.file("a", "A");
    ASSERT_EQ(link((d / "a").c_str(), (d / "b").c_str()), 0);
    EXPECT_EQ(MoveEntry(U(d / "a"), U(d / "b")).error, EEXIST);
    EXPECT_TRUE(Exists(d / "a"));
    EXPECT_TRUE(Exists(d / "b"));
    EXPECT_EQ(EntryCount(d.path()), 2u);
}

TEST(FileOpsMove, AcrossFileSystemsAFileMovesAndAFolderFails) {
    OtherFileSystem other;
    if (other.path.empty()) GTEST_SKIP() << "no second file system beside /tmp";
    TempDir d;
    d.file("a.txt", "content");
    chmod((d / "a.txt").c_str(), 0640);
    SetTimes(d / "a.txt", 1000000000);
    symlink("a.txt", (d / "link").c_str());
    d.file("f/inner", "I");

    EXPECT_EQ(MoveEntry(U(d / "a.txt"), U(other.path + "/a.txt")).error, 0);
    EXPECT_FALSE(Exists(d / "a.txt"));
    EXPECT_EQ(Read(other.path + "/a.txt"), "content");
    EXPECT_EQ(StatOf(other.path + "/a.txt").st_mode & 07777, 0640u);
    EXPECT_EQ(StatOf(other.path + "/a.txt").st_mtime, 1000000000);

    EXPECT_EQ(MoveEntry(U(d / "link"), U(other.path + "/link")).error, 0);
    EXPECT_TRUE(S_ISLNK(StatOf(other.path + "/link").st_mode));

    EXPECT_EQ(MoveEntry(U(d / "f"), U(other.path + "/f")).error, EXDEV);
    EXPECT_EQ(Read(d / "f/inner"), "I");
    EXPECT_FALSE(Exists(other.path + "/f"));

    // A stopped move leaves the source whole and nothing on the other side.
    d.file("big", std::string(8 * 1024 * 1024, 'b'));
    std::atomic<int> stop{0};
    CopyControl control(&stop);
    control.progress = [&](uint64_t, uint64_t) { stop = 1; };
    EXPECT_EQ(MoveEntry(U(d / "big"), U(other.path + "/big"), control).error, ECANCELED);
    EXPECT_EQ(StatOf(d / "big").st_size, 8 * 1024 * 1024);
    EXPECT_FALSE(Exists(other.path + "/big"));

    // An existing target on the other side is never replaced.
    d.file("b.txt", "new");
    std::ofstream(other.path + "/b.txt") << "old";
    EXPECT_EQ(MoveEntry(U(d / "b.txt"), U(other.path + "/b.txt")).error, EEXIST);
    EXPECT_EQ(Read(other.path + "/b.txt"), "old");
    EXPECT_EQ(Read(d / "b.txt"), "new");
}

TEST(FileOpsCopy, KeepsContentPermissionsAndTimeAndNeverOverwrites) {
    TempDir d;
    std::string big(3 * 1024 * 1024 + 17, 'x');
    for (size_t i = 0; i < big.size(); i += 4093) big[i] = static_cast<char>('a' + i % 26);
    d.file("a.bin", big);
    chmod((d / "a.bin").c_str(), 0604);
    SetTimes(d / "a.bin", 1234567890);
    d.file("exists.bin", "keep");

    EXPECT_EQ(CopyFileExclusive(U(d / "a.bin"), U(d / "b.bin")).error, 0);
    EXPECT_EQ(Read(d / "b.bin"), big);
    EXPECT_EQ(StatOf(d / "b.bin").st_mode & 07777, 0604u);
    EXPECT_EQ(StatOf(d / "b.bin").st_mtime, 1234567890);
    EXPECT_EQ(Read(d / "a.bin"), big);

    EXPECT_EQ(CopyFileExclusive(U(d / "a.bin"), U(d / "exists.bin")).error, EEXIST);
    EXPECT_EQ(Read(d / "exists.bin"), "keep");
    EXPECT_EQ(CopyFileExclusive(U(d / "missing"), U(d / "c.bin")).error, ENOENT);
    d.folder("dir");
    EXPECT_EQ(CopyFileExclusive(U(d / "dir"), U(d / "dir2")).error, EISDIR);
    EXPECT_FALSE(Exists(d / "c.bin"));
    EXPECT_FALSE(Exists(d / "dir2"));
}

TEST(FileOpsCopy, ALinkIsCopiedAsALink) {
    TempDir d;
    d.file("target", "T");
    symlink("target", (d / "l").c_str());
    EXPECT_EQ(CopyFileExclusive(U(d / "l"), U(d / "l2")).error, 0);
    EXPECT_TRUE(S_ISLNK(StatOf(d / "l2").st_mode));
    EXPECT_EQ(std::filesystem::read_symlink(d / "l2"), "target");
}

// Both routes: the unnamed file, and the hidden name used where a file system
// has no unnamed files.
using CopyRoute = std::function<Result(const std::string&, const std::string&, const CopyControl&)>;
const std::vector<std::pair<const char*, CopyRoute>> kCopyRoutes = {
    {"unnamed file", [](const std::string& a, const std::string& b, const CopyControl& c) {
         return CopyFileExclusive(U(a), U(b), c);
     }},
    {"hidden name", [](const std::string& a, const std::string& b, const CopyControl& c) {
         return fileops_detail::CopyThroughNamedTemporary(a, b, c);
     }},
};

// While the data is written nothing shows under the target's name; a stop
// leaves the folder as it was.
TEST(FileOpsCopy, NoPartialFileUnderTheNameAndAStopLeavesNothing) {
    for (const auto& [route, copy] : kCopyRoutes) {
        TempDir d;
        const std::string big(16 * 1024 * 1024, 'z');
        d.file("src/big", big);
        d.folder("out");
        std::atomic<int> stop{0};
        uint64_t seen = 0;
        bool targetSeen = false;
        CopyControl control(&stop);
        control.progress = [&](uint64_t copied, uint64_t total) {
            seen = copied;
            EXPECT_EQ(total, big.size());
            targetSeen = targetSeen || Exists(d / "out/copy");
            if (copied >= total / 2) stop = 1;  // as the Stop button would, while the copy runs
        };
        EXPECT_EQ(copy(d / "src/big", d / "out/copy", control).error, ECANCELED) << route;
        EXPECT_FALSE(targetSeen) << route;
        EXPECT_GT(seen, 0u) << route;
        EXPECT_LT(seen, big.size()) << route;
        EXPECT_EQ(EntryCount(d / "out"), 0u) << route;

        stop = 0;
        control.progress = [&](uint64_t, uint64_t) { targetSeen = targetSeen || Exists(d / "out/copy"); };
        EXPECT_EQ(copy(d / "src/big", d / "out/copy", control).error, 0) << route;
        EXPECT_FALSE(targetSeen) << route;
        EXPECT_EQ(Read(d / "out/copy"), big) << route;
        EXPECT_EQ(EntryCount(d / "out"), 1u) << route;
        EXPECT_EQ(copy(d / "src/big", d / "out/copy", control).error, EEXIST) << route;
    }
}

TEST(FileOpsCopy, StopFromAnotherThread) {
    TempDir d;
    d.file("big", std::string(64 * 1024 * 1024, 'z'));
    std::atomic<int> stop{0};
    std::atomic<bool> started{false};
    std::thread stopper([&] {
        while (!started) std::this_thread::yield();
        stop = 1;
    });
    CopyControl control(&stop);
    control.progress = [&](uint64_t, uint64_t) {
        started = true;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    };
    int e = CopyFileExclusive(U(d / "big"), U(d / "copy"), control).error;
    stopper.join();
    EXPECT_EQ(e, ECANCELED);
    EXPECT_FALSE(Exists(d / "copy"));
}

// A killed run leaves its hidden temporary; the next copy to the same target
// removes it and says so. One that a live run holds is left alone.
TEST(FileOpsCopy, ALeftoverTemporaryIsRemovedAndReportedALiveOneIsNot) {
    TempDir d;
    d.file("a.txt", "data");
    const std::string leftover = d / posix::TemporaryNameFor(d / "b.txt");
    d.file(posix::NameIn(leftover), "partial");
    std::vector<std::u16string> reported;
    CopyControl control;
    control.leftoverRemoved = [&](const std::u16string& path) { reported.push_back(path); };
    EXPECT_EQ(fileops_detail::CopyThroughNamedTemporary(d / "a.txt", d / "b.txt", control).error, 0);
    EXPECT_EQ(reported, std::vector<std::u16string>{U(leftover)});
    EXPECT_FALSE(Exists(leftover));
    EXPECT_EQ(Read(d / "b.txt"), "data");

    const std::string live = d / posix::TemporaryNameFor(d / "c.txt");
    d.file(posix::NameIn(live), "another run's");
    int held = open(live.c_str(), O_RDONLY);
    ASSERT_EQ(flock(held, LOCK_EX), 0);
    reported.clear();
    EXPECT_EQ(fileops_detail::CopyThroughNamedTemporary(d / "a.txt", d / "c.txt", control).error, 0);
    close(held);
    EXPECT_TRUE(reported.empty());
    EXPECT_EQ(Read(live), "another run's");
    EXPECT_EQ(Read(d / "c.txt"), "data");
}

TEST(FileOpsCopyFolder, CopiesATreeAndRefusesAnExistingTarget) {
    TempDir d;
    d.file("src/a.txt", "A");
    d.file("src/sub/b.txt", "B");
    d.folder("src/empty");
    symlink("a.txt", (d / "src/l").c_str());
    chmod((d / "src/sub").c_str(), 0750);
    SetTimes(d / "src/sub", 1111111111);
    d.file("taken/own.txt", "own");

    EXPECT_EQ(CopyFolderTree(U(d / "src"), U(d / "dst")).error, 0);
    EXPECT_EQ(Read(d / "dst/a.txt"), "A");
    EXPECT_EQ(Read(d / "dst/sub/b.txt"), "B");
    EXPECT_TRUE(std::filesystem::is_directory(d / "dst/empty"));
    EXPECT_TRUE(S_ISLNK(StatOf(d / "dst/l").st_mode));
    EXPECT_EQ(StatOf(d / "dst/sub").st_mode & 07777, 0750u);
    EXPECT_EQ(StatOf(d / "dst/sub").st_mtime, 1111111111);

    EXPECT_EQ(CopyFolderTree(U(d / "src"), U(d / "taken")).error, EEXIST);
    EXPECT_EQ(EntryCount(d / "taken"), 1u);
    EXPECT_EQ(Read(d / "taken/own.txt"), "own");
    EXPECT_EQ(CopyFolderTree(U(d / "src/a.txt"), U(d / "x")).error, ENOTDIR);
}

TEST(FileOpsCopyFolder, AFailedOrStoppedCopyRemovesWhatItCreated) {
    TempDir d;
    d.file("src/a.txt", "A");
    d.file("src/sub/b.txt", "B");
    ASSERT_EQ(mkfifo((d / "src/sub/pipe").c_str(), 0600), 0);
    EXPECT_EQ(CopyFolderTree(U(d / "src"), U(d / "dst")).error, EOPNOTSUPP);
    EXPECT_FALSE(Exists(d / "dst"));

    std::atomic<int> stop{1};
    EXPECT_EQ(CopyFolderTree(U(d / "src"), U(d / "dst"), &stop).error, ECANCELED);
    EXPECT_FALSE(Exists(d / "dst"));
    EXPECT_EQ(EntryCount(d.path()), 1u) << "no hidden folder stays";
}

// The tree is built out of sight and appears whole; a killed run's hidden
// folder is removed by the next copy to the same target.
TEST(FileOpsCopyFolder, TheTargetAppearsOnlyWhenCompleteAndALeftoverIsRemoved) {
    TempDir d;
    d.file("src/a.bin", std::string(3 * 1024 * 1024, 'a'));
    d.file("src/sub/b.txt", "B");
    const std::string leftover = d / posix::TemporaryNameFor(d / "dst");
    d.file(posix::NameIn(leftover) + "/half/x", "partial");
    chmod((leftover + "/half").c_str(), 0500);
    std::vector<std::u16string> reported;
    bool targetSeen = false;
    CopyControl control;
    control.progress = [&](uint64_t, uint64_t) { targetSeen = targetSeen || Exists(d / "dst"); };
    control.leftoverRemoved = [&](const std::u16string& path) { reported.push_back(path); };
    EXPECT_EQ(CopyFolderTree(U(d / "src"), U(d / "dst"), control).error, 0);
    EXPECT_FALSE(targetSeen);
    EXPECT_EQ(reported, std::vector<std::u16string>{U(leftover)});
    EXPECT_EQ(Read(d / "dst/sub/b.txt"), "B");
    EXPECT_EQ(EntryCount(d.path()), 2u);
}

TEST(FileOpsCopyFolder, ATargetInsideItsSourceIsNotCopiedIntoItself) {
    TempDir d;
    d.file("src/a.txt", "A");
    EXPECT_EQ(CopyFolderTree(U(d / "src"), U(d / "src/copy")).error, 0);
    EXPECT_EQ(Read(d / "src/copy/a.txt"), "A");
    EXPECT_FALSE(Exists(d / "src/copy/copy"));
}

TEST(FileOpsFolder, CreateFolderReportsAnExistingEntry) {
    TempDir d;
    EXPECT_EQ(CreateFolder(U(d / "new")).error, 0);
    EXPECT_EQ(CreateFolder(U(d / "new")).error, EEXIST);
    d.file("file", "x");
    EXPECT_EQ(CreateFolder(U(d / "file/sub")).error, ENOTDIR);
}
