#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace quirnel {

struct Rect {
    int32_t left = 0, top = 0, right = 0, bottom = 0;
    bool operator==(const Rect&) const = default;
};

// Every persisted setting, named by its configuration key, with its default.
struct AppSettings {
    std::u16string UILanguage = u"default";
    int32_t ShowCFGLoad = 0;
    int32_t AutoSort = 1;
    int32_t LoadType = 2;
    int32_t ShowColumnFlag = 255;
    int32_t SortColumn = 0;
    int32_t SortAscend = 1;
    Rect RectMain;
    Rect RectInput;
    int32_t InputPreview = 0;  // flag: the command input dialog shows its preview pane
    int32_t UseDefaultColor = 1;
    int32_t ColorBk = 16777215;  // 0x00BBGGRR
    int32_t ColorText = 0;
    int32_t UseDefaultFont = 1;
    std::u16string FontName;
    int32_t FontSize = 12;
    int32_t FontWeight = 400;
    uint8_t FontItalic = 0;
    int32_t IconType = 2;
    int32_t NameAutoFix = 0;
    int32_t UseThread = 1;
    int32_t IncludeExt = 0;
    int32_t AutoNumber = 0;
    int32_t ShowDoneDialog = 0;
    int32_t ShowLog = 1;
    int32_t LogHeight = 50;
    int32_t SortLikeWindows = 1;
    int32_t ClearAfterApply = 0;
    int32_t TakenFallback = 0;  // flag: a file without a date taken gives its modified time
    std::vector<uint32_t> ColWidths;
    // The Date Taken column's remembered width (its own key: ColWidths keeps
    // the list's eight); shown while bit 8 of ShowColumnFlag is set.
    int32_t TakenColWidth = 0;

    bool operator==(const AppSettings&) const = default;
};

// Whether a flag setting is on. The configuration reader stores every flag as
// 0 or 1, so this is the one way code asks.
constexpr bool IsOn(int32_t flag) { return flag != 0; }

}  // namespace quirnel
