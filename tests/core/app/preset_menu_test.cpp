#include "app/PresetMenu.h"

#include <gtest/gtest.h>

#include <vector>

#include "EnglishTexts.h"
#include "base/StringTable.h"

using namespace quirnel;

namespace {

using test::EnglishTexts;

TEST_F(EnglishTexts, PresetMenuShowsNamesHotkeysAndAvailability) {
    PresetTable presets{};
    presets[1] = {u"Photos", 0, 0, 0, 1, 0, {{5, 0, u"", u""}}};
    presets[2] = {u"", 1, 0, 1, 1, 0, {}};
    HotkeyTable hotkeys = DefaultHotkeys();
    hotkeys.at(32773) = {32773, 'P', 1, 1};
    hotkeys.at(32775) = {32775, 0, 0, 0};
    std::vector<PresetMenuEntry> entries = PresetMenuEntries(presets, hotkeys);
    ASSERT_EQ(entries.size(), 5u);
    EXPECT_EQ(entries[0].commandId, 32771);
    EXPECT_EQ(entries[0].text, u"Apply Preset 1 : (No Name)\tF1");
    EXPECT_FALSE(entries[0].enabled);
    EXPECT_EQ(entries[1].text, u"Apply Preset 2 : Photos\tF2");
    EXPECT_TRUE(entries[1].enabled);
    EXPECT_EQ(entries[2].text, u"Apply Preset 3 : (No Name)\tCtrl\uFF0BShift\uFF0BP");
    EXPECT_FALSE(entries[2].enabled) << "no tasks: greyed even with AutoApply";
    EXPECT_EQ(entries[4].commandId, 32775);
    EXPECT_EQ(entries[4].text, u"Apply Preset 5 : (No Name)\t");
    EXPECT_EQ(PresetMenuText(4, presets[1]), u"Apply Preset 4 : Photos\tF4");
}

}  // namespace
