#include "apply/Revert.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <map>
#include <set>

#include "apply/ApplyChanges.h"
#include "apply/ApplyTestSupport.h"
#include "apply/JournalTestSupport.h"
#include "apply/Journal.h"
#include "apply/JournalFiles.h"
#include "platform/AppendFile.h"
#include "platform/FileContent.h"
#include "platform/NativeText.h"

using namespace quirnel;
using namespace quirnel::test;

namespace {

// A run with a cycle, a chain, a move into new folders and a failure.
ApplyOutcome MixedRun(ApplyBench& b) {
    for (const char* f : {"a", "b", "c", "p1", "p2", "m", "stuck", "taken"}) b.dir.file(f, f);
    b.Add({"a", "b", "c", "p1", "p2", "m", "stuck"});
    b.Propose(0, "b");
    b.Propose(1, "c");
    b.Propose(2, "a");
    b.Propose(3, "p0");
    b.Propose(4, "p1");
    b.Propose(5, "m", "new/deeper");
    b.Propose(6, "taken");
    return ApplyChanges(b.ws, ApplyType::Originals);
}

// "f" + i without the false alarm of GCC 12's -Wrestrict on operator+.
std::string Indexed(const char* prefix, int i) {
    std::string s = prefix;
    s += std::to_string(i);
    return s;
}

std::string Lines(const std::vector<std::string>& log, const std::string& prefix) {
    std::string out;
    for (const auto& l : log)
        if (l.rfind(prefix, 0) == 0) out += l + "\n";
    return out;
}

}  // namespace

TEST(Revert, RestoresEveryOldNameRemovesCreatedFoldersAndCanItselfBeReverted) {
    ApplyBench b;
    std::u16string folder = b.KeepJournals();
    std::map<std::string, std::string> before;
    for (const char* f : {"a", "b", "c", "p1", "p2", "m", "stuck", "taken"}) before[f] = f;
    ApplyOutcome run = MixedRun(b);
    EXPECT_EQ(run.counts.changed, 6);
    ASSERT_EQ(NewestJournal(folder), run.journal);
    std::map<std::string, std::string> after = Tree(b.dir.path());
    EXPECT_EQ(after.at("new/deeper/m"), "m");

    RevertOutcome r = RevertJournal(run.journal, b.app.flags.journal, b.host);
    FollowRevert(b.ws.list, r);
    for (int row = 0; row < 6; ++row)  // the list describes the disk again, proposals pending
        EXPECT_EQ(Utf8(b.ws.list.oldName(row)), std::string(1, "abcppm"[row]) + (row == 3 ? "1" : row == 4 ? "2" : ""));
    EXPECT_EQ(Utf8(b.ws.list.newName(0)), "b");
    EXPECT_EQ(Utf8(b.ws.list.newFolder(5)), b.dir / "new/deeper");
    EXPECT_TRUE(b.ws.list.paths().contains(b.Path("c")));
    EXPECT_TRUE(r.journalRead);
    EXPECT_EQ(r.total, 7);  // the cycle's first row took two steps
    EXPECT_EQ(r.reverted, 7);
    EXPECT_EQ(r.skipped, 0);
    EXPECT_EQ(Tree(b.dir.path()), before);
    EXPECT_LT(b.LogFrom(" Total : 7 / Reverted : 7 / Skipped : 0"), b.Log().size());

    JournalRecord original;
    Result read = ReadJournal(run.journal, original);
    ASSERT_TRUE(read) << ToUtf8(read.text());
    EXPECT_TRUE(original.ended && original.settled);

    ASSERT_EQ(NewestJournal(folder), r.ownJournal);
    RevertOutcome again = RevertJournal(r.ownJournal, b.app.flags.journal, b.host);
    EXPECT_EQ(again.reverted, 7);
    EXPECT_EQ(Tree(b.dir.path()), after);
    EXPECT_EQ(RevertJournal(again.ownJournal, b.app.flags.journal, b.host).reverted, 7);
    EXPECT_EQ(Tree(b.dir.path()), before) << "the folders the first run made are gone again";
}

// Each created folder is announced before it is made, parents first; many
// new folders share a few durable batches instead of one sync each.
TEST(Revert, ManyNewFoldersAreAnnouncedInFewBatchesAndAllRemoved) {
    ApplyBench b;
    const std::u16string folder = b.KeepJournals();
    constexpr int kFiles = 600;
    std::vector<std::string> rels;
    for (int i = 0; i < kFiles; ++i) {
        rels.push_back(Name("f", i));
        b.dir.file(rels.back(), rels.back());
    }
    b.Add(rels);
    for (int i = 0; i < kFiles; ++i) b.Propose(i, Name("f", i), Name("new/", i, "/deep"));
    const std::map<std::string, std::string> before = Tree(b.dir.path());
    ApplyOutcome run = ApplyChanges(b.ws, ApplyType::Originals);
    ASSERT_EQ(run.counts.changed, kFiles) << Lines(b.Log(), "");

    std::set<std::string> announced{b.dir.path()};
    int batchesWithFolders = 0;
    for (const std::string& batch : Batches(b.state.read("journal/" + Utf8(run.journal.substr(folder.size() + 1))))) {
        bool any = false;
        for (size_t at = 0, nl; (nl = batch.find('\n', at)) != std::string::npos; at = nl + 1) {
            if (batch[at] != 'D') continue;
            const std::string path = batch.substr(at + 2, nl - at - 2);
            EXPECT_TRUE(announced.count(path.substr(0, path.rfind('/')))) << path << " before its parent";
            announced.insert(path);
            any = true;
        }
        batchesWithFolders += any;
    }
    EXPECT_EQ(announced.size(), 1u + 1 + 2 * kFiles);
    EXPECT_LE(batchesWithFolders, 4);

    RevertOutcome r = RevertJournal(run.journal, b.app.flags.journal, b.host);
    EXPECT_EQ(r.reverted, kFiles);
    EXPECT_EQ(Tree(b.dir.path()), before);
}

TEST(Revert, RefusesToTouchAnEntryReplacedAfterTheRun) {
    ApplyBench b;
    b.KeepJournals();
    for (const char* f : {"one", "two", "three"}) b.dir.file(f, f);
    b.Add({"one", "two", "three"});
    b.Propose(0, "1");
    b.Propose(1, "2");
    b.Propose(2, "3");
    ApplyOutcome run = ApplyChanges(b.ws, ApplyType::Originals);
    ASSERT_EQ(run.counts.changed, 3);
    ASSERT_EQ(unlink((b.dir / "2").c_str()), 0);
    b.dir.file("2", "someone else's");  // same name, another entry
    b.dir.file("one", "in the way");    // the old name of the first is taken

    RevertOutcome r = RevertJournal(run.journal, b.app.flags.journal, b.host);
    EXPECT_EQ(r.reverted, 1);
    EXPECT_EQ(r.skipped, 2);
    EXPECT_EQ(Content(b.dir / "2"), "someone else's");
    EXPECT_EQ(Content(b.dir / "one"), "in the way");
    EXPECT_EQ(Content(b.dir / "1"), "one");
    EXPECT_EQ(Content(b.dir / "three"), "three");
    EXPECT_EQ(Lines(b.Log(), "Failed to revert"), "Failed to revert: " + (b.dir / "2") + " (Changed since the run)\n" +
                                                       "Failed to revert: " + (b.dir / "1") + " (File exists)\n");
}

TEST(Revert, ACopyRunsRevertRemovesOnlyCopiesThatAreAsMade) {
    ApplyBench b;
    b.KeepJournals();
    b.dir.file("f1", "1");
    b.dir.file("f2", "2");
    b.dir.file("tree/in", "x");
    b.dir.file("tree2/in", "y");
    b.Add({"f1", "f2", "tree", "tree2"});
    b.Propose(0, "f1-copy");
    b.Propose(1, "f2-copy");
    b.Propose(2, "tree-copy");
    b.Propose(3, "tree2-copy");
    ApplyOutcome run = ApplyChanges(b.ws, ApplyType::Copies);
    ASSERT_EQ(run.counts.changed, 4);
    b.dir.file("f2-copy", "edited");
    b.dir.file("tree2-copy/added", "z");

    RevertOutcome r = RevertJournal(run.journal, b.app.flags.journal, b.host);
    EXPECT_EQ(r.reverted, 2);
    EXPECT_FALSE(OnDisk(b.dir / "f1-copy"));
    EXPECT_FALSE(OnDisk(b.dir / "tree-copy"));
    EXPECT_EQ(Content(b.dir / "f2-copy"), "edited");
    EXPECT_TRUE(OnDisk(b.dir / "tree2-copy/added"));
    EXPECT_EQ(Content(b.dir / "f1"), "1");
    EXPECT_EQ(Content(b.dir / "tree/in"), "x");

    RevertOutcome again = RevertJournal(r.ownJournal, b.app.flags.journal, b.host);  // the copies come back
    EXPECT_EQ(again.reverted, 2);
    EXPECT_EQ(Content(b.dir / "f1-copy"), "1");
    EXPECT_EQ(Content(b.dir / "tree-copy/in"), "x");
}

// A run that died after its changes but before its marks were written: the
// disk decides, the journal is offered as unsettled until a decision.
TEST(Revert, AnInterruptedRunIsFoundAndDecidedFromTheDisk) {
    ApplyBench b;
    std::u16string folder = b.KeepJournals();
    ApplyOutcome run = MixedRun(b);
    std::string text = b.state.read("journal/" + Utf8(run.journal.substr(folder.size() + 1)));
    std::string plan, folders;  // the marks are left out
    for (const std::string& batch : Batches(text))
        for (size_t at = 0, nl; (nl = batch.find('\n', at)) != std::string::npos; at = nl + 1) {
            std::string line = batch.substr(at, nl - at + 1);
            if (line[0] == 'D') folders += line;
            else if (line[0] == 'S' || line[0] == 'P' || line.rfind("quirnel", 0) == 0 || line.rfind("kind", 0) == 0)
                plan += line;
        }
    std::string cut = Sealed({plan, folders}) + "K\t0";  // a mark cut short: it never counted
    ASSERT_TRUE(ReplaceFileContent(run.journal, cut));
    // One step is undone by hand, as if the run had died before it.
    ASSERT_EQ(rename((b.dir / "p0").c_str(), (b.dir / "p1x").c_str()), 0);
    EXPECT_EQ(UnsettledJournals(folder), std::vector<std::u16string>{run.journal});

    RevertOutcome r = RevertJournal(run.journal, b.app.flags.journal, b.host);
    EXPECT_EQ(r.skipped, 1);  // p1 is at neither of its paths
    EXPECT_EQ(Content(b.dir / "a"), "a");
    EXPECT_EQ(Content(b.dir / "b"), "b");
    EXPECT_EQ(Content(b.dir / "c"), "c");
    EXPECT_EQ(Content(b.dir / "p2"), "p2");
    EXPECT_EQ(Content(b.dir / "m"), "m");
    EXPECT_FALSE(OnDisk(b.dir / "new"));
    EXPECT_TRUE(UnsettledJournals(folder).empty());
}

// The start-up question: No keeps the disk and settles the run, Yes reverts it.
TEST(Revert, AnInterruptedRunIsAskedAboutOnceAtStartUp) {
    for (bool revert : {false, true}) {
        ApplyBench b;
        std::u16string folder = b.KeepJournals();
        ApplyOutcome run = MixedRun(b);
        std::string text = b.state.read("journal/" + Utf8(run.journal.substr(folder.size() + 1)));
        ASSERT_TRUE(ReplaceFileContent(run.journal, text.substr(0, text.rfind("E\n"))));
        b.host.answer = revert;
        EXPECT_EQ(RecoverInterruptedRuns(b.app.flags.journal, b.host), 1);
        ASSERT_EQ(b.host.questionIds, std::vector<Question>{Question::RevertInterrupted});
        EXPECT_EQ(Utf8(b.host.questions[0]).rfind("An apply run ended before it was finished (" + Utf8(run.journal) + ")", 0), 0u);
        EXPECT_EQ(Content(b.dir / "b"), revert ? "b" : "a");
        EXPECT_EQ(RecoverInterruptedRuns(b.app.flags.journal, b.host), 0) << "settled either way";
    }
}

TEST(Revert, RevertLastApplyTakesTheNewestJournal) {
    ApplyBench b;
    b.KeepJournals();
    EXPECT_FALSE(RevertLastApply(b.app.flags.journal, b.host).journalRead);
    EXPECT_EQ(b.Log().back(), "No journal to revert.");
    EXPECT_TRUE(b.host.questionIds.empty());
    MixedRun(b);
    EXPECT_EQ(RevertLastApply(b.app.flags.journal, b.host).reverted, 7);
    EXPECT_EQ(Content(b.dir / "b"), "b");
    ASSERT_EQ(b.host.questionIds, std::vector<Question>{Question::RevertRun});
    // The question names the run: its kind, when, how many entries, which folder.
    const std::string asked = Utf8(b.host.questions[0]);
    EXPECT_EQ(asked.substr(0, 30), "Revert this run?\r\nMove run of ");
    EXPECT_TRUE(std::regex_match(asked.substr(30, 19), std::regex(R"(\d{4}-\d\d-\d\d \d\d:\d\d:\d\d)"))) << asked;
    EXPECT_EQ(asked.substr(49), ": 6 entries in " + b.dir.path()) << "the one that failed changed nothing";
}

// Reverting twice never redoes: the revert's own journal names the run it
// reverted, also when it is of an older version that did not (its run's
// "X reverted" line names it then).
TEST(Revert, RevertLastApplyTwiceSaysThereIsNothingToRevert) {
    for (bool older : {false, true}) {
        SCOPED_TRACE(older ? "older revert journal" : "revert journal naming its run");
        ApplyBench b;
        std::u16string folder = b.KeepJournals();
        for (const char* f : {"a", "b"}) b.dir.file(f, f);
        b.Add({"a", "b"});
        b.Propose(0, "a2");
        b.Propose(1, "b2");
        ApplyOutcome run = ApplyChanges(b.ws, ApplyType::Originals);
        RevertOutcome first = RevertLastApply(b.app.flags.journal, b.host);
        ASSERT_EQ(first.reverted, 2);
        if (older) {
            std::string text;
            ASSERT_TRUE(ReadFileBytes(first.ownJournal, text, 1 << 20));
            size_t r = text.find("\nR\t");
            ASSERT_NE(r, std::string::npos);
            text.erase(r + 1, text.find('\n', r + 1) - r);
            ASSERT_TRUE(ReplaceFileContent(first.ownJournal, AsVersionOne(text)));
        }
        RevertOutcome second = RevertLastApply(b.app.flags.journal, b.host);
        EXPECT_FALSE(second.journalRead);
        EXPECT_EQ(b.Log().back(), "Nothing to revert: every run recorded in " + Utf8(folder) +
                                      " is reverted or changed nothing.");
        EXPECT_EQ(Content(b.dir / "a"), "a");
        EXPECT_EQ(Content(b.dir / "b"), "b");
        EXPECT_EQ(b.host.questionIds.size(), 1u) << "nothing to ask about";

        // The user names the revert's journal: a redo, and the log says so.
        RevertOutcome redo = RevertJournal(first.ownJournal, b.app.flags.journal, b.host);
        EXPECT_EQ(redo.reverted, 2);
        EXPECT_EQ(Content(b.dir / "a2"), "a");
        EXPECT_LT(b.LogFrom(Utf8(first.ownJournal) + " records a revert: reverting it redoes the run it reverted."),
                  b.Log().size());
        // The redo stands like a run: Revert Last Apply takes it, then nothing.
        EXPECT_EQ(RevertLastApply(b.app.flags.journal, b.host).reverted, 2);
        EXPECT_EQ(Content(b.dir / "a"), "a");
        EXPECT_FALSE(RevertLastApply(b.app.flags.journal, b.host).journalRead);
        EXPECT_EQ(Content(b.dir / "a"), "a");
        (void)run;
    }
}

// No is no: nothing moves, and the log says nothing was reverted.
TEST(Revert, NoToTheQuestionMovesNothing) {
    ApplyBench b;
    b.KeepJournals();
    MixedRun(b);
    const std::map<std::string, std::string> after = Tree(b.dir.path());
    b.host.answer = false;
    EXPECT_FALSE(RevertLastApply(b.app.flags.journal, b.host).journalRead);
    EXPECT_EQ(Tree(b.dir.path()), after);
    EXPECT_EQ(b.Log().back(), "Nothing was reverted.");
}

namespace {

// Ten renames f0..f9 -> g0..g9, and a revert killed after its first
// `done` steps (the newest: f9 comes back first), which kept `marks` of
// their marks. It is made by reverting a copy of the run's journal that
// says the older steps failed, then naming the run in the revert's journal
// and cutting its end.
struct KilledRevert {
    ApplyBench b;
    std::u16string folder = b.KeepJournals();
    std::u16string run, revert;

    KilledRevert(int done, int marks) {
        std::vector<std::string> names;
        for (int i = 0; i < 10; ++i) {
            names.push_back(Indexed("f", i));
            b.dir.file(names.back(), names.back());
        }
        b.Add(names);
        for (int i = 0; i < 10; ++i) b.Propose(i, Indexed("g", i));
        run = ApplyChanges(b.ws, ApplyType::Originals).journal;
        std::string text, part;
        EXPECT_TRUE(ReadFileBytes(run, text, 1 << 20));
        for (size_t at = 0, nl; (nl = text.find('\n', at)) != std::string::npos; at = nl + 1) {
            std::string line = text.substr(at, nl - at + 1);
            if (line[0] == 'K' && std::stoi(line.substr(2)) < 10 - done) line = "F\t" + line.substr(2, line.size() - 3) + "\t0\n";
            part += line;
        }
        const std::u16string partial = b.state.u16("partial.journal");
        EXPECT_TRUE(ReplaceFileContent(partial, AsVersionOne(part)));
        revert = RevertJournal(partial, b.app.flags.journal, b.host).ownJournal;
        EXPECT_TRUE(ReadFileBytes(revert, text, 1 << 20));
        std::string cut;
        int kept = 0;
        for (size_t at = 0, nl; (nl = text.find('\n', at)) != std::string::npos; at = nl + 1) {
            std::string line = text.substr(at, nl - at + 1);
            if (line[0] == 'R') cut += "R\t" + Utf8(run) + "\n";
            else if (line[0] == 'K' ? kept++ < marks : line[0] != 'W' && line[0] != 'E') cut += line;
        }
        EXPECT_TRUE(ReplaceFileContent(revert, AsVersionOne(cut)));
    }
    void expectOldNames() {
        for (int i = 0; i < 10; ++i) EXPECT_EQ(Content(b.dir / (Indexed("f", i))), Indexed("f", i)) << i;
    }
};

}  // namespace

// A revert killed part way is finished by the next, never reversed: the
// steps it had reverted count as reverted, whether its marks were written
// or not (then the disk says).
TEST(Revert, AnInterruptedRevertIsFinishedNotReversed) {
    for (int marks : {4, 0}) {
        SCOPED_TRACE(std::to_string(marks) + " marks kept");
        KilledRevert k(4, marks);
        EXPECT_EQ(UnsettledJournals(k.folder), std::vector<std::u16string>{k.revert});
        RevertOutcome r = RevertLastApply(k.b.app.flags.journal, k.b.host);
        ASSERT_EQ(k.b.host.questionIds.back(), Question::RevertRun);
        EXPECT_EQ(Utf8(k.b.host.questions.back()).rfind("A revert of this run was interrupted. Finish reverting it?\r\n"
                                                       "Rename run of ", 0), 0u);
        EXPECT_EQ(r.total, 10);
        EXPECT_EQ(r.reverted, 10);
        EXPECT_EQ(r.skipped, 0);
        EXPECT_LT(k.b.LogFrom("4 entries were back already, through an earlier revert of this run (" + Utf8(k.revert) + ")."),
                  k.b.Log().size());
        k.expectOldNames();
        EXPECT_TRUE(UnsettledJournals(k.folder).empty()) << "the interrupted revert is settled";
        EXPECT_FALSE(RevertLastApply(k.b.app.flags.journal, k.b.host).journalRead);
        k.expectOldNames();

        // The finishing revert recorded the whole revert: a redo brings back every new name.
        EXPECT_EQ(RedoRevertedApply(k.b.app.flags.journal, k.b.host).reverted, 10);
        EXPECT_EQ(k.b.host.questionIds.back(), Question::RedoRun);
        for (int i = 0; i < 10; ++i) EXPECT_EQ(Content(k.b.dir / (Indexed("g", i))), Indexed("f", i));
        EXPECT_EQ(RedoRevertedApply(k.b.app.flags.journal, k.b.host).journalRead, false);
        EXPECT_EQ(k.b.Log().back(), "Nothing to redo: no reverted run is the latest.");
    }
}

// At start-up an interrupted revert is named as the run it reverts, and Yes finishes it.
TEST(Revert, AnInterruptedRevertIsFinishedAtStartUp) {
    KilledRevert k(6, 6);
    EXPECT_EQ(RecoverInterruptedRuns(k.b.app.flags.journal, k.b.host), 1);
    ASSERT_EQ(k.b.host.questionIds.back(), Question::RevertInterrupted);
    EXPECT_EQ(Utf8(k.b.host.questions.back()).rfind("A revert ended before it was finished (" + Utf8(k.revert) +
                                                   ").\r\nRename run of ", 0), 0u);
    EXPECT_NE(Utf8(k.b.host.questions.back()).find(": 10 entries in " + k.b.dir.path() + "\r\nYES: Finish reverting it"),
              std::string::npos);
    k.expectOldNames();
    EXPECT_EQ(RecoverInterruptedRuns(k.b.app.flags.journal, k.b.host), 0);
}

TEST(Journal, PathsAreKeptByteForByteInReadableText) {
    ApplyBench b;
    b.KeepJournals();
    const std::string odd = "tab\there\\back\xff\xfe \xc3\xa9";
    b.dir.file(odd, "odd");
    b.Add({odd});
    b.ws.list.setNewName(0, u"line\nbreak" + std::u16string(b.ws.list.oldName(0)));
    ApplyOutcome run = ApplyChanges(b.ws, ApplyType::Originals);
    ASSERT_EQ(run.counts.changed, 1);
    std::string text;
    ASSERT_TRUE(ReadFileBytes(run.journal, text, 1 << 20));
    EXPECT_EQ(FromUtf8(text).find(u'\uFFFD'), std::u16string::npos) << "valid UTF-8 throughout";
    EXPECT_NE(text.find("tab\\there\\\\back\\xFF\\xFE \xc3\xa9"), std::string::npos);
    JournalRecord r;
    Result read = ReadJournal(run.journal, r);
    ASSERT_TRUE(read) << ToUtf8(read.text());
    ASSERT_EQ(r.steps.size(), 1u);
    EXPECT_EQ(ToNative(r.steps[0].from), b.dir / odd);
    EXPECT_EQ(ToNative(r.steps[0].to), b.dir / ("line\nbreak" + odd));
    EXPECT_EQ(RevertJournal(run.journal, b.app.flags.journal, b.host).reverted, 1);
    EXPECT_EQ(Content(b.dir / odd), "odd");
}

TEST(Journal, TheNewestTwentyAreKeptAndUnsettledOnesNeverPruned) {
    TempDir state;
    std::u16string folder = state.u16("j");
    JournalPlace place{folder, {}};
    std::vector<std::u16string> made;
    for (int i = 0; i < 23; ++i) {
        JournalWriter w;
        made.push_back(NewJournalPath(place));
        ASSERT_EQ(w.create(made.back(), JournalKind::Rename).error, 0);
        ASSERT_EQ(w.seal().error, 0);
        if (i > 2) {
            ASSERT_EQ(w.end().error, 0);  // the first three were interrupted
        }
    }
    // The first and third were settled since; only the second is still open.
    ASSERT_EQ(MarkJournal(made[0], "settled").error, 0);
    ASSERT_EQ(MarkJournal(made[2], "settled").error, 0);
    {
        AppendFile cut;  // a line cut short after the decision never counted
        ASSERT_EQ(cut.openExisting(made[0]).error, 0);
        ASSERT_EQ(cut.append("K\t0").error, 0);
    }
    PruneJournals(folder);
    std::vector<std::u16string> kept = ListJournals(folder);
    std::vector<std::u16string> expected{made[1]};
    expected.insert(expected.end(), made.begin() + 3, made.end());
    EXPECT_EQ(kept, expected);
}
