// Faults that strike in the middle of a run: the target folder turns
// read-only, or another process creates the targets of rows still to come.
// Nothing may be overwritten or lost, and every refused row is logged.
#include <gtest/gtest.h>

#include "FaultSupport.h"
#include "apply/ApplyChanges.h"

using namespace quirnel;
using namespace quirnel::test;

namespace {

constexpr int kRows = 100;

// Every file is under exactly one of its names (both, for copies), whole.
void ExpectEveryFileWhole(const std::string& folder, ApplyType applyType, const std::set<int>& changed) {
    for (int i = 0; i < kRows; ++i) {
        std::string before = folder + "/" + Name("f", i), after = folder + "/" + Name("g", i);
        bool done = changed.count(i) > 0;
        EXPECT_EQ(OnDisk(before), applyType == ApplyType::Copies || !done) << i;
        EXPECT_EQ(OnDisk(after), done) << i;
        EXPECT_EQ(Content(done ? after : before), Name("content ", i)) << i;
    }
}

std::set<int> Range(int from, int to) {
    std::set<int> s;
    for (int i = from; i < to; ++i) s.insert(i);
    return s;
}

}  // namespace

TEST(Faults, ATargetFolderMadeReadOnlyInTheMiddleOfARun) {
    for (ApplyType applyType : {ApplyType::Originals, ApplyType::Copies}) {
        FaultBench b;
        const std::string folder = b.dir.folder("m");
        TestMount mount = TestMount::Bind(folder);
        if (!mount.ok()) GTEST_SKIP() << mount.why();
        b.Files("m", kRows, "g");
        bool madeReadOnly = false;
        b.host.onProgress = [&](int percent) {
            if (percent == 50) madeReadOnly = mount.MakeReadOnly();
        };
        ApplyOutcome out = ApplyChanges(b.ws, applyType);
        ASSERT_TRUE(madeReadOnly);
        EXPECT_EQ(out.counts.processed, kRows);
        EXPECT_EQ(out.counts.changed, kRows / 2) << "applyType " << static_cast<int>(applyType);
        EXPECT_EQ(b.LogLinesWith("(Read-only file system)"), static_cast<size_t>(kRows / 2));
        ExpectEveryFileWhole(folder, applyType, Range(0, kRows / 2));
        EXPECT_EQ(Entries(folder).size(), static_cast<size_t>(applyType == ApplyType::Copies ? kRows + kRows / 2 : kRows))
            << "no temporary stays";
    }
}

TEST(Faults, TargetsCreatedByAnotherProcessWhileTheRunGoes) {
    for (ApplyType applyType : {ApplyType::Originals, ApplyType::Copies}) {
        FaultBench b;
        const std::string folder = b.dir.folder("m");
        b.Files("m", kRows, "g");
        b.host.onProgress = [&](int percent) {
            if (percent != 50) return;
            InAnotherProcess([&] {
                for (int i = 60; i < 70; ++i) std::ofstream(folder + "/" + Name("g", i)) << "other process";
            });
        };
        ApplyOutcome out = ApplyChanges(b.ws, applyType);
        EXPECT_EQ(out.counts.changed, kRows - 10);
        EXPECT_EQ(b.LogLinesWith("(File exists)"), 10u);
        for (int i = 60; i < 70; ++i) {
            EXPECT_EQ(Content(folder + "/" + Name("g", i)), "other process") << i;
            EXPECT_EQ(Content(folder + "/" + Name("f", i)), Name("content ", i)) << i;
            EXPECT_NE(b.LogLinesWith("Failed to change: " + Name("f", i, " (File exists)")), 0u) << i;
        }
        std::set<int> changed = Range(0, kRows);
        for (int i = 60; i < 70; ++i) changed.erase(i);
        for (int i : changed) EXPECT_EQ(Content(folder + "/" + Name("g", i)), Name("content ", i)) << i;
        EXPECT_EQ(Entries(folder).size(), static_cast<size_t>(applyType == ApplyType::Copies ? 2 * kRows : kRows + 10));
    }
}
