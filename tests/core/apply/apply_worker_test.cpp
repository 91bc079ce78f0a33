#include "apply/ApplyWorker.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "apply/ApplyChanges.h"
#include "apply/ApplyTestSupport.h"
#include "platform/LocalTime.h"

using namespace quirnel;
using namespace quirnel::test;

namespace {

// The same folders and proposals in a fresh temporary folder.
void Prepare(ApplyBench& b) {
    b.app.settings.UseThread = 1;
    b.app.settings.AutoNumber = 1;
    b.app.settings.ShowDoneDialog = 1;
    std::vector<std::string> names;
    for (int i = 0; i < 300; ++i) {
        names.push_back(Name("f", i, ".txt"));
        b.dir.file(names.back(), names.back());
    }
    b.dir.file("taken.txt", "");
    b.Add(names);
    for (int i = 0; i < 300; ++i) {
        if (i % 7 == 0) b.Propose(i, "same.txt", "sub/deeper");  // numbered, moved into a new chain
        else if (i % 50 == 3) b.Propose(i, "taken.txt");           // fails on disk
        else if (i % 11 != 0) b.Propose(i, Name("g", i, ".dat"));  // the rest stays unchanged
    }
}

std::string Relative(std::string text, const std::string& dir) {
    for (size_t p; (p = text.find(dir)) != std::string::npos;) text.replace(p, dir.size(), "<dir>");
    return text;
}

struct Seen {
    std::vector<std::string> rows, log, dialogs;
    std::vector<int> progress;
    std::string status;
    int stop, unapplied;
};

Seen Observe(const ApplyBench& b) {
    Seen s;
    const NameList& l = b.ws.list;
    for (int r = 0; r < l.size(); ++r)
        for (int c : {ColOldName, ColNewName, ColOldFolder, ColNewFolder, ColFullPath})
            s.rows.push_back(Relative(Utf8(l.text(r, c)), b.dir.path()));
    for (auto& line : b.Log()) s.log.push_back(Relative(WithoutMs(line), b.dir.path()));
    for (auto& [title, text] : b.host.dialogs) {
        std::string t = std::regex_replace(Utf8(text), std::regex("\\[[-0-9: ]+\\] "), "");
        s.dialogs.push_back(Utf8(title) + "|" + Relative(WithoutMs(t), b.dir.path()));
    }
    s.progress = b.host.progress;
    s.status = Utf8(b.host.status);
    s.stop = b.app.flags.stopFlag;
    s.unapplied = b.app.flags.unappliedFlag;
    return s;
}

}  // namespace

// The window's way: the worker's notification wakes the owner, which drains.
TEST(ApplyWorker, BatchedHandOffGivesTheRowsAndLogOfTheSynchronousRun) {
    ApplyBench sync;
    Prepare(sync);
    ApplyOutcome syncOutcome = ApplyChanges(sync.ws, ApplyType::Originals);

    ApplyBench threaded;
    Prepare(threaded);
    std::mutex m;
    std::condition_variable cv;
    int posted = 0;
    std::thread::id owner = std::this_thread::get_id();
    bool notifiedOnWorker = true;
    ApplyWorker worker(threaded.ws, ApplyType::Originals, [&] {
        std::lock_guard<std::mutex> lock(m);
        if (std::this_thread::get_id() == owner) notifiedOnWorker = false;
        ++posted;
        cv.notify_all();
    });
    EXPECT_EQ(threaded.app.flags.stopFlag, 0);
    int handled = 0, drains = 0;
    for (;;) {
        {
            std::unique_lock<std::mutex> lock(m);
            cv.wait(lock, [&] { return posted > handled; });
            handled = posted;
        }
        ++drains;
        if (worker.drainUpdates()) break;
    }
    EXPECT_TRUE(notifiedOnWorker);
    EXPECT_GE(drains, 2);  // the report's message at least comes apart from the rows

    Seen a = Observe(sync), b = Observe(threaded);
    EXPECT_EQ(a.rows, b.rows);
    EXPECT_EQ(a.log, b.log);
    EXPECT_EQ(a.dialogs, b.dialogs);
    // The owner sees fewer figures, each the newest when it came to them.
    EXPECT_TRUE(std::is_sorted(b.progress.begin(), b.progress.end()));
    EXPECT_TRUE(std::includes(a.progress.begin(), a.progress.end(), b.progress.begin(), b.progress.end()));
    EXPECT_EQ(a.progress.back(), b.progress.back());
    EXPECT_EQ(a.status, b.status);
    EXPECT_EQ(b.stop, 1);
    EXPECT_EQ(a.unapplied, b.unapplied);
    EXPECT_EQ(worker.outcome().counts.changed, syncOutcome.counts.changed);
    EXPECT_EQ(syncOutcome.counts.changed, 276);  // 23 unchanged rows, one target taken on disk
    ASSERT_EQ(b.dialogs.size(), 1u);
    EXPECT_EQ(b.dialogs[0].rfind("Result Report|Starting applying changes to originals.", 0), 0u);
}

// An owner that comes a second after the last change shows the final figure
// at once, and log lines with the time they happened.
TEST(ApplyWorker, ALateOwnerSeesTheNewestFigureAndWhenEachLineHappened) {
    ApplyBench b;
    Prepare(b);
    ApplyWorker worker(b.ws, ApplyType::Originals);
    for (int i = 0; i < 10000 && !worker.changesOver(); ++i) usleep(1000);
    ASSERT_TRUE(worker.changesOver());
    const int64_t over = NowUtcSeconds();
    sleep(1);
    worker.wait();
    EXPECT_EQ(b.host.progress, std::vector<int>{100});
    ASSERT_FALSE(b.host.logTimes.empty());
    for (int64_t t : b.host.logTimes) EXPECT_LE(t, over);
}

TEST(ApplyWorker, TheWorkerNeverWritesTheListItself) {
    ApplyBench b;
    b.dir.file("a", "");
    b.dir.file("b", "");
    b.Add({"a", "b"});
    b.Propose(0, "a2");
    b.Propose(1, "b2");
    ApplyWorker worker(b.ws, ApplyType::Originals);
    for (int i = 0; i < 5000 && !(OnDisk(b.dir / "a2") && OnDisk(b.dir / "b2")); ++i) usleep(1000);
    ASSERT_TRUE(OnDisk(b.dir / "b2"));
    usleep(20000);
    EXPECT_EQ(Utf8(b.ws.list.oldName(0)), "a");  // nothing applied before the owner drains
    EXPECT_EQ(Utf8(b.ws.list.oldName(1)), "b");
    ApplyOutcome out = worker.wait();
    EXPECT_EQ(out.counts.changed, 2);
    EXPECT_EQ(Utf8(b.ws.list.oldName(1)), "b2");
    EXPECT_TRUE(b.ws.list.paths().contains(b.Path("b2")));
}

TEST(ApplyWorker, AStopFromTheOwnerCancelsALargeCopyInProgress) {
    ApplyBench b;
    b.dir.file("one", "1");
    std::string big = b.dir.file("big", "");
    ASSERT_EQ(truncate(big.c_str(), 512ll * 1024 * 1024), 0);
    b.dir.file("three", "3");
    b.Add({"one", "big", "three"});
    b.Propose(0, "one-copy");
    b.Propose(1, "big-copy");
    b.Propose(2, "three-copy");
    ApplyWorker worker(b.ws, ApplyType::Copies);
    // The copy of "one" goes through an unnamed file too: only one that has
    // grown past one byte is the copy of big.
    auto bigInProgress = [&] { return UnnamedFileOpenIn(b.dir.path(), getpid(), 2); };
    for (int i = 0; i < 200000 && !bigInProgress(); ++i) usleep(50);
    ASSERT_TRUE(bigInProgress()) << "the copy of big was not seen in progress";
    b.app.flags.stopFlag = 1;  // the Stop button
    ApplyOutcome out = worker.wait();
    EXPECT_EQ(out.counts.processed, 2);
    EXPECT_EQ(out.counts.changed, 1);
    EXPECT_FALSE(OnDisk(b.dir / "big-copy"));
    EXPECT_FALSE(OnDisk(b.dir / "three-copy"));
    std::vector<std::string> log = b.Log();
    EXPECT_LT(b.LogFrom("Failed to change: big (Operation canceled)"), log.size());
    EXPECT_LT(b.LogFrom(" Total : 3 / Processed : 2 / Changed : 1"), log.size());
    EXPECT_EQ(Utf8(b.ws.list.newName(2)), "three-copy");
    EXPECT_EQ(Utf8(b.ws.list.oldName(2)), "three");
}

TEST(ApplyWorker, FailedChecksAreReportedThroughTheOwner) {
    ApplyBench b;
    b.dir.file("a", "");
    b.dir.file("b", "");
    b.Add({"a", "b"});
    b.Propose(1, "");
    ApplyWorker worker(b.ws, ApplyType::Originals);
    ApplyOutcome out = worker.wait();
    EXPECT_FALSE(out.checksPassed);
    ASSERT_EQ(b.host.dialogs.size(), 1u);
    EXPECT_EQ(Utf8(b.host.dialogs[0].second), "Found an item with no valid name.\r\nItem 2: " + (b.dir / "b"));
    EXPECT_EQ(b.ws.list.firstSelected(), 1);
    EXPECT_EQ(b.app.flags.stopFlag, 1);
    EXPECT_TRUE(OnDisk(b.dir / "a"));
}

TEST(ApplyWorker, DestroyingARunningWorkerStopsAndWaitsForIt) {
    ApplyBench b;
    std::string big = b.dir.file("big", "");
    ASSERT_EQ(truncate(big.c_str(), 512ll * 1024 * 1024), 0);
    b.Add({"big"});
    b.Propose(0, "big-copy");
    {
        ApplyWorker worker(b.ws, ApplyType::Copies);
        for (int i = 0; i < 200000 && !UnnamedFileOpenIn(b.dir.path()); ++i) usleep(50);
        ASSERT_TRUE(UnnamedFileOpenIn(b.dir.path())) << "the copy was not seen in progress";
    }
    EXPECT_EQ(b.app.flags.stopFlag, 1);
    EXPECT_FALSE(OnDisk(b.dir / "big-copy"));
    EXPECT_EQ(Utf8(b.ws.list.oldName(0)), "big");
}
