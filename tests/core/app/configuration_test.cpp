#include "app/Configuration.h"
#include "app/ColumnState.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "TestSupport.h"
#include "base/TextFile.h"

using namespace quirnel;

namespace {

struct Loaded {
    AppSettings settings;
    PresetTable presets{};
    HotkeyTable hotkeys = DefaultHotkeys();
    int names = 0;
};

Loaded Read(const std::u16string& text) {
    Loaded l;
    l.names = ApplyConfigurationText(text, {l.settings, l.presets, l.hotkeys});
    return l;
}

std::u16string U(const std::string& ascii) { return std::u16string(ascii.begin(), ascii.end()); }

TEST(ConfigurationRead, SettingLinesFollowTheReadingRules) {
    struct Case {
        const char* text;
        std::function<bool(const AppSettings&)> holds;
        const char* what;
    };
    const Case cases[] = {
        {"LogHeight=5", [](auto& s) { return s.LogHeight == 50; }, "LogHeight below 10 reads as 50"},
        {"InputPreview=7", [](auto& s) { return s.InputPreview == 1; }, "the preview pane's flag reads as 1"},
        {"AutoSort=0", [](auto& s) { return s.InputPreview == 0; }, "a file of an older version: the pane closed"},
        {"LogHeight=10", [](auto& s) { return s.LogHeight == 10; }, "LogHeight 10 stays"},
        {"LogHeight=-3", [](auto& s) { return s.LogHeight == 50; }, "negative LogHeight reads as 50"},
        {"ShowLog=2", [](auto& s) { return s.ShowLog == 1; }, "a flag is 1 for any non-zero value"},
        {"TakenFallback=1", [](auto& s) { return s.TakenFallback == 1; }, "the date taken falls back to the modified time"},
        {"AutoSort=0", [](auto& s) { return s.TakenFallback == 0; }, "a file without TakenFallback: no fallback"},
        {"ShowLog=abc", [](auto& s) { return s.ShowLog == 0; }, "no digits read as 0"},
        {"ShowLog=", [](auto& s) { return s.ShowLog == 1; }, "an empty value is skipped"},
        {"ShowLog", [](auto& s) { return s.ShowLog == 1; }, "a line without = is skipped"},
        {"uilanguage=korean", [](auto& s) { return s.UILanguage == u"korean"; }, "keys ignore letter case"},
        {"  UILanguage =  French  ", [](auto& s) { return s.UILanguage == u"French"; }, "key and value are trimmed"},
        {"LoadType= -7xyz", [](auto& s) { return s.LoadType == -7; }, "leading number with blanks and sign"},
        {"LoadType=+12", [](auto& s) { return s.LoadType == 12; }, "plus sign"},
        {"ColorBk=99999999999999999999", [](auto& s) { return s.ColorBk == 2147483647; }, "saturates high"},
        {"ColorBk=-99999999999999999999", [](auto& s) { return s.ColorBk == -2147483647 - 1; }, "saturates low"},
        {"ColorText=2147483648", [](auto& s) { return s.ColorText == 2147483647; }, "just beyond the range"},
        {"ColorText=-2147483648", [](auto& s) { return s.ColorText == -2147483647 - 1; }, "lowest value exactly"},
        {"FontItalic=257", [](auto& s) { return s.FontItalic == 1; }, "FontItalic keeps the low 8 bits"},
        {"FontItalic=-1", [](auto& s) { return s.FontItalic == 255; }, "FontItalic of -1"},
        {"FontName=  Arial Black  ", [](auto& s) { return s.FontName == u"Arial Black"; }, "text trimmed"},
        {"SortAscend=3", [](auto& s) { return s.SortAscend == 3; }, "SortAscend is an integer, not a flag"},
        {"RectMain=10,20,30", [](auto& s) { return s.RectMain == Rect{10, 20, 30, 0}; }, "missing piece stays 0"},
        {"RectMain=1,2,3,4,5", [](auto& s) { return s.RectMain == Rect{1, 2, 3, 4}; }, "extra pieces ignored"},
        {"RectInput=1,2,3,4\r\nRectInput=9", [](auto& s) { return s.RectInput == Rect{9, 0, 0, 0}; },
         "a rectangle line starts from zero"},
        {"MainX1=5\r\nMainY1=6\r\nMainX2=7\r\nMainY2=8", [](auto& s) { return s.RectMain == Rect{5, 6, 7, 8}; },
         "the old single-side keys"},
        {"EnglishUI=1", [](auto& s) { return s.UILanguage == u"english"; }, "EnglishUI on"},
        {"UILanguage=korean\r\nEnglishUI=0", [](auto& s) { return s.UILanguage == u"default"; }, "EnglishUI off"},
        {"ColWidths=100,,5,", [](auto& s) { return s.ColWidths == std::vector<uint32_t>{100, 0, 5, 0}; },
         "empty pieces give 0 entries"},
        {"ColWidths=1,2\r\nColWidths=7", [](auto& s) { return s.ColWidths == std::vector<uint32_t>{7}; },
         "the list is emptied first"},
        {"ColWidths=-1", [](auto& s) { return s.ColWidths == std::vector<uint32_t>{4294967295u}; },
         "widths are written signed and read back to the same bits"},
        {"AutoSort=0\r\nAutoSort=1\r\nAutoSort=0", [](auto& s) { return s.AutoSort == 0; }, "the last line wins"},
        {"Unknown=5\r\n\r\n=5\r\nIconType=4", [](auto& s) { return s.IconType == 4; }, "unknown and empty lines ignored"},
        {"IconType=1\nUseThread=0\nLogHeight=70", [](auto& s) { return s.IconType == 1 && s.UseThread == 0 && s.LogHeight == 70; },
         "bare line feeds end lines too"},
        {"IconType=1\r\r\nUseThread=0", [](auto& s) { return s.IconType == 1 && s.UseThread == 0; }, "stray CR is a blank"},
    };
    for (const Case& c : cases) EXPECT_TRUE(c.holds(Read(U(c.text)).settings)) << c.what << ": " << c.text;
}

TEST(ConfigurationRead, HotkeyLinesChangeExistingRecordsOnly) {
    Loaded l = Read(u"Hotkey=32780,112,0,1\r\nHotkey=40000,65,1,1\r\nHotkey=32781\r\nHotkey=32782,90,5");
    EXPECT_EQ(l.hotkeys.at(32780), (HotkeyRecord{32780, 112, 0, 1}));
    EXPECT_EQ(l.hotkeys.at(32781), (HotkeyRecord{32781, 0, 0, 0})) << "only a command id removes the hotkey";
    EXPECT_EQ(l.hotkeys.at(32782), (HotkeyRecord{32782, 90, 1, 0})) << "non-zero flag reads as 1, missing as 0";
    EXPECT_EQ(l.hotkeys.count(40000), 0u) << "the file never adds records";
    EXPECT_EQ(l.hotkeys.size(), 44u);
}

TEST(ConfigurationRead, PresetLinesFillSlotsInOrder) {
    Loaded l = Read(
        u"PresetTask_Command=2\r\n"           // before any Preset_Name: ignored
        u"Preset_Name=  First  \r\n"
        u"Preset_AutoApply=1\r\nPreset_ApplyType=1\r\nPreset_AutoSort=1\r\nPreset_SortColumn=-1\r\nPreset_SortAscend=0\r\n"
        u"PresetTask_SubCommand=61\r\n"       // before its task: ignored
        u"PresetTask_Command=2\r\nPresetTask_SubCommand=61\r\nPresetTask_Arg1=< a >\r\nPresetTask_Arg2=<>\r\n"
        u"PresetTask_Command=3\r\nPresetTask_Arg1=plain\r\nPresetTask_Arg2=<cut\r\n"
        u"Preset_Name\r\n"                    // no "=": still the next slot, with an empty name
        u"PresetTask_Command=13\r\nPresetTask_Arg1=\r\nPresetTask_Arg2=<\r\n");
    EXPECT_EQ(l.names, 2);
    const QuirnelPreset& p = l.presets[0];
    EXPECT_EQ(p.Name, u"First");
    EXPECT_EQ(p.AutoApply, 1);
    EXPECT_EQ(p.ApplyType, 1);
    EXPECT_EQ(p.AutoSort, 1);
    EXPECT_EQ(p.SortColumn, -1);
    EXPECT_EQ(p.SortAscend, 0);
    ASSERT_EQ(p.Tasks.size(), 2u);
    EXPECT_EQ(p.Tasks[0], (PresetTask{2, 61, u" a ", u""}));
    EXPECT_EQ(p.Tasks[1], (PresetTask{3, 0, u"plain", u"cu"})) << "an unclosed bracket loses the last character";
    ASSERT_EQ(l.presets[1].Tasks.size(), 1u);
    EXPECT_EQ(l.presets[1].Name, u"");
    EXPECT_EQ(l.presets[1].Tasks[0], (PresetTask{13, 0, u"", u"<"}));
    for (int i = 2; i < kPresetCount; ++i) EXPECT_EQ(l.presets[i], QuirnelPreset{});
}

TEST(ConfigurationRead, SixthPresetAndItsLinesAreIgnored) {
    std::u16string text;
    for (int i = 1; i <= 7; ++i)
        text += u"Preset_Name=P" + U(std::to_string(i)) + u"\r\nPreset_AutoApply=1\r\nPresetTask_Command=2\r\n";
    text += u"AutoSort=0\r\n";
    Loaded l = Read(text);
    for (int i = 0; i < kPresetCount; ++i) {
        EXPECT_EQ(l.presets[i].Name, u"P" + U(std::to_string(i + 1)));
        EXPECT_EQ(l.presets[i].Tasks.size(), 1u);
    }
    EXPECT_EQ(l.settings.AutoSort, 0) << "settings after the extra presets still apply";
}

TEST(ConfigurationWrite, DefaultsGiveTheCompleteLayout) {
    AppSettings s;
    PresetTable presets{};
    std::u16string text = FormatConfiguration(s, presets, DefaultHotkeys());
    std::u16string expectedStart =
        u"UILanguage=default\r\nShowCFGLoad=0\r\nAutoSort=1\r\nLoadType=2\r\nShowColumnFlag=255\r\nSortColumn=0\r\n"
        u"SortAscend=1\r\nUseDefaultColor=1\r\nColorBk=16777215\r\nColorText=0\r\nUseDefaultFont=1\r\nIconType=2\r\n"
        u"NameAutoFix=0\r\nUseThread=1\r\nIncludeExt=0\r\nAutoNumber=0\r\nShowDoneDialog=0\r\nShowLog=1\r\n"
        u"LogHeight=50\r\nSortLikeWindows=1\r\nClearAfterApply=0\r\nTakenFallback=0\r\n";
    std::u16string emptyPreset =
        u"Preset_Name=\r\nPreset_AutoApply=0\r\nPreset_ApplyType=0\r\nPreset_AutoSort=0\r\nPreset_SortColumn=0\r\n"
        u"Preset_SortAscend=1\r\n";
    std::u16string expected = expectedStart;
    for (int i = 0; i < 5; ++i) expected += emptyPreset;
    expected += u"ColWidths=\r\nHotkey=32770,122,0,0\r\nHotkey=32771,112,0,0\r\n";
    EXPECT_EQ(text.substr(0, expected.size()), expected);
    EXPECT_NE(text.find(u"Hotkey=32782,90,1,1\r\n"), std::u16string::npos);
    // The Date Taken column's width comes after every older key.
    EXPECT_TRUE(text.ends_with(u"Hotkey=32855,76,1,1\r\nTakenColWidth=0\r\n"));
    size_t hotkeyLines = 0;
    for (size_t p = text.find(u"Hotkey="); p != std::u16string::npos; p = text.find(u"Hotkey=", p + 1)) ++hotkeyLines;
    EXPECT_EQ(hotkeyLines, 44u);
}

TEST(ConfigurationWrite, RectanglesAndFontOnlyWhenTheyHoldSomething) {
    AppSettings s;
    s.RectMain = {10, 20, 30, 20};  // no height
    s.RectInput = {-5, -5, 100, 200};
    s.ColWidths = {120, 0, 4294967295u};
    std::u16string text = FormatConfiguration(s, PresetTable{}, {});
    EXPECT_EQ(text.find(u"RectMain="), std::u16string::npos);
    EXPECT_NE(text.find(u"RectInput=-5,-5,100,200\r\n"), std::u16string::npos);
    EXPECT_EQ(text.find(u"FontName="), std::u16string::npos) << "no font lines without a font name";
    EXPECT_EQ(text.find(u"FontSize="), std::u16string::npos);
    EXPECT_NE(text.find(u"ColWidths=120,0,-1\r\n"), std::u16string::npos);
    s.FontName = u"Noto Sans";
    s.FontItalic = 200;
    text = FormatConfiguration(s, PresetTable{}, {});
    EXPECT_NE(text.find(u"UseDefaultFont=1\r\nFontName=Noto Sans\r\nFontSize=12\r\nFontWeight=400\r\nFontItalic=200\r\nIconType=2"),
              std::u16string::npos);
}

AppState& Populated(AppState& app) {
    app.settings.UILanguage = u"french";
    app.settings.RectMain = {1, 2, 803, 604};
    app.settings.RectInput = {0, 0, 400, 300};
    app.settings.InputPreview = 1;
    app.settings.FontName = u"Noto Sans Mono";
    app.settings.FontItalic = 1;
    app.settings.ColorBk = -1;
    app.settings.ColWidths = {250, 250, 200, 200, 80, 130, 130, 0};
    app.presets[0] = {u"Dates", 1, 1, 1, 0, 4, {{3, 116, u"%Y-%m-%d ", u"0"}, {2, 61, u"  a*b ", u"\t x"}}};
    app.presets[2] = {u"한글 이름", 0, 0, 0, 1, -1, {{5, 0, u"", u""}, {13, 0, u"", u""}, {3, 89, u"<x>", u">"}}};
    app.hotkeys.at(32780) = {32780, 112, 0, 0};
    app.hotkeys.at(32813) = {32813, 65, 1, 1};
    return app;
}

TEST(ConfigurationFile, WriteReadWriteGivesIdenticalBytes) {
    test::TempDir dir;
    AppState first;
    ASSERT_TRUE(WriteConfiguration(dir.u16("quirnel.ini"), Populated(first)));
    AppState second;
    ASSERT_TRUE(ReadConfiguration(dir.u16("quirnel.ini"), second));
    EXPECT_EQ(second.settings, first.settings);
    EXPECT_EQ(second.presets, first.presets);
    EXPECT_EQ(second.hotkeys, first.hotkeys);
    ASSERT_TRUE(WriteConfiguration(dir.u16("again.ini"), second));
    std::string bytes = dir.read("quirnel.ini");
    EXPECT_EQ(bytes.substr(0, 2), "\xFF\xFE");
    EXPECT_EQ(dir.read("again.ini"), bytes);
}

TEST(ConfigurationFile, MissingFileAppliesNothing) {
    test::TempDir dir;
    AppState app;
    EXPECT_FALSE(ReadConfiguration(dir.u16("none.ini"), app));
    EXPECT_EQ(app.settings, AppSettings{});
    EXPECT_EQ(app.hotkeys, DefaultHotkeys());
}

TEST(ConfigurationFile, LineFeedOnlyFileReadsLikeCrLf) {
    test::TempDir dir;
    dir.file("lf.ini", "UILanguage=korean\nLogHeight=77\nPreset_Name=A\nPresetTask_Command=2\nPresetTask_Arg1=< x >\n");
    AppState app;
    ASSERT_TRUE(ReadConfiguration(dir.u16("lf.ini"), app));
    EXPECT_EQ(app.settings.UILanguage, u"korean");
    EXPECT_EQ(app.settings.LogHeight, 77);
    ASSERT_EQ(app.presets[0].Tasks.size(), 1u);
    EXPECT_EQ(app.presets[0].Tasks[0].Arg1, u" x ");
}

TEST(ConfigurationFile, WriteCreatesTheMissingUserFolder) {
    test::TempDir dir;
    std::u16string path = dir.u16() + u"/config/quirnel/quirnel.ini";
    AppState app;
    ASSERT_TRUE(WriteConfiguration(path, app));
    AppState back;
    EXPECT_TRUE(ReadConfiguration(path, back));
}

// Random bytes, and random mixes of real keys and garbage, must neither crash
// nor hang, and must keep the invariants the rest of the program relies on.
TEST(ConfigurationFile, RandomInputIsReadSafely) {
    test::TempDir dir;
    std::mt19937 rng(12345);
    const std::string pieces[] = {"Preset_Name=", "PresetTask_Command=", "PresetTask_Arg1=<", "Hotkey=", "RectMain=",
                                  "ColWidths=", "LogHeight=", ",", "\r\n", "\n", "\r", "=", "<", ">", "-", "9999999999",
                                  "\xFF\xFE", "\xEF\xBB\xBF", "\xC3", "\0", " ", "32780"};
    for (int round = 0; round < 300; ++round) {
        std::string bytes;
        int parts = static_cast<int>(rng() % 60);
        for (int i = 0; i < parts; ++i) {
            if (rng() % 3 == 0) bytes += static_cast<char>(rng() % 256);
            else bytes += pieces[rng() % std::size(pieces)];
        }
        dir.file("fuzz.ini", bytes);
        AppState app;
        EXPECT_TRUE(ReadConfiguration(dir.u16("fuzz.ini"), app));
        EXPECT_EQ(app.hotkeys.size(), 44u);
        EXPECT_GE(app.settings.LogHeight, 10);
        for (const auto& [id, r] : app.hotkeys) {
            EXPECT_EQ(id, r.CommandId);
            EXPECT_TRUE(r.Ctrl == 0 || r.Ctrl == 1);
        }
        // Whatever was read writes back to a file that reads the same again.
        ASSERT_TRUE(WriteConfiguration(dir.u16("out.ini"), app));
        AppState back;
        ASSERT_TRUE(ReadConfiguration(dir.u16("out.ini"), back));
        EXPECT_EQ(FormatConfiguration(back.settings, back.presets, back.hotkeys),
                  FormatConfiguration(app.settings, app.presets, app.hotkeys))
            << "round " << round;
    }
}

}  // namespace

namespace {

// A file from before the Date Taken column, and one written since.
TEST(ConfigurationRead, TakenColumnWidthIsItsOwnKey) {
    Loaded old = Read(u"ShowColumnFlag=255\r\nColWidths=200,160,110,110,110,110,110,110\r\n");
    EXPECT_EQ(old.settings.ColWidths.size(), 8u);
    EXPECT_EQ(old.settings.TakenColWidth, 0);
    EXPECT_EQ(OpeningColumnWidths(old.settings, 10, 48, 0)[ColTaken], 0);

    AppSettings s;
    s.ShowColumnFlag = 255 | 1 << ColTaken;
    s.ColWidths.assign(8, 120);
    s.TakenColWidth = 150;
    Loaded again = Read(FormatConfiguration(s, PresetTable{}, DefaultHotkeys()));
    EXPECT_EQ(again.settings.ColWidths, s.ColWidths);
    EXPECT_EQ(again.settings.TakenColWidth, 150);
    const ColumnWidths w = OpeningColumnWidths(again.settings, 10, 48, 0);
    EXPECT_EQ(w[ColTaken], 150);
    EXPECT_EQ(w[ColFullPath], 120);
}

}  // namespace
