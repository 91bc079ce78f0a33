#include "app/Configuration.h"

#include <gtest/gtest.h>

#include "TestSupport.h"

using namespace quirnel;

namespace {

PresetTable Sample() {
    PresetTable t{};
    t[0] = {u"Photos", 1, 1, 1, 0, 4, {{2, 61, u"  IMG_ ", u" "}, {10, 123, u"1", u""}}};
    t[1] = {u"", 0, 0, 0, 1, -1, {{5, 0, u"", u""}}};
    t[4] = {u"Last", 0, 1, 0, 1, 7, {{17, 150, u"\tsub\t", u"<x>"}, {3, 89, u"a", u"b"}}};
    return t;
}

TEST(PresetGroup, ExportThenImportGivesEqualPresets) {
    test::TempDir dir;
    AppState source;
    source.presets = Sample();
    ASSERT_TRUE(ExportPresetGroup(dir.u16("group.qpx"), source));
    AppState target;
    target.presets[3] = {u"Old", 1, 0, 0, 1, 0, {{2, 61, u"x", u"y"}}};
    target.settings.AutoSort = 0;
    ASSERT_TRUE(ImportPresetGroup(dir.u16("group.qpx"), target));
    EXPECT_EQ(target.presets, source.presets) << "blanks in arguments are kept, slot 4 emptied";
    EXPECT_EQ(target.settings.AutoSort, 0) << "a group file holds presets only";
    std::string bytes = dir.read("group.qpx");
    EXPECT_EQ(bytes.substr(0, 2), "\xFF\xFE");
}

TEST(PresetGroup, NamesLoseTheirOuterBlanks) {
    test::TempDir dir;
    AppState app;
    app.presets[0].Name = u"  spaced  ";
    ASSERT_TRUE(ExportPresetGroup(dir.u16("g.qpx"), app));
    ASSERT_TRUE(ImportPresetGroup(dir.u16("g.qpx"), app));
    EXPECT_EQ(app.presets[0].Name, u"spaced");
}

TEST(PresetGroup, FileWithTwoPresetsEmptiesTheRest) {
    test::TempDir dir;
    dir.file("two.qpx", "Preset_Name=A\r\nPresetTask_Command=7\r\nPreset_Name=B\r\nPresetTask_Command=8\r\n");
    AppState app;
    app.presets = Sample();
    ASSERT_TRUE(ImportPresetGroup(dir.u16("two.qpx"), app));  // UTF-8 without a mark reads the same
    EXPECT_EQ(app.presets[0], (QuirnelPreset{u"A", 0, 0, 0, 1, 0, {{7, 0, u"", u""}}}));
    EXPECT_EQ(app.presets[1].Name, u"B");
    for (int i = 2; i < kPresetCount; ++i) EXPECT_EQ(app.presets[i], QuirnelPreset{});
}

TEST(PresetGroup, ATaskOfANewerVersionStillLoads) {
    test::TempDir dir;
    dir.file("newer.qpx", "Preset_Name=A\r\nPresetTask_Command=2\r\nPresetTask_SubCommand=549\r\n"
                          "PresetTask_Arg1=<x>\r\nPresetTask_Command=2\r\nPresetTask_SubCommand=501\r\n"
                          "PresetTask_Arg1=<(\\d+)>\r\nPresetTask_Arg2=<<$1>>\r\n");
    AppState app;
    ASSERT_TRUE(ImportPresetGroup(dir.u16("newer.qpx"), app));
    EXPECT_EQ(app.presets[0].Tasks, (std::vector<PresetTask>{{2, 549, u"x", u""}, {2, 501, u"(\\d+)", u"<$1>"}}));
}

TEST(PresetGroup, Utf8FileWithByteOrderMarkKeepsItsFirstPreset) {
    test::TempDir dir;
    dir.file("bom.qpx", "\xEF\xBB\xBFPreset_Name=A\r\nPresetTask_Command=7\r\nPreset_Name=B\r\n");
    AppState app;
    ASSERT_TRUE(ImportPresetGroup(dir.u16("bom.qpx"), app));
    EXPECT_EQ(app.presets[0].Name, u"A");
    EXPECT_EQ(app.presets[0].Tasks.size(), 1u);
    EXPECT_EQ(app.presets[1].Name, u"B");
}

TEST(PresetGroup, UnreadableOrPresetlessFileKeepsThePresets) {
    test::TempDir dir;
    dir.file("settings-only.qpx", "AutoSort=0\r\nPresetTask_Command=2\r\n");
    dir.file("empty.qpx", "");
    AppState app;
    app.presets = Sample();
    EXPECT_FALSE(ImportPresetGroup(dir.u16("missing.qpx"), app));
    EXPECT_FALSE(ImportPresetGroup(dir.u16(), app)) << "a folder cannot be read";
    EXPECT_FALSE(ImportPresetGroup(dir.u16("empty.qpx"), app));
    EXPECT_FALSE(ImportPresetGroup(dir.u16("settings-only.qpx"), app));
    EXPECT_EQ(app.presets, Sample());
    EXPECT_EQ(app.settings.AutoSort, 0) << "settings lines of any file read as configuration still apply";
}

TEST(PresetGroup, ImportingTheConfigurationRestoresEverything) {
    test::TempDir dir;
    AppState saved;
    saved.presets = Sample();
    saved.settings.IconType = 4;
    saved.hotkeys.at(32780).KeyCode = 65;
    ASSERT_TRUE(WriteConfiguration(dir.u16("quirnel.ini"), saved));
    AppState app;
    ASSERT_TRUE(ImportPresetGroup(dir.u16("quirnel.ini"), app));
    EXPECT_EQ(app.presets, saved.presets);
    EXPECT_EQ(app.settings.IconType, 4);
    EXPECT_EQ(app.hotkeys.at(32780).KeyCode, 65);
}

TEST(PresetGroup, ExportToAnUnwritablePlaceFails) {
    test::TempDir dir;
    AppState app;
    EXPECT_FALSE(ExportPresetGroup(dir.u16() + u"/no/such/folder/g.qpx", app));
}

}  // namespace
