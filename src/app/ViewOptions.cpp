#include "app/ViewOptions.h"

#include "base/StringTable.h"
#include "base/TextHelpers.h"
#include "base/TextIds.h"

namespace quirnel {
namespace {

constexpr IconSizeItem kIconSizes[] = {
    {text::SmallIcon, 1},
    {text::LargeIcon, 0},
    {text::ExtraLargeIcon, 2},
    {text::JumboIcon, 4},
};

constexpr int32_t kNormalWeight = 400;

}  // namespace

std::span<const IconSizeItem> IconSizeItems() { return kIconSizes; }

int IconSizeIndex(int32_t iconType) {
    for (size_t i = 0; i < std::size(kIconSizes); ++i)
        if (kIconSizes[i].iconType == iconType) return static_cast<int>(i);
    return -1;
}

std::u16string FontDescription(std::u16string_view face, int32_t weight, bool italic) {
    std::u16string text(face);
    if (weight > kNormalWeight) text += LoadText(text::BoldSuffix);
    if (weight < kNormalWeight) text += LoadText(text::ThinSuffix);
    if (italic) text += LoadText(text::ItalicSuffix);
    return text;
}

std::optional<int32_t> CheckFontSize(std::u16string_view field) {
    int32_t size = ReadInt(field);
    if (size < 1 || size > 100) return std::nullopt;
    return size;
}

void ApplyViewOptions(AppSettings& s, const ViewOptionsResult& r, ListAppearance& list) {
    if (r.fontChosen) {
        // The font is made at the size the field shows at OK, the size that is
        // stored, so what the list shows now is what the next start shows.
        list.useChosenFont(r.fontSize);
        if (!r.chosenFace.empty()) s.FontName = r.chosenFace;
        s.FontSize = r.fontSize;
        s.FontWeight = r.chosenWeight;
        s.FontItalic = r.chosenItalic ? 1 : 0;
        list.ApplyListFont();
    }
    if (r.useDefaultColor != s.UseDefaultColor) {
        s.UseDefaultColor = r.useDefaultColor;
        if (IsOn(s.UseDefaultColor)) {
            list.restoreSystemColors();
        } else {
            s.ColorText = r.colorText;
            s.ColorBk = r.colorBk;
            list.setTextColor(s.ColorText);
            list.setBackgroundColor(s.ColorBk);
        }
    }
    if (r.colorText != s.ColorText) {
        s.ColorText = r.colorText;
        if (!IsOn(s.UseDefaultColor)) list.setTextColor(s.ColorText);
    }
    if (r.colorBk != s.ColorBk) {
        s.ColorBk = r.colorBk;
        if (!IsOn(s.UseDefaultColor)) list.setBackgroundColor(s.ColorBk);
    }
    if (r.fontSize != s.FontSize) {
        s.FontSize = r.fontSize;
        list.resizeCustomFont(s.FontSize);
        if (!IsOn(s.UseDefaultFont)) list.ApplyListFont();
    }
    if (r.useDefaultFont != s.UseDefaultFont) {
        s.UseDefaultFont = r.useDefaultFont;
        list.ApplyListFont();
    }
    if (r.iconType != s.IconType) {
        s.IconType = r.iconType;
        list.ApplyIconSize();
    }
}

}  // namespace quirnel
