#pragma once
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "base/AppSettings.h"

namespace quirnel {

// One item of the icon size list: its caption's string id and the IconType it stores.
struct IconSizeItem {
    int textId;
    int32_t iconType;
};
// In the order the list shows them.
std::span<const IconSizeItem> IconSizeItems();
// The position of an IconType in that list; -1 when no item has it.
int IconSizeIndex(int32_t iconType);

// "Face / Bold / Italic": weights above 400 are bold, below 400 thin.
std::u16string FontDescription(std::u16string_view face, int32_t weight, bool italic);

// The size field's value when it lies between 1 and 100 points; none otherwise
// (an empty field included).
std::optional<int32_t> CheckFontSize(std::u16string_view field);

// What the view options dialog ends with after OK.
struct ViewOptionsResult {
    int32_t useDefaultColor = 1;
    int32_t colorText = 0;  // 0x00BBGGRR
    int32_t colorBk = 0;
    int32_t useDefaultFont = 1;
    int32_t fontSize = 12;  // points
    int32_t iconType = -1;  // -1 when no icon item is selected
    // A font picked in the dialog: its face (empty keeps the stored one), weight and italic.
    bool fontChosen = false;
    std::u16string chosenFace;
    int32_t chosenWeight = 400;
    bool chosenItalic = false;
};

// The list as the view options change it; the main window implements it.
class ListAppearance {
public:
    virtual ~ListAppearance() = default;
    // The custom list font becomes the font picked in the dialog, at this size.
    virtual void useChosenFont(int32_t points) = 0;
    // The custom list font keeps its face and style at a new size.
    virtual void resizeCustomFont(int32_t points) = 0;
    // The default or the custom font, as UseDefaultFont says.
    virtual void ApplyListFont() = 0;
    // The colours the list had before any custom colour was applied.
    virtual void restoreSystemColors() = 0;
    virtual void setTextColor(int32_t color) = 0;
    virtual void setBackgroundColor(int32_t color) = 0;
    virtual void ApplyIconSize() = 0;
};

// Stores the dialog's result and brings the list up to date, step by step:
// chosen font, colour mode, text colour, background, font size, font mode,
// icon size. Settings that did not change cause no step.
void ApplyViewOptions(AppSettings& settings, const ViewOptionsResult& result, ListAppearance& list);

}  // namespace quirnel
