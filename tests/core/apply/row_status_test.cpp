#include "apply/RowStatus.h"

#include <gtest/gtest.h>

#include "apply/ApplyTestSupport.h"

using namespace quirnel;
using namespace quirnel::test;

namespace {

using F = RowFate;

struct Row {
    const char* old;
    const char* proposed;
    const char* folder;  // "" keeps the folder
    RowStatus renameStrict;   // applyType 0, AutoNumber 0, disk looked up
    RowStatus renameNumbered; // applyType 0, AutoNumber 1, no disk
    RowStatus copy;           // applyType 1, AutoNumber 0, disk looked up
};

}  // namespace

TEST(RowStatus, EveryRowsFateBeforeApplying) {
    const Row table[] = {
        {"same", "same", "", {F::Unchanged}, {F::Unchanged}, {F::Unchanged}},
        {"r1", "r1new", "", {F::Rename}, {F::Rename}, {F::Copy}},
        {"m1", "m1", "sub", {F::Move}, {F::Move}, {F::Copy}},
        {"e1", "", "", {F::EmptyName}, {F::EmptyName}, {F::EmptyName}},
        {"f1", "x/y", "", {F::ForbiddenCharacter}, {F::ForbiddenCharacter}, {F::ForbiddenCharacter}},
        {"d1", "dup", "", {F::Rename}, {F::Rename}, {F::Copy}},
        {"d2", "dup", "", {F::Duplicate, 5}, {F::Numbered, 2}, {F::Duplicate, 5}},
        {"t1", "held", "", {F::TargetExists}, {F::Rename}, {F::TargetExists}},
        {"c1", "c0", "", {F::Chain}, {F::Chain}, {F::Copy}},
        {"c2", "c1", "", {F::Chain}, {F::Chain}, {F::TargetExists}},
        {"s1", "s2", "", {F::Cycle}, {F::Cycle}, {F::TargetExists}},
        {"s2", "s1", "", {F::Cycle}, {F::Cycle}, {F::TargetExists}},
        {"b2", "b1", "", {F::TargetExists}, {F::Chain}, {F::TargetExists}},  // waits for b1, which cannot move
        {"b1", "held2", "", {F::TargetExists}, {F::Chain}, {F::TargetExists}},
    };
    ApplyBench b;
    std::vector<std::string> olds;
    for (const Row& r : table) {
        b.dir.file(r.old, r.old);
        olds.push_back(r.old);
    }
    b.dir.file("held", "");
    b.dir.file("held2", "");
    b.Add(olds);
    ASSERT_EQ(b.ws.list.size(), static_cast<int>(std::size(table)));
    for (size_t i = 0; i < std::size(table); ++i) b.Propose(static_cast<int>(i), table[i].proposed, table[i].folder);

    const struct {
        const char* what;
        StatusOptions options;
        RowStatus Row::*expected;
    } modes[] = {
        {"rename, duplicates stop", {ApplyType::Originals, false, true}, &Row::renameStrict},
        {"rename, duplicates numbered, no disk", {ApplyType::Originals, true, false}, &Row::renameNumbered},
        {"copy", {ApplyType::Copies, false, true}, &Row::copy},
    };
    for (const auto& m : modes) {
        std::vector<RowStatus> got = RowStatuses(ListRows(b.ws.list), m.options);
        ASSERT_EQ(got.size(), std::size(table));
        for (size_t i = 0; i < got.size(); ++i) {
            const RowStatus& want = table[i].*m.expected;
            EXPECT_EQ(RowFateWord(got[i].fate), std::string(RowFateWord(want.fate))) << m.what << ", row " << table[i].old;
            if (want.detail >= 0) {
                EXPECT_EQ(got[i].detail, want.detail) << m.what << ", row " << table[i].old;
            }
        }
    }
    EXPECT_EQ(Content(b.dir / "s1"), "s1") << "nothing on disk changes";
}

TEST(RowStatus, TextsAndTheTaskOffTheCallingThread) {
    EXPECT_EQ(Utf8(RowStatusText({F::Duplicate, 5})), "Duplicate of row 6");
    EXPECT_EQ(Utf8(RowStatusText({F::Numbered, 3})), "Will be numbered: 3");
    EXPECT_EQ(Utf8(RowStatusText({F::EmptyName})), "Found an item with no valid name.");

    ApplyBench b;
    for (const char* f : {"a", "b", "c"}) b.dir.file(f, "");
    b.Add({"a", "c"});
    b.Propose(0, "b");
    std::atomic<int> notified{0};
    RowStatusTask task(b.ws.list, {ApplyType::Originals, false, true}, [&] { ++notified; });
    const std::vector<RowStatus>& got = task.statuses();
    ASSERT_EQ(got.size(), 2u);
    EXPECT_EQ(got[0].fate, F::TargetExists);
    EXPECT_EQ(got[1].fate, F::Unchanged);
    EXPECT_TRUE(task.finished());
    EXPECT_EQ(notified, 1);
}
