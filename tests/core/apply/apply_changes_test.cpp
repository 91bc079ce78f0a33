#include "apply/ApplyChanges.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include "apply/ApplyTestSupport.h"
#include "namelist/IconCache.h"

using namespace quirnel;
using namespace quirnel::test;

namespace {

std::vector<std::string> From(const std::vector<std::string>& log, size_t start) {
    std::vector<std::string> out;
    for (size_t i = start; i < log.size(); ++i) out.push_back(WithoutMs(log[i]));
    return out;
}

}  // namespace

TEST(ApplyChanges, RenamesMovesAndLogsEveryFailureWithItsReason) {
    ApplyBench b;
    for (const char* f : {"a.txt", "b.txt", "c.txt", "d.txt", "e.txt", "f.txt", "g.txt", "keep.txt", "taken.txt", "pfile"})
        b.dir.file(f, f);
    b.Add({"a.txt", "b.txt", "c.txt", "d.txt", "e.txt", "f.txt", "g.txt", "keep.txt"});
    ASSERT_EQ(b.ws.list.size(), 8);
    b.Propose(0, "A1.txt");
    b.Propose(1, "b.txt", "new/deep/tree");
    b.Propose(2, "c.txt", "new/deep/tree");
    b.Propose(3, "taken.txt");
    b.Propose(4, "e.txt", "pfile");
    b.Propose(5, std::string(256, 'x'));
    b.Propose(6, "g2.txt");
    unlink((b.dir / "g.txt").c_str());
    b.ws.list.setSelected(2, true);

    ApplyOutcome out = ApplyChanges(b.ws, ApplyType::Originals);

    EXPECT_TRUE(out.checksPassed);
    EXPECT_EQ(From(b.Log(), b.LogFrom("Starting applying changes to originals.")),
              (std::vector<std::string>{"Starting applying changes to originals.",
                                        "Failed to change: d.txt (File exists)",
                                        "Failed to change: e.txt (Not a directory)",
                                        "Failed to change: f.txt (File name too long)",
                                        "Failed to change: g.txt (No such file or directory)",
                                        "Failed to change: keep.txt (Skipped the name with no change)",
                                        " Total : 8 / Processed : 8 / Changed : 3", "Done (Elapsed Time: _ ms)"}));
    EXPECT_EQ(Content(b.dir / "A1.txt"), "a.txt");
    EXPECT_EQ(Content(b.dir / "new/deep/tree/b.txt"), "b.txt");
    EXPECT_EQ(Content(b.dir / "new/deep/tree/c.txt"), "c.txt");
    EXPECT_EQ(Content(b.dir / "taken.txt"), "taken.txt");
    EXPECT_EQ(Content(b.dir / "d.txt"), "d.txt");

    NameList& l = b.ws.list;
    EXPECT_EQ(Utf8(l.oldName(0)), "A1.txt");
    EXPECT_EQ(l.newName(0), l.oldName(0));
    EXPECT_EQ(Utf8(l.fullPath(1)), b.dir / "new/deep/tree/b.txt");
    EXPECT_EQ(Utf8(l.oldFolder(1)), b.dir / "new/deep/tree");
    EXPECT_TRUE(l.paths().contains(b.Path("A1.txt")));
    EXPECT_FALSE(l.paths().contains(b.Path("a.txt")));
    EXPECT_EQ(l.paths().size(), 8u);
    EXPECT_EQ(Utf8(l.oldName(3)), "d.txt");  // failed rows keep their proposals
    EXPECT_EQ(Utf8(l.newName(3)), "taken.txt");
    EXPECT_FALSE(l.anySelected());
    EXPECT_EQ(b.app.flags.stopFlag, 1);
    EXPECT_EQ(b.app.flags.unappliedFlag, 1);
    EXPECT_EQ(Utf8(b.host.status), "Number of items : 8");
}

TEST(ApplyChanges, CopiesKeepTheOriginalsAndNeverOverwrite) {
    ApplyBench b;
    b.dir.file("a.txt", "A");
    b.dir.file("a2.txt", "A2");
    b.dir.file("fold/inner.txt", "I");
    b.dir.file("fold2/x", "X");
    b.dir.file("exists.txt", "keep");
    b.dir.file("busy/own", "own");
    b.Add({"a.txt", "fold", "a2.txt", "fold2"});
    b.Propose(0, "a-copy.txt");
    b.Propose(1, "fold-copy");
    b.Propose(2, "exists.txt");
    b.Propose(3, "busy");

    ApplyChanges(b.ws, ApplyType::Copies);

    EXPECT_EQ(From(b.Log(), b.LogFrom("Starting applying changes by making copies.")),
              (std::vector<std::string>{"Starting applying changes by making copies.",
                                        "Failed to change: a2.txt (File exists)",
                                        "Failed to change: " + (b.dir / "fold2") + " (File exists)",
                                        " Total : 4 / Processed : 4 / Changed : 2", "Done (Elapsed Time: _ ms)"}));
    EXPECT_EQ(Content(b.dir / "a.txt"), "A");
    EXPECT_EQ(Content(b.dir / "a-copy.txt"), "A");
    EXPECT_EQ(Content(b.dir / "fold/inner.txt"), "I");
    EXPECT_EQ(Content(b.dir / "fold-copy/inner.txt"), "I");
    EXPECT_EQ(Content(b.dir / "exists.txt"), "keep");
    EXPECT_FALSE(OnDisk(b.dir / "busy/x"));
    EXPECT_EQ(Utf8(b.ws.list.fullPath(0)), b.dir / "a-copy.txt");  // the row stands for the copy
    b.Add({"a.txt"});                                               // the original can be listed again
    EXPECT_EQ(b.ws.list.size(), 5);
}

TEST(ApplyChanges, UnchangedRowsAreSkippedAndTheFlagKept) {
    ApplyBench b;
    b.dir.file("a", "");
    b.dir.file("b", "");
    b.Add({"a", "b"});
    ASSERT_EQ(b.app.flags.unappliedFlag, 1);
    ApplyChanges(b.ws, ApplyType::Originals);
    EXPECT_EQ(From(b.Log(), b.LogFrom("Starting applying changes to originals.")),
              (std::vector<std::string>{"Starting applying changes to originals.",
                                        "Failed to change: a (Skipped the name with no change)",
                                        "Failed to change: b (Skipped the name with no change)",
                                        " Total : 2 / Processed : 2 / Changed : 0", "Done (Elapsed Time: _ ms)"}));
    EXPECT_EQ(b.app.flags.unappliedFlag, 1);
}

// The window forgets the removed rows before the report's own event loop paints.
TEST(ApplyChanges, RemovedRowsAreAnnouncedBeforeTheReport) {
    for (bool clear : {true, false}) {
        ApplyBench b;
        b.app.settings.ClearAfterApply = clear;
        b.app.settings.ShowDoneDialog = 1;
        for (const char* f : {"a", "b", "c"}) b.dir.file(f, "");
        b.Add({"a", "b", "c"});
        b.Propose(0, "a2");
        b.Propose(2, "c2");
        std::vector<std::string> events;
        b.host.onRowsRemoved = [&] { events.push_back("removed, rows left: " + std::to_string(b.ws.list.size())); };
        b.host.onMessage = [&] { events.push_back("report"); };
        ApplyChanges(b.ws, ApplyType::Originals);
        if (clear)
            EXPECT_EQ(events, (std::vector<std::string>{"removed, rows left: 1", "report"}));
        else
            EXPECT_EQ(events, (std::vector<std::string>{"report"}));
    }
}

TEST(ApplyChanges, ClearAfterApplyRemovesTheChangedRows) {
    for (bool withFailure : {true, false}) {
        ApplyBench b;
        b.app.settings.ClearAfterApply = 1;
        std::vector<std::string> names;
        for (int i = 0; i < 10; ++i) {
            names.push_back(Name("f", i));
            b.dir.file(names.back(), "");
        }
        b.dir.file("taken", "");
        b.Add(names);
        for (int i = 0; i < 10; ++i) b.Propose(i, Name("g", i));
        if (withFailure) b.Propose(4, "taken");
        ApplyChanges(b.ws, ApplyType::Originals);
        if (withFailure) {
            ASSERT_EQ(b.ws.list.size(), 1);
            EXPECT_EQ(Utf8(b.ws.list.oldName(0)), "f4");
            EXPECT_EQ(b.ws.list.paths().size(), 1u);
            EXPECT_TRUE(b.ws.list.paths().contains(b.Path("f4")));
            EXPECT_EQ(b.Log().back(), "Removed 9 item(s) from the list.");
            EXPECT_EQ(b.app.flags.unappliedFlag, 1);
        } else {
            EXPECT_EQ(b.ws.list.size(), 0);
            EXPECT_EQ(b.ws.list.paths().size(), 0u);
            EXPECT_EQ(b.Log().back(), "Removed 10 item(s) from the list.");
            EXPECT_EQ(b.app.flags.unappliedFlag, 0);
        }
    }
}

TEST(ApplyChanges, ResultReportHoldsExactlyThisRunsLines) {
    ApplyBench b;
    b.app.settings.ShowDoneDialog = 1;
    b.app.settings.AutoNumber = 1;
    b.dir.file("a", "");
    b.dir.file("b", "");
    b.Add({"a", "b"});
    b.Propose(0, "x");
    b.Propose(1, "x");
    ApplyChanges(b.ws, ApplyType::Originals);
    ASSERT_EQ(b.host.dialogs.size(), 1u);
    EXPECT_EQ(Utf8(b.host.dialogs[0].first), "Result Report");
    std::string report = std::regex_replace(Utf8(b.host.dialogs[0].second),
                                            std::regex("\\[[0-9]{4}-[0-9]{2}-[0-9]{2} [0-9]{2}:[0-9]{2}:[0-9]{2}\\] "), "");
    EXPECT_EQ(WithoutMs(report),
              "Starting applying changes to originals.\r\n"
              "Appended an incremental number due to duplication.: x (2)\r\n"
              " Total : 2 / Processed : 2 / Changed : 2\r\n"
              "Done (Elapsed Time: _ ms)");
    EXPECT_TRUE(OnDisk(b.dir / "x (2)"));
}

TEST(ApplyChanges, AStopDuringRowKEndsTheRunAfterIt) {
    ApplyBench b;
    std::vector<std::string> names;
    for (int i = 1; i <= 10; ++i) {
        names.push_back(Name("r", i));
        b.dir.file(names.back(), "");
    }
    b.Add(names);
    for (int i = 0; i < 10; ++i) b.Propose(i, Name("s", i + 1));
    unlink((b.dir / "r5").c_str());  // row 5 logs a line while it is handled; the stop comes then
    b.host.onLog = [&](const std::u16string& line) {
        if (line.rfind(u"Failed to change", 0) == 0) b.app.flags.stopFlag = 1;
    };
    ApplyOutcome out = ApplyChanges(b.ws, ApplyType::Originals);
    EXPECT_EQ(out.counts.processed, 5);
    EXPECT_EQ(out.counts.changed, 4);
    std::vector<std::string> log = b.Log();
    EXPECT_LT(b.LogFrom(" Total : 10 / Processed : 5 / Changed : 4"), log.size());
    for (int i = 5; i < 10; ++i) {
        EXPECT_EQ(Utf8(b.ws.list.newName(i)), Name("s", i + 1));
        EXPECT_EQ(Utf8(b.ws.list.oldName(i)), Name("r", i + 1));
        EXPECT_TRUE(OnDisk(b.dir / (Name("r", i + 1))));
    }
    EXPECT_TRUE(OnDisk(b.dir / "s4"));
    EXPECT_EQ(b.app.flags.stopFlag, 1);
}

TEST(ApplyChanges, FailedChecksTouchNothingAndSelectTheRow) {
    ApplyBench b;
    b.dir.file("a.txt", "");
    b.dir.file("b.txt", "");
    b.dir.file("c.txt", "");
    b.Add({"a.txt", "b.txt", "c.txt"});
    b.Propose(0, "x.txt");
    b.Propose(2, "x.txt");
    b.ws.list.setSelected(0, true);
    size_t before = b.host.log.size();
    ApplyOutcome out = ApplyChanges(b.ws, ApplyType::Originals);
    EXPECT_FALSE(out.checksPassed);
    EXPECT_EQ(out.failingRow, 2);
    ASSERT_EQ(b.host.dialogs.size(), 1u);
    EXPECT_EQ(Utf8(b.host.dialogs[0].first), "Error Message");
    EXPECT_EQ(Utf8(b.host.dialogs[0].second), "Detected duplication:\r\n\r\nx.txt\r\n(" + (b.dir / "x.txt") + ")\r\nItem 3: " + (b.dir / "c.txt"));
    EXPECT_EQ(b.ws.list.firstSelected(), 2);
    EXPECT_FALSE(b.ws.list.selected(0));
    EXPECT_EQ(From(b.Log(), before), std::vector<std::string>{"Starting applying changes to originals."});
    EXPECT_TRUE(OnDisk(b.dir / "a.txt"));
    EXPECT_FALSE(OnDisk(b.dir / "x.txt"));
    EXPECT_EQ(b.app.flags.stopFlag, 1);
}

// The row before the folder renames inside it first; the row after it finds
// its old path gone.
TEST(ApplyChanges, RowsInsideARenamedFolderFailAndAreNotRewritten) {
    ApplyBench b;
    b.dir.file("f/a.txt", "A");
    b.dir.file("f/0.txt", "0");
    b.Add({"f/0.txt", "f", "f/a.txt"});
    ASSERT_EQ(b.ws.list.size(), 3);
    ASSERT_EQ(Utf8(b.ws.list.oldName(1)), "f");
    b.Propose(0, "1.txt");
    b.Propose(1, "g");
    b.Propose(2, "a2.txt");
    ApplyChanges(b.ws, ApplyType::Originals);
    EXPECT_EQ(Content(b.dir / "g/a.txt"), "A");
    EXPECT_EQ(Content(b.dir / "g/1.txt"), "0");
    EXPECT_EQ(b.Log()[b.LogFrom(" Total : 3 / Processed : 3 / Changed : 2") - 1],
              "Failed to change: a.txt (No such file or directory)");
    EXPECT_EQ(Utf8(b.ws.list.oldFolder(2)), b.dir / "f");
    EXPECT_EQ(Utf8(b.ws.list.newName(2)), "a2.txt");
}

TEST(ApplyChanges, CaseOnlyAndNonUtf8Names) {
    ApplyBench b;
    b.dir.file("a.txt", "a");
    b.dir.file("\xff\xfe.txt", "raw");
    b.Add({"a.txt", "\xff\xfe.txt"});
    ASSERT_EQ(b.ws.list.size(), 2);
    b.Propose(0, "A.txt");
    b.ws.list.setNewName(1, u"new-" + std::u16string(b.ws.list.oldName(1)));
    ApplyOutcome out = ApplyChanges(b.ws, ApplyType::Originals);
    EXPECT_EQ(out.counts.changed, 2);
    EXPECT_EQ(Content(b.dir / "A.txt"), "a");
    EXPECT_FALSE(OnDisk(b.dir / "a.txt"));
    EXPECT_EQ(Content(b.dir / "new-\xff\xfe.txt"), "raw");
    EXPECT_EQ(ToNative(b.ws.list.fullPath(1)), b.dir / "new-\xff\xfe.txt");
}

TEST(ApplyChanges, AcrossFileSystemsAFileMovesAndAFolderFails) {
    struct stat a, s;
    if (stat("/tmp", &a) != 0 || stat("/dev/shm", &s) != 0 || a.st_dev == s.st_dev)
        GTEST_SKIP() << "no second file system beside /tmp";
    char tmpl[] = "/dev/shm/quirnel-test-XXXXXX";
    ASSERT_TRUE(mkdtemp(tmpl));
    std::string other = tmpl;
    ApplyBench b;
    b.dir.file("a.txt", "A");
    b.dir.file("f/x", "X");
    b.Add({"a.txt", "f"});
    b.ws.list.setNewFolder(0, FromNative(other));
    b.ws.list.setNewFolder(1, FromNative(other));
    ApplyChanges(b.ws, ApplyType::Originals);
    EXPECT_EQ(Content(other + "/a.txt"), "A");
    EXPECT_FALSE(OnDisk(b.dir / "a.txt"));
    EXPECT_EQ(Content(b.dir / "f/x"), "X");
    EXPECT_FALSE(OnDisk(other + "/f"));
    EXPECT_EQ(b.Log()[b.LogFrom(" Total : 2 / Processed : 2 / Changed : 1") - 1],
              "Failed to change: f (Invalid cross-device link)");
    std::filesystem::remove_all(other);
}

TEST(ApplyChanges, IconFollowsAChangedExtensionAndProgressStepsByTwo) {
    struct Icons : IconProvider {
        int fileIcon(const std::u16string&, const std::u16string& ext) override { return ext == u".jpg" ? 7 : 1; }
    } icons;
    ApplyBench b;
    b.ws.icons.setProvider(&icons);
    b.app.settings.UseThread = 1;  // the progress figure belongs to threaded runs
    std::vector<std::string> names;
    for (int i = 0; i < 30; ++i) {
        names.push_back(Name("p", i, ".txt"));
        b.dir.file(names.back(), "");
    }
    b.Add(names);
    EXPECT_EQ(b.ws.list.iconIndex(0), 1);
    b.Propose(0, "p0.jpg");
    for (int i = 1; i < 30; ++i) b.Propose(i, Name("q", i, ".TXT"));
    ApplyChanges(b.ws, ApplyType::Originals);
    EXPECT_EQ(b.ws.list.iconIndex(0), 7);
    EXPECT_EQ(b.ws.list.iconIndex(1), 1);
    ASSERT_FALSE(b.host.progress.empty());
    for (size_t i = 0; i < b.host.progress.size(); ++i) {
        EXPECT_EQ(b.host.progress[i] % 2, 0);
        if (i > 0) {
            EXPECT_GT(b.host.progress[i], b.host.progress[i - 1]);
        }
    }
    EXPECT_EQ(b.host.progress.back(), 100);
}
