#include "presets/Preset.h"

#include <gtest/gtest.h>

using namespace quirnel;

namespace {

TEST(RetiredSubCommands, AreFoldedIntoTheDateAndTimeItems) {
    struct Case {
        PresetTask before, after;
        bool converted;
    };
    const Case cases[] = {
        {{3, 89, u"A", u"B"}, {3, 116, u"A%Y-%m-%dB", u""}, true},
        {{4, 65, u"", u""}, {4, 117, u"%H%M%S", u""}, true},
        {{19, 64, u" (", u") "}, {19, 116, u" (%H%M%S) ", u""}, true},
        {{3, 90, u"x", u""}, {3, 117, u"x%Y-%m-%d", u""}, true},
        {{3, 116, u"A", u"B"}, {3, 116, u"A", u"B"}, false},
        {{2, 89, u"A", u"B"}, {2, 89, u"A", u"B"}, false},
    };
    for (const Case& c : cases) {
        PresetTask task = c.before;
        EXPECT_EQ(ConvertRetiredSubCommand(task), c.converted);
        EXPECT_EQ(task, c.after) << c.before.Command << "/" << c.before.SubCommand;
    }
}

}  // namespace
