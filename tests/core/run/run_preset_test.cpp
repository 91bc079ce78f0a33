#include "run/RunCommand.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace quirnel;

namespace {

struct Recorder {
    std::vector<std::string> calls;
    std::vector<PresetTask> tasks;
    int stopAt = -1;

    PresetActions actions() {
        return {
            [this](int column, bool ascending) { calls.push_back("sort " + std::to_string(column) + (ascending ? " up" : " down")); },
            [this](int command, int sub, std::u16string a1, std::u16string a2) {
                calls.push_back("task " + std::to_string(command));
                tasks.push_back({command, sub, a1, a2});
                a1 += u"changed";  // the run hands over copies
                return static_cast<int>(tasks.size()) - 1 == stopAt;
            },
            [this](ApplyType applyType) { calls.push_back("apply " + std::to_string(static_cast<int>(applyType))); },
        };
    }
};

TEST(RunPresetTest, SortsRunsTasksInOrderAndAppliesLast) {
    QuirnelPreset preset{u"P", 1, 1, 1, 0, 4, {}};
    for (int command : {2, 1, 11, 13, 14, 15, 16, 0, 21, -3, 5, 18, 12, 20})
        preset.Tasks.push_back({command, command * 10, u"", u" keep "});
    preset.Tasks[0].Arg1 = u"";  // a Replace without "Find what" still reaches the operation
    const QuirnelPreset before = preset;
    Recorder r;
    EXPECT_TRUE(RunPreset(preset, r.actions()));
    EXPECT_EQ(r.calls, (std::vector<std::string>{"sort 4 down", "task 2", "task 5", "task 18", "task 12", "task 20", "apply 1"}));
    ASSERT_EQ(r.tasks.size(), 5u);
    EXPECT_EQ(r.tasks[0], (PresetTask{2, 20, u"", u" keep "}));
    EXPECT_EQ(preset, before) << "the run never changes the stored preset";
}

TEST(RunPresetTest, SortAndApplyOnlyWhenAsked) {
    QuirnelPreset preset{u"", 0, 1, 0, 1, -1, {{7, 0, u"", u""}, {8, 0, u"", u""}}};
    Recorder r;
    EXPECT_TRUE(RunPreset(preset, r.actions()));
    EXPECT_EQ(r.calls, (std::vector<std::string>{"task 7", "task 8"}));

    preset.AutoSort = 2;  // any non-zero value asks
    preset.AutoApply = 1;
    preset.ApplyType = 0;
    Recorder r2;
    EXPECT_TRUE(RunPreset(preset, r2.actions()));
    EXPECT_EQ(r2.calls, (std::vector<std::string>{"sort -1 up", "task 7", "task 8", "apply 0"}));
}

TEST(RunPresetTest, ATaskThatStopsTheRunSkipsTheRestAndTheApply) {
    QuirnelPreset preset{u"", 1, 0, 0, 1, 0, {{2, 61, u"a", u"b"}, {3, 21, u"c", u""}, {4, 21, u"d", u""}}};
    Recorder r;
    r.stopAt = 1;
    EXPECT_FALSE(RunPreset(preset, r.actions()));
    EXPECT_EQ(r.calls, (std::vector<std::string>{"task 2", "task 3"}));
}

}  // namespace
