// What a run and its revert do when the disk is not as the plan saw it: a
// folder swapped for a link during the run, a move across file systems
// killed half-way, a copy whose original is gone, a killed copy's leftover.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <filesystem>
#include <map>

#include "apply/ApplyChanges.h"
#include "apply/ApplyTestSupport.h"
#include "apply/Journal.h"
#include "apply/Revert.h"
#include "platform/NativeText.h"
#include "platform/PosixFiles.h"

using namespace quirnel;
using namespace quirnel::test;
namespace fs = std::filesystem;

namespace {

std::string Lines(const std::vector<std::string>& log, const std::string& prefix) {
    std::string out;
    for (const auto& l : log)
        if (l.rfind(prefix, 0) == 0) out += l + "\n";
    return out;
}

// A second file system beside /tmp, or empty.
std::string OtherFileSystem() {
    struct stat a, s;
    if (stat("/tmp", &a) != 0 || stat("/dev/shm", &s) != 0 || a.st_dev == s.st_dev) return {};
    return "/dev/shm";
}

EntryId IdOf(const std::string& path) { return LookUpEntryId(FromNative(path)); }

}  // namespace

// After the first rows, "sub" becomes a link to a folder outside that holds
// files of the same names, and "dest" (a new folder of a row) one to
// another; the rows that follow must reach neither.
TEST(DiskFaults, AFolderSwappedForALinkDuringTheRunIsNeverFollowed) {
    ApplyBench b;
    b.KeepJournals();
    TempDir outside;
    for (const char* f : {"a1", "a2", "blocker", "taken", "sub/f1", "sub/f2", "sub/f3", "m", "dest/keep"}) b.dir.file(f, f);
    for (const char* f : {"f1", "f2", "f3", "m"}) outside.file(std::string("out/") + f, "outside");
    ASSERT_EQ(symlink((outside / "out").c_str(), (b.dir / "ln").c_str()), 0);
    // The list's first rows are reached through a link in their paths, as
    // through a home folder that is a link: that must keep working.
    ASSERT_EQ(symlink(b.dir.path().c_str(), (outside / "via").c_str()), 0);
    const std::map<std::string, std::string> before = Tree(b.dir.path());
    AddPathList(b.ws, {FromNative(outside / "via/a1"), FromNative(outside / "via/a2")});
    b.Add({"ln", "blocker", "sub/f1", "sub/f2", "sub/f3", "m"});
    b.Propose(0, "b1");
    b.Propose(1, "b2");
    b.Propose(2, "ln2");  // a link in the list is renamed itself
    b.Propose(3, "taken");
    for (int r = 4; r < 7; ++r) b.Propose(r, "g" + std::to_string(r - 3));
    b.Propose(7, "m2", "dest");
    b.host.onLog = [&](const std::u16string& line) {
        if (Utf8(line).rfind("Failed to change: blocker", 0) != 0) return;
        fs::rename(b.dir / "sub", b.dir / "sub.away");
        fs::create_directory_symlink(outside / "out", b.dir / "sub");
        fs::rename(b.dir / "dest", b.dir / "dest.away");
        fs::create_directory_symlink(outside / "out", b.dir / "dest");
    };
    ApplyOutcome run = ApplyChanges(b.ws, ApplyType::Originals);
    b.host.onLog = nullptr;
    EXPECT_EQ(run.counts.changed, 3);
    EXPECT_EQ(Content(b.dir / "b1"), "a1");
    EXPECT_EQ(Content(b.dir / "ln2/f1"), "outside");
    const std::map<std::string, std::string> outsideFiles = {
        {"f1", "outside"}, {"f2", "outside"}, {"f3", "outside"}, {"m", "outside"}};
    EXPECT_EQ(Tree(outside / "out"), outsideFiles) << "nothing outside was renamed or moved in";
    EXPECT_EQ(Content(b.dir / "sub.away/f1"), "sub/f1");
    EXPECT_EQ(Content(b.dir / "m"), "m");
    const std::string why = " (Its folder is no longer the folder of the list (replaced by a link?))\n";
    EXPECT_EQ(Lines(b.Log(), "Failed to change: f") + Lines(b.Log(), "Failed to change: m"),
              "Failed to change: f1" + why + "Failed to change: f2" + why + "Failed to change: f3" + why +
                  "Failed to change: m" + why);

    fs::remove(b.dir / "sub");
    fs::rename(b.dir / "sub.away", b.dir / "sub");
    fs::remove(b.dir / "dest");
    fs::rename(b.dir / "dest.away", b.dir / "dest");
    RevertOutcome r = RevertJournal(run.journal, b.app.flags.journal, b.host);
    EXPECT_EQ(r.reverted, 3);
    EXPECT_EQ(r.skipped, 0);
    EXPECT_EQ(Tree(b.dir.path()), before);
    EXPECT_EQ(Tree(outside / "out"), outsideFiles);
}

// The states a kill can leave a move across file systems in, once the
// copy's identity is in the journal: the copy not yet named, named beside
// the source, or the source removed. Revert leaves one file, at its old name.
TEST(DiskFaults, AKilledMoveAcrossFileSystemsRevertsFromEveryState) {
    const std::string other = OtherFileSystem();
    if (other.empty()) GTEST_SKIP() << "no second file system (/dev/shm) beside /tmp";
    enum class State { Unnamed, Beside, SourceGone };
    for (State state : {State::Unnamed, State::Beside, State::SourceGone}) {
        SCOPED_TRACE(static_cast<int>(state));
        ApplyBench b;
        TempDir far(other);
        const std::string from = b.dir.file("a.txt", "A"), to = far / "a.txt";
        const EntryId original = IdOf(from);
        std::string made = far.file("made", "A");  // stands for the copy, made before it had its name
        const EntryId copy = IdOf(made);
        if (state == State::Unnamed) fs::remove(made);
        else fs::rename(made, to);
        if (state == State::SourceGone) fs::remove(from);
        const std::u16string journal = b.state.u16("run.journal");
        {
            JournalWriter w;
            ASSERT_TRUE(w.create(journal, JournalKind::Rename));
            w.step(original, false, FromNative(from), FromNative(to));
            ASSERT_TRUE(w.seal());
            ASSERT_TRUE(w.movedDurably(0, copy));
        }  // no end: killed

        RevertOutcome r = RevertJournal(journal, {}, b.host);
        EXPECT_EQ(r.skipped, 0) << Utf8(b.host.log.back());
        EXPECT_EQ(Content(from), "A");
        if (state != State::SourceGone) {
            EXPECT_EQ(IdOf(from), original) << "the source itself was kept";
        }
        EXPECT_FALSE(OnDisk(to));
        EXPECT_EQ(Lines(b.Log(), "Removed the copy").empty(), state != State::Beside);
    }
}

TEST(DiskFaults, ACopyIsRemovedOnlyWhileItsOriginalStays) {
    ApplyBench b;
    b.KeepJournals();
    b.dir.file("kept", "k");
    b.dir.file("gone", "g");
    b.dir.file("tree/in", "t");
    b.Add({"kept", "gone", "tree"});
    b.Propose(0, "kept-copy");
    b.Propose(1, "gone-copy");
    b.Propose(2, "tree-copy");
    ApplyOutcome run = ApplyChanges(b.ws, ApplyType::Copies);
    ASSERT_EQ(run.counts.changed, 3);
    fs::remove(b.dir / "gone");
    fs::rename(b.dir / "tree", b.dir / "tree-moved");
    fs::create_directory(b.dir / "tree");  // another folder under the original's name

    RevertOutcome r = RevertJournal(run.journal, b.app.flags.journal, b.host);
    EXPECT_EQ(r.reverted, 1);
    EXPECT_EQ(r.skipped, 2);  // which makes quirnel-cli --revert exit 1
    EXPECT_FALSE(OnDisk(b.dir / "kept-copy"));
    EXPECT_EQ(Content(b.dir / "gone-copy"), "g");
    EXPECT_EQ(Content(b.dir / "tree-copy/in"), "t");
    const std::string why = " (Kept: its original is gone or another entry, so this copy may be the last one)\n";
    EXPECT_EQ(Lines(b.Log(), "Failed to revert"),
              "Failed to revert: " + (b.dir / "tree-copy") + why + "Failed to revert: " + (b.dir / "gone-copy") + why);
}

// A copy killed before its journal said so: a copy under its final name that
// is exactly a copy of its original goes; a hidden partial one goes, and is
// named in the log; one still locked by a live run stays and is counted.
TEST(DiskFaults, WhatAKilledCopyLeftIsRemovedAndReported) {
    ApplyBench b;
    const std::string file = b.dir.file("file", "data"), tree = b.dir.file("tree/in", "x");
    // A finished copy of "tree" under its final name, as a folder copy makes it.
    fs::copy(b.dir / "tree", b.dir / "done", fs::copy_options::recursive);
    struct stat st;
    ASSERT_EQ(stat(tree.c_str(), &st), 0);
    struct timespec times[2] = {st.st_atim, st.st_mtim};
    ASSERT_EQ(utimensat(AT_FDCWD, (b.dir / "done/in").c_str(), times, 0), 0);
    const std::string partTree = b.dir / posix::TemporaryNameFor(b.dir / "tree-copy");
    const std::string partFile = b.dir / posix::TemporaryNameFor(b.dir / "file-copy");
    b.dir.file(partTree.substr(b.dir.path().size() + 1) + "/in", "x");
    b.dir.file(partFile.substr(b.dir.path().size() + 1), "da");
    const int lock = open(partFile.c_str(), O_RDONLY);  // a run still writing it
    ASSERT_EQ(flock(lock, LOCK_EX), 0);

    const std::u16string journal = b.state.u16("copy.journal");
    {
        JournalWriter w;
        ASSERT_TRUE(w.create(journal, JournalKind::Copy));
        w.step(IdOf(b.dir / "tree"), true, b.dir.u16("tree"), b.dir.u16("tree-copy"));
        w.step(IdOf(file), false, FromNative(file), b.dir.u16("file-copy"));
        w.step(IdOf(b.dir / "tree"), true, b.dir.u16("tree"), b.dir.u16("done"));
        ASSERT_TRUE(w.seal());
        ASSERT_TRUE(w.begin(0));
        ASSERT_TRUE(w.begin(1));
        ASSERT_TRUE(w.begin(2));
    }
    RevertOutcome r = RevertJournal(journal, {}, b.host);
    close(lock);
    EXPECT_EQ(r.reverted, 1);
    EXPECT_EQ(r.left, 1);
    EXPECT_FALSE(OnDisk(b.dir / "done"));
    EXPECT_FALSE(OnDisk(partTree));
    EXPECT_TRUE(OnDisk(partFile));
    EXPECT_EQ(Content(b.dir / "tree/in"), "x");
    EXPECT_EQ(Content(file), "data");
    EXPECT_EQ(Lines(b.Log(), "Removed what") + Lines(b.Log(), "Left what"),
              "Removed what an interrupted earlier run left behind: " + partTree + "\n" +
                  "Left what an interrupted run may have made, as it is in use or not ours: " + partFile + "\n");
}

// An entry saved anew under its name after its folder was listed (a new
// inode, as an editor's safe save leaves it): the folder's stamp changed, so
// the run looks the entry up and renames it as it is now. With the stamp
// put back by hand, the listed inode is trusted and is stale: the check
// before the move refuses that row rather than move another entry. Either
// way the journal holds the entries that moved, as the revert proves.
TEST(DiskFaults, AnEntryReplacedAfterItsFolderWasListedIsLookedUpOrRefused) {
    for (const bool stampPutBack : {false, true}) {
        SCOPED_TRACE(stampPutBack ? "stamp put back" : "stamp changed");
        ApplyBench b;
        b.KeepJournals();
        b.app.settings.LoadType = 1;
        for (const char* f : {"card/a", "card/b", "card/c"}) b.dir.file(f, f);
        b.Add({"card"});
        ASSERT_EQ(b.ws.list.size(), 3);
        for (int r = 0; r < 3; ++r) b.ws.list.setNewName(r, std::u16string(b.ws.list.oldName(r)) + u"2");
        struct stat folder;
        ASSERT_EQ(stat((b.dir / "card").c_str(), &folder), 0);
        b.dir.file("card/b.new", "new");
        fs::rename(b.dir / "card/b.new", b.dir / "card/b");
        if (stampPutBack) {
            const struct timespec times[2] = {folder.st_atim, folder.st_mtim};
            ASSERT_EQ(utimensat(AT_FDCWD, (b.dir / "card").c_str(), times, AT_SYMLINK_NOFOLLOW), 0);
        }
        ApplyOutcome run = ApplyChanges(b.ws, ApplyType::Originals);
        EXPECT_EQ(Content(b.dir / "card/a2"), "card/a");
        EXPECT_EQ(Content(b.dir / "card/c2"), "card/c");
        if (stampPutBack) {
            EXPECT_EQ(run.counts.changed, 2);
            EXPECT_EQ(Content(b.dir / "card/b"), "new");
            EXPECT_EQ(Lines(b.Log(), "Failed to change: b"),
                      "Failed to change: b (No longer the entry of the list)\n");
        } else {
            EXPECT_EQ(run.counts.changed, 3);
            EXPECT_EQ(Content(b.dir / "card/b2"), "new");
        }
        RevertOutcome r = RevertJournal(run.journal, b.app.flags.journal, b.host);
        EXPECT_EQ(r.reverted, run.counts.changed);
        EXPECT_EQ(r.skipped, 0);
        const std::map<std::string, std::string> back = {{"a", "card/a"}, {"b", "new"}, {"c", "card/c"}};
        EXPECT_EQ(Tree(b.dir / "card"), back);
    }
}
