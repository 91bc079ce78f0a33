#include "app/ViewOptions.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "base/StringTable.h"

using namespace quirnel;

namespace {

class RecordingList : public ListAppearance {
public:
    void useChosenFont(int32_t points) override { steps.push_back("chosen font " + std::to_string(points)); }
    void resizeCustomFont(int32_t points) override { steps.push_back("resize " + std::to_string(points)); }
    void ApplyListFont() override { steps.push_back("apply font"); }
    void restoreSystemColors() override { steps.push_back("system colors"); }
    void setTextColor(int32_t c) override { steps.push_back("text " + std::to_string(c)); }
    void setBackgroundColor(int32_t c) override { steps.push_back("background " + std::to_string(c)); }
    void ApplyIconSize() override { steps.push_back("icon size"); }
    std::vector<std::string> steps;
};

// The dialog's result when the user changes nothing.
ViewOptionsResult Unchanged(const AppSettings& s) {
    ViewOptionsResult r;
    r.useDefaultColor = s.UseDefaultColor;
    r.colorText = s.ColorText;
    r.colorBk = s.ColorBk;
    r.useDefaultFont = s.UseDefaultFont;
    r.fontSize = s.FontSize;
    r.iconType = s.IconType;
    return r;
}

struct StepCase {
    const char* name;
    std::function<void(AppSettings&)> before;    // settings when the dialog opens
    std::function<void(ViewOptionsResult&)> ok;  // what the user changed
    std::vector<std::string> steps;
    std::function<void(AppSettings&)> after;     // the settings expected afterwards, from "before"
};

TEST(ViewOptions, ChangesReachSettingsAndListInOrder) {
    auto none = [](auto&) {};
    const StepCase cases[] = {
        {"nothing changed", none, none, {}, none},
        {"font chosen, custom font turned on",
         none,
         [](ViewOptionsResult& r) {
             r.fontChosen = true, r.chosenFace = u"Serif", r.chosenWeight = 700, r.chosenItalic = true;
             r.fontSize = 14, r.useDefaultFont = 0;
         },
         {"chosen font 14", "apply font", "apply font"},
         [](AppSettings& s) {
             s.FontName = u"Serif", s.FontSize = 14, s.FontWeight = 700, s.FontItalic = 1, s.UseDefaultFont = 0;
         }},
        {"font without a face keeps the stored face",
         [](AppSettings& s) { s.FontName = u"Mono", s.FontItalic = 1; },
         [](ViewOptionsResult& r) { r.fontChosen = true, r.chosenWeight = 300, r.fontSize = 9; },
         {"chosen font 9", "apply font"},
         [](AppSettings& s) { s.FontSize = 9, s.FontWeight = 300, s.FontItalic = 0; }},
        {"custom colours turned on",
         none,
         [](ViewOptionsResult& r) { r.useDefaultColor = 0, r.colorText = 0x0000FF, r.colorBk = 0x00FFEE; },
         {"text 255", "background 65518"},
         [](AppSettings& s) { s.UseDefaultColor = 0, s.ColorText = 0x0000FF, s.ColorBk = 0x00FFEE; }},
        {"system colours back on keep the custom ones stored",
         [](AppSettings& s) { s.UseDefaultColor = 0, s.ColorText = 0xFF; },
         [](ViewOptionsResult& r) { r.useDefaultColor = 1; },
         {"system colors"},
         [](AppSettings& s) { s.UseDefaultColor = 1; }},
        {"colours changed while system colours are used: stored only",
         none,
         [](ViewOptionsResult& r) { r.colorText = 0x112233, r.colorBk = 0x445566; },
         {},
         [](AppSettings& s) { s.ColorText = 0x112233, s.ColorBk = 0x445566; }},
        {"background changed under custom colours",
         [](AppSettings& s) { s.UseDefaultColor = 0; },
         [](ViewOptionsResult& r) { r.colorBk = 0x808080; },
         {"background 8421504"},
         [](AppSettings& s) { s.ColorBk = 0x808080; }},
        {"size typed under the custom font",
         [](AppSettings& s) { s.UseDefaultFont = 0; },
         [](ViewOptionsResult& r) { r.fontSize = 20; },
         {"resize 20", "apply font"},
         [](AppSettings& s) { s.FontSize = 20; }},
        {"size typed under the default font, then the custom font turned on",
         none,
         [](ViewOptionsResult& r) { r.fontSize = 20, r.useDefaultFont = 0; },
         {"resize 20", "apply font"},
         [](AppSettings& s) { s.FontSize = 20, s.UseDefaultFont = 0; }},
        {"icon size", none, [](ViewOptionsResult& r) { r.iconType = 4; }, {"icon size"},
         [](AppSettings& s) { s.IconType = 4; }},
        {"no icon item selected stores -1",
         [](AppSettings& s) { s.IconType = 3; },
         [](ViewOptionsResult& r) { r.iconType = -1; },
         {"icon size"},
         [](AppSettings& s) { s.IconType = -1; }},
    };
    for (const StepCase& c : cases) {
        AppSettings settings;
        c.before(settings);
        ViewOptionsResult result = Unchanged(settings);
        c.ok(result);
        AppSettings expected = settings;
        c.after(expected);
        RecordingList list;
        ApplyViewOptions(settings, result, list);
        EXPECT_EQ(list.steps, c.steps) << c.name;
        EXPECT_EQ(settings, expected) << c.name;
    }
}

TEST(ViewOptions, FontDescriptionsAndSizes) {
    EXPECT_EQ(FontDescription(u"DejaVu Sans", 700, true), u"DejaVu Sans / Bold / Italic");
    EXPECT_EQ(FontDescription(u"DejaVu Sans", 400, false), u"DejaVu Sans");
    EXPECT_EQ(FontDescription(u"Light", 300, false), u"Light / Thin");
    SetUiLanguage(UiLanguage::Korean);
    EXPECT_EQ(FontDescription(u"나눔고딕", 401, false), u"나눔고딕 / 굵게");
    SetUiLanguage(UiLanguage::English);

    for (std::u16string refused : {u"", u"0", u"101", u"99999999999"})
        EXPECT_EQ(CheckFontSize(refused), std::nullopt) << refused.size();
    EXPECT_EQ(CheckFontSize(u"1"), 1);
    EXPECT_EQ(CheckFontSize(u"100"), 100);
    EXPECT_EQ(CheckFontSize(u"012"), 12);
}

TEST(ViewOptions, IconItemsInListOrder) {
    std::vector<int32_t> types;
    for (const IconSizeItem& item : IconSizeItems()) types.push_back(item.iconType);
    EXPECT_EQ(types, (std::vector<int32_t>{1, 0, 2, 4}));
    EXPECT_EQ(LoadText(IconSizeItems()[0].textId), u"Small Icon (16x16)");
    EXPECT_EQ(IconSizeIndex(2), 2);
    EXPECT_EQ(IconSizeIndex(3), -1);
}

}  // namespace
