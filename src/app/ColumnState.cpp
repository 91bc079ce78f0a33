#include "app/ColumnState.h"

#include <algorithm>

#include "base/MenuIds.h"

namespace quirnel {
namespace {

bool Shown(const AppSettings& s, int column) { return (s.ShowColumnFlag >> column) & 1; }

}  // namespace

int IconPixels(int IconType) {
    switch (IconType) {
        case 0: return 32;
        case 1: return 16;
        case 2: return 48;
        case 4: return 256;
        default: return 0;
    }
}

ColumnWidths OpeningColumnWidths(const AppSettings& s, int F, int iconPixels, int nameMinimum) {
    ColumnWidths w{};
    if (s.ColWidths.size() == ColumnCount) {
        for (int i = 0; i < ColumnCount; ++i) w[i] = Shown(s, i) ? static_cast<int>(s.ColWidths[i] & 0xFFFF) : 0;
    } else {
        w[ColOldName] = (Shown(s, ColOldName) ? 16 * F : 0) + iconPixels;
        w[ColNewName] = Shown(s, ColNewName) ? 16 * F : 0;
        for (int i = ColOldFolder; i < ColumnCount; ++i) w[i] = Shown(s, i) ? 11 * F : 0;
    }
    w[ColTaken] = Shown(s, ColTaken) ? (s.TakenColWidth > 0 ? s.TakenColWidth & 0xFFFF : 11 * F) : 0;
    w[ColOldName] = std::max(w[ColOldName], nameMinimum);
    w[ColNewName] = std::max(w[ColNewName], nameMinimum);
    return w;
}

void StoreColumnState(AppSettings& s, const ColumnWidths& widths, int sortColumn, bool ascending, int F) {
    const uint32_t a = static_cast<uint32_t>(11 * F);
    if (s.ColWidths.size() != ColumnCount) s.ColWidths.assign(ColumnCount, a);
    for (int i = 0; i < ColumnCount; ++i) {
        if (widths[i] <= 0) {
            s.ShowColumnFlag &= ~(1 << i);
            if (s.ColWidths[i] == 0) s.ColWidths[i] = a;
        } else {
            s.ShowColumnFlag |= 1 << i;
            s.ColWidths[i] = static_cast<uint32_t>(widths[i]);
        }
    }
    const bool takenShown = widths[ColTaken] > 0;
    s.ShowColumnFlag = takenShown ? s.ShowColumnFlag | 1 << ColTaken : s.ShowColumnFlag & ~(1 << ColTaken);
    if (takenShown) s.TakenColWidth = widths[ColTaken];
    else if (s.TakenColWidth <= 0) s.TakenColWidth = static_cast<int32_t>(a);
    s.SortColumn = sortColumn;
    s.SortAscend = ascending ? 1 : 0;
}

int ColumnOfToggle(int32_t menuCommand) {
    switch (menuCommand) {
        case menu::ShowOldFolder: return ColOldFolder;
        case menu::ShowNewFolder: return ColNewFolder;
        case menu::ShowFileSize: return ColSize;
        case menu::ShowModified: return ColModified;
        case menu::ShowCreated: return ColCreated;
        case menu::ShowFullPath: return ColFullPath;
        case menu::ShowTaken: return ColTaken;
        default: return -1;
    }
}

int ToggleColumn(AppSettings& s, int column, int currentWidth, int F) {
    if (column == ColTaken) {
        if (currentWidth > 0) {
            s.TakenColWidth = currentWidth;
            return 0;
        }
        return s.TakenColWidth > 0 ? s.TakenColWidth & 0xFFFF : 11 * F;
    }
    const bool remembered = column >= 0 && column < static_cast<int>(s.ColWidths.size());
    if (currentWidth > 0) {
        if (remembered) s.ColWidths[column] = static_cast<uint32_t>(currentWidth);
        return 0;
    }
    if (remembered && s.ColWidths[column] != 0) return static_cast<int>(s.ColWidths[column] & 0xFFFF);
    return 11 * F;
}

}  // namespace quirnel
