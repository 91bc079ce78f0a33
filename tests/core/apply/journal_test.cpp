// The journal file itself: its checksums, what a crash leaves of it, the
// paths it may name, and what it must never be read from.
#include "apply/Journal.h"

#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <functional>
#include <future>

#include "apply/ApplyChanges.h"
#include "apply/ApplyTestSupport.h"
#include "apply/JournalFiles.h"
#include "apply/JournalTestSupport.h"
#include "apply/Revert.h"
#include "platform/EntryIds.h"
#include "platform/FileContent.h"
#include "platform/NativeText.h"
#include "cli/CliTestSupport.h"

#ifdef QUIRNEL_HAS_CLI

using namespace quirnel;
using namespace quirnel::test;

namespace {

// Renames in place and a move into a new folder: a plan batch, a batch
// with the folder, a last batch with the end.
struct RunWithBatches {
    RunWithBatches() {
        b.KeepJournals();
        for (const char* f : {"a", "b", "m"}) b.dir.file(f, f);
        before = Tree(b.dir.path());
        b.Add({"a", "b", "m"});
        b.Propose(0, "a2");
        b.Propose(1, "b2");
        b.Propose(2, "m", "new");
        run = ApplyChanges(b.ws, ApplyType::Originals);
        after = Tree(b.dir.path());
        text = Content(ToNative(run.journal));
    }
    void Rewrite(const std::string& bytes) { ASSERT_TRUE(ReplaceFileContent(run.journal, bytes)); }
    std::string Why() {
        JournalRecord r;
        quirnel::Result read = ReadJournal(run.journal, r);
        return read ? "read" : Utf8(read.text());
    }
    ApplyBench b;
    ApplyOutcome run;
    std::map<std::string, std::string> before, after;
    std::string text;
};

// Where the n-th line beginning with prefix begins (from 0), npos when there is none.
size_t LineAt(const std::string& text, const std::string& prefix, int n = 0) {
    for (size_t at = 0; at < text.size(); at = text.find('\n', at) + 1) {
        if (text.compare(at, prefix.size(), prefix) == 0 && n-- == 0) return at;
        if (text.find('\n', at) == std::string::npos) break;
    }
    return std::string::npos;
}

std::string Stderr(const test::Result& r) { return r.out + r.err; }

// Waits at most a few seconds for a read that must not wait at all.
template <typename F>
bool Quickly(F f) {
    auto done = std::async(std::launch::async, f);
    return done.wait_for(std::chrono::seconds(5)) == std::future_status::ready;
}

}  // namespace

TEST(Journal, EveryChangedByteOfTheCheckedPartRefusesTheJournalAndNothingMoves) {
    struct Case {
        const char* where;
        std::function<size_t(const std::string&)> position;
    };
    const Case cases[] = {
        {"a path of the plan", [](const std::string& t) { return t.find('\n', LineAt(t, "S\t0\t")) - 1; }},
        {"the plan's end", [](const std::string& t) { return LineAt(t, "P"); }},
        {"a created folder", [](const std::string& t) { return t.find('\n', LineAt(t, "D\t")) - 1; }},
        {"a checksum", [](const std::string& t) { return t.find('\n', LineAt(t, "Z\t")) - 1; }},
        {"a checksum's count", [](const std::string& t) { return LineAt(t, "Z\t", 1) + 2; }},
        {"a mark of the last batch", [](const std::string& t) { return LineAt(t, "K\t", 2) + 2; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.where);
        RunWithBatches r;
        ASSERT_EQ(r.run.counts.changed, 3);
        ASSERT_GE(Batches(r.text).size(), 3u) << r.text;
        std::string damaged = r.text;
        const size_t at = c.position(damaged);
        ASSERT_LT(at, damaged.size());
        damaged[at] ^= 1;
        r.Rewrite(damaged);
        EXPECT_NE(r.Why().find("is damaged"), std::string::npos) << r.Why();
        RevertOutcome out = RevertJournal(r.run.journal, r.b.app.flags.journal, r.b.host);
        EXPECT_FALSE(out.journalRead);
        EXPECT_EQ(Tree(r.b.dir.path()), r.after);
        if (c.where == cases[0].where) {  // the command line says so in its exit status
            test::Result cli = Cli({"--revert", ToNative(r.run.journal), "--journal", r.b.state / "own.journal"});
            EXPECT_EQ(cli.status, 2) << Stderr(cli);
            EXPECT_NE(Stderr(cli).find("is damaged"), std::string::npos) << Stderr(cli);
            EXPECT_EQ(Tree(r.b.dir.path()), r.after);
        }
    }
}

// A crash leaves a batch cut short, or zeros where it was being written:
// the steps it would have marked are decided from the disk.
TEST(Journal, WhatFollowsTheLastWholeBatchIsACrash) {
    const std::vector<std::pair<const char*, std::function<std::string(const std::string&)>>> cases = {
        {"cut inside the last batch", [](const std::string& t) { return t.substr(0, t.rfind("\nE\n") + 1); }},
        {"cut inside the last checksum line", [](const std::string& t) { return t.substr(0, t.size() - 3); }},
        {"zeros after the folder's batch",
         [](const std::string& t) { return t.substr(0, LineAt(t, "Z\t", 2)) + std::string(64, '\0'); }},
    };
    for (const auto& [what, cut] : cases) {
        SCOPED_TRACE(what);
        RunWithBatches r;
        r.Rewrite(cut(r.text));
        JournalRecord read;
        ASSERT_TRUE(ReadJournal(r.run.journal, read)) << r.Why();
        EXPECT_FALSE(read.ended);
        EXPECT_EQ(UnsettledJournals(r.b.app.flags.journal.folder), std::vector<std::u16string>{r.run.journal});
        RevertOutcome out = RevertJournal(r.run.journal, r.b.app.flags.journal, r.b.host);
        EXPECT_EQ(out.reverted, 3);
        EXPECT_EQ(Tree(r.b.dir.path()), r.before);
        ASSERT_TRUE(ReadJournal(r.run.journal, read)) << "the decision follows the last whole batch: " << r.Why();
        EXPECT_TRUE(read.settled);
    }
}

// Without its sealed plan a run had changed nothing: revert moves nothing,
// whatever steps the plan's first lines name.
TEST(Journal, APlanCutShortMovesNothing) {
    RunWithBatches r;
    const std::string firstChecksum = r.text.substr(0, LineAt(r.text, "Z\t"));
    for (const std::string& cut : {firstChecksum, r.text.substr(0, LineAt(r.text, "S\t2"))}) {
        r.Rewrite(cut);
        JournalRecord read;
        ASSERT_TRUE(ReadJournal(r.run.journal, read)) << r.Why();
        EXPECT_TRUE(read.steps.empty());
        EXPECT_EQ(RevertJournal(r.run.journal, r.b.app.flags.journal, r.b.host).reverted, 0);
        EXPECT_EQ(Tree(r.b.dir.path()), r.after);
    }
    // Marks without the plan's end are no crash but damage.
    std::string noPlanEnd = r.text;
    noPlanEnd.erase(LineAt(noPlanEnd, "P"), 2);
    r.Rewrite(noPlanEnd);
    EXPECT_NE(r.Why().find("is damaged"), std::string::npos) << r.Why();
    std::vector<std::string> batches = Batches(r.text);
    batches[0].erase(batches[0].find("\nP\n") + 1);
    r.Rewrite(Sealed(batches));
    EXPECT_NE(r.Why().find("has no complete plan"), std::string::npos) << r.Why();
    EXPECT_EQ(Tree(r.b.dir.path()), r.after);
}

// A journal of today's version 1: the same lines without checksums.
TEST(Journal, VersionOneJournalsAreStillRead) {
    RunWithBatches r;
    std::string v1 = "quirnel-journal\t1\n";
    for (const std::string& batch : Batches(r.text)) v1 += batch;
    v1.erase(v1.find("quirnel-journal\t2\n"), 18);
    r.Rewrite(v1);
    JournalRecord read;
    ASSERT_TRUE(ReadJournal(r.run.journal, read)) << r.Why();
    EXPECT_EQ(read.version, 1);
    EXPECT_EQ(read.steps.size(), 3u);
    EXPECT_TRUE(read.ended);
    EXPECT_EQ(RevertJournal(r.run.journal, r.b.app.flags.journal, r.b.host).reverted, 3);
    EXPECT_EQ(Tree(r.b.dir.path()), r.before);
    ASSERT_TRUE(ReadJournal(r.run.journal, read));
    EXPECT_TRUE(read.settled);

    // Marks with no plan's end are refused in it too; a plan alone moves nothing.
    const std::string path = r.b.dir / "a";
    r.Rewrite("quirnel-journal\t1\nkind\trename\nS\t0\t1\t2\tfile\t" + path + "\t" + path + "x\nK\t0\n");
    EXPECT_NE(r.Why().find("has no complete plan"), std::string::npos) << r.Why();
    r.Rewrite("quirnel-journal\t1\nkind\trename\nS\t0\t1\t2\tfile\t" + path + "\t" + path + "x\n");
    ASSERT_TRUE(ReadJournal(r.run.journal, read));
    EXPECT_TRUE(read.steps.empty());
}

// A decision appended after a crash that cut the last line short: the cut
// line never counted and must not swallow the decision, in either version.
TEST(Journal, ADecisionAfterACutLineIsRead) {
    RunWithBatches r;
    std::string v1 = "quirnel-journal\t1\n";
    for (const std::string& batch : Batches(r.text)) v1 += batch;
    v1.erase(v1.find("quirnel-journal\t2\n"), 18);
    for (std::string whole : {r.text, v1}) {
        SCOPED_TRACE(whole.substr(0, 17));
        whole.erase(whole.rfind("E\n"));  // interrupted: no end
        r.Rewrite(whole + "K\t1");        // a mark cut before its line break
        ASSERT_TRUE(MarkJournal(r.run.journal, "settled"));
        JournalRecord read;
        ASSERT_TRUE(ReadJournal(r.run.journal, read)) << r.Why();
        EXPECT_TRUE(read.settled);
        EXPECT_FALSE(read.ended);
        EXPECT_EQ(read.steps.size(), 3u);
    }
}

TEST(Journal, ARevertNamesTheJournalItReverts) {
    TempDir dir;
    JournalWriter w;
    ASSERT_TRUE(w.create(dir.u16("j.journal"), JournalKind::Rename, dir.u16("run\t1.journal")));
    w.step(EntryId{1, 2}, false, dir.u16("b"), dir.u16("a"));
    ASSERT_TRUE(w.seal());
    ASSERT_TRUE(w.end());
    JournalRecord r;
    ASSERT_TRUE(ReadJournal(dir.u16("j.journal"), r));
    EXPECT_EQ(r.version, 2);
    EXPECT_EQ(r.reverts, dir.u16("run\t1.journal"));
}

// Paths a run cannot have written: the journal is refused whole.
TEST(Journal, APathOutsideWhatARunCanTouchIsRefused) {
    TempDir dir;
    const std::u16string d = dir.u16();
    const EntryId id{1, 2};
    struct Case {
        const char* what;
        std::function<void(JournalWriter&)> write;
    };
    auto plain = [&](JournalWriter& w) { w.step(id, false, d + u"/a", d + u"/.quirnel-cycle-0"); };
    const Case cases[] = {
        {"relative", [&](JournalWriter& w) { w.step(id, false, u"a", d + u"/b"); (void)w.seal(); }},
        {"..", [&](JournalWriter& w) { w.step(id, false, d + u"/a", d + u"/x/../../b"); (void)w.seal(); }},
        {".", [&](JournalWriter& w) { w.step(id, false, d + u"/./a", d + u"/b"); (void)w.seal(); }},
        {"empty component", [&](JournalWriter& w) { w.step(id, false, d + u"//a", d + u"/b"); (void)w.seal(); }},
        {"NUL", [&](JournalWriter& w) { w.step(id, false, d + u"/a" + std::u16string(1, u'\0') + u"b", d + u"/b"); (void)w.seal(); }},
        {"temporary name in another folder",
         [&](JournalWriter& w) {
             plain(w);
             ASSERT_TRUE(w.seal());
             ASSERT_TRUE(w.temp(0, d + u"/other/.quirnel-cycle-0-2"));
         }},
        {"temporary name outside",
         [&](JournalWriter& w) {
             plain(w);
             ASSERT_TRUE(w.seal());
             ASSERT_TRUE(w.temp(0, d + u"/../.quirnel-cycle-0-2"));
         }},
        {"created folder beside the steps",
         [&](JournalWriter& w) {
             plain(w);
             ASSERT_TRUE(w.seal());
             ASSERT_TRUE(w.folder(d + u"/elsewhere"));
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::u16string path = dir.u16(std::string(c.what) + ".journal");
        {
            JournalWriter w;
            ASSERT_TRUE(w.create(path, JournalKind::Rename));
            c.write(w);
            ASSERT_TRUE(w.end());
        }
        JournalRecord r;
        quirnel::Result read = ReadJournal(path, r);
        EXPECT_FALSE(read);
        EXPECT_NE(Utf8(read.text()).find("names a path this run cannot have changed"), std::string::npos)
            << Utf8(read.text());
    }
    // A folder made above the steps' folder, and the same temporary name
    // in its own folder, are what runs write.
    const std::u16string path = dir.u16("fine.journal");
    JournalWriter w;
    ASSERT_TRUE(w.create(path, JournalKind::Rename));
    w.step(id, false, d + u"/a", d + u"/new/deeper/b");
    ASSERT_TRUE(w.seal());
    ASSERT_TRUE(w.folder(d + u"/new"));
    ASSERT_TRUE(w.folder(d + u"/new/deeper"));
    ASSERT_TRUE(w.end());
    JournalRecord r;
    EXPECT_TRUE(ReadJournal(path, r)) << Utf8(ReadJournal(path, r).text());
    // Version 1 is held to the same paths.
    ASSERT_TRUE(ReplaceFileContent(path, "quirnel-journal\t1\nkind\trename\nS\t0\t1\t2\tfile\ta\t/b\nP\n"));
    EXPECT_FALSE(ReadJournal(path, r));
}

TEST(Journal, OnlyARegularFileIsReadAndNothingWaitsForAFifo) {
    TempDir dir;
    ASSERT_EQ(mkfifo((dir / "fifo.journal").c_str(), 0600), 0);
    dir.file("real.journal", "quirnel-journal\t2\n");
    ASSERT_EQ(symlink((dir / "real.journal").c_str(), (dir / "link.journal").c_str()), 0);
    dir.folder("folder.journal");
    for (const std::string& p : {std::string("/dev/zero"), dir / "fifo.journal", dir / "link.journal", dir / "folder.journal"}) {
        SCOPED_TRACE(p);
        quirnel::Result read;
        bool quick = Quickly([&] {
            JournalRecord r;
            read = ReadJournal(FromNative(p), r);
        });
        if (!quick) close(open((dir / "fifo.journal").c_str(), O_WRONLY | O_NONBLOCK));  // lets a waiting read end
        ASSERT_TRUE(quick) << "the read waited";
        EXPECT_EQ(Utf8(read.text()), "is not a regular file");
    }
    // The folder's listing leaves them out; pruning never opens them.
    JournalPlace place{dir.u16("kept"), {}};
    for (int i = 0; i < 22; ++i) {
        JournalWriter w;
        ASSERT_TRUE(w.create(NewJournalPath(place), JournalKind::Rename));
        ASSERT_TRUE(w.seal());
        ASSERT_TRUE(w.end());
    }
    ASSERT_EQ(mkfifo((dir / "kept/0.journal").c_str(), 0600), 0);
    std::vector<std::u16string> unsettled;
    ASSERT_TRUE(Quickly([&] {
        unsettled = UnsettledJournals(place.folder);
        PruneJournals(place.folder);
    })) << "the listing waited";
    EXPECT_TRUE(unsettled.empty());
    EXPECT_EQ(ListJournals(place.folder).size(), kJournalsKept);
    EXPECT_TRUE(OnDisk(dir / "kept/0.journal"));
}

// The command line fails at once, and a FIFO among the journals does not
// hold up a run (a hang is ended by the timeout and fails the test).
TEST(Journal, TheCommandLineRefusesWhatIsNoJournalAtOnce) {
    TempDir dir;
    ASSERT_EQ(mkfifo((dir / "fifo").c_str(), 0600), 0);
    const std::string env = "XDG_STATE_HOME=" + Quote(dir / "state") + " timeout -s KILL 30";
    for (const std::string& p : {std::string("/dev/zero"), dir / "fifo"}) {
        test::Result r = Cli({"--revert", p}, "", env);
        EXPECT_EQ(r.status, 2) << Stderr(r);
        EXPECT_NE(Stderr(r).find("is not a regular file"), std::string::npos) << Stderr(r);
    }
    std::filesystem::create_directories(dir / "state/quirnel/journal");
    JournalPlace place{FromNative(dir / "state/quirnel/journal"), {}};
    for (int i = 0; i < 21; ++i) {
        JournalWriter w;
        ASSERT_TRUE(w.create(NewJournalPath(place), JournalKind::Rename));
        ASSERT_TRUE(w.seal());
        ASSERT_TRUE(w.end());
    }
    ASSERT_EQ(mkfifo((dir / "state/quirnel/journal/0.journal").c_str(), 0600), 0);
    dir.file("in/a", "a");
    test::Result run = Cli({dir / "in/a", "--task", "3", "21", "x", "", "--apply"}, "", env);
    EXPECT_EQ(run.status, 0) << Stderr(run);
    EXPECT_TRUE(OnDisk(dir / "in/xa"));
    EXPECT_EQ(Cli({"--revert"}, "", env).status, 0);
    EXPECT_TRUE(OnDisk(dir / "in/a"));
}

// A run still writing holds its journal: no other process reverts it or
// appends a decision, and the look for unfinished runs passes it by. Once
// its writer is gone without an end (a kill), it is an unfinished run again.
TEST(Journal, ARunStillWritingHoldsItsJournal) {
    TempDir dir;
    const std::string env = "XDG_STATE_HOME=" + Quote(dir / "state") + " timeout -s KILL 30";
    const std::u16string folder = dir.u16("state/quirnel/journal"), path = folder + u"/live.journal";
    dir.file("in/a", "a");
    {
        JournalWriter w;
        ASSERT_TRUE(w.create(path, JournalKind::Rename));
        w.step(LookUpEntryId(dir.u16("in/a")), false, dir.u16("in/a"), dir.u16("in/a2"));
        ASSERT_TRUE(w.seal());
        ASSERT_EQ(rename((dir / "in/a").c_str(), (dir / "in/a2").c_str()), 0);
        const std::string bytes = Content(ToNative(path));
        EXPECT_EQ(MarkJournal(path, "settled").error, EBUSY);
        EXPECT_TRUE(UnsettledJournals(folder).empty());
        for (const std::vector<std::string>& args : {std::vector<std::string>{"--revert", ToNative(path)},
                                                     std::vector<std::string>{"--revert"}}) {
            test::Result r = Cli(args, "", env);
            EXPECT_EQ(r.status, 2) << Stderr(r);
            EXPECT_NE(Stderr(r).find("a run still going writes it"), std::string::npos) << Stderr(r);
        }
        EXPECT_EQ(Content(ToNative(path)), bytes);
        EXPECT_TRUE(OnDisk(dir / "in/a2"));
    }
    EXPECT_EQ(UnsettledJournals(folder), std::vector<std::u16string>{path});
    EXPECT_EQ(Cli({"--revert", ToNative(path)}, "", env).status, 0);
    EXPECT_EQ(Content(dir / "in/a"), "a");
}

// Every step of a cycle under a temporary name that had to be chosen again.
TEST(Journal, ManyTemporaryNamesAreReadInLinearTime) {
    constexpr int kCycles = 40000;
    TempDir dir;
    const std::string d = dir.path();
    std::string plan = "quirnel-journal\t2\nkind\trename\n", marks;
    for (int i = 0; i < kCycles; ++i) {
        const std::string n = std::to_string(i), temp = d + "/.quirnel-cycle-" + n;
        plan += "S\t" + std::to_string(2 * i) + "\t1\t" + n + "\tfile\t" + d + "/a" + n + "\t" + temp + "\n";
        plan += "S\t" + std::to_string(2 * i + 1) + "\t1\t" + n + "\tfile\t" + temp + "\t" + d + "/b" + n + "\n";
        marks += "T\t" + std::to_string(2 * i) + "\t" + temp + "-2\n";
    }
    plan += "P\n";
    const std::u16string path = dir.u16("many.journal");
    ASSERT_TRUE(ReplaceFileContent(path, Sealed({plan, marks})));
    JournalRecord r;
    auto start = std::chrono::steady_clock::now();
    quirnel::Result read = ReadJournal(path, r);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    ASSERT_TRUE(read) << Utf8(read.text());
    EXPECT_LT(seconds, 5.0);
    ASSERT_EQ(r.steps.size(), 2u * kCycles);
    EXPECT_EQ(ToNative(r.steps[2 * 777].to), d + "/.quirnel-cycle-777-2");
    EXPECT_EQ(ToNative(r.steps[2 * 777 + 1].from), d + "/.quirnel-cycle-777-2");
    EXPECT_EQ(ToNative(r.steps[2 * 777 + 1].to), d + "/b777");
}
#endif
