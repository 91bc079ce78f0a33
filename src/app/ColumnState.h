#pragma once
#include <array>

#include "base/AppSettings.h"
#include "namelist/NameList.h"

namespace quirnel {

// The width of every column the window shows, the date taken's included.
using ColumnWidths = std::array<int, ViewColumnCount>;

// The list's icon size for IconType: 32, 16, 48 or 256 pixels; 0 for a value
// that names no size (the list then keeps the icons it has).
int IconPixels(int IconType);

// The width every column opens with. F is the list font's point size; a
// hidden column is 0 wide. The name columns never open narrower than
// nameMinimum, so they cannot be lost.
ColumnWidths OpeningColumnWidths(const AppSettings& settings, int F, int iconPixels, int nameMinimum);

// Column visibility and widths into ShowColumnFlag and ColWidths (the date
// taken's into bit 8 and TakenColWidth), the sort indicator into SortColumn
// and SortAscend.
void StoreColumnState(AppSettings& settings, const ColumnWidths& widths, int sortColumn, bool ascending, int F);

// The column a View menu item shows or hides; -1 for other commands.
int ColumnOfToggle(int32_t menuCommand);

// Hides a visible column (remembering its width) or shows a hidden one at its
// remembered width; returns the column's new width.
int ToggleColumn(AppSettings& settings, int column, int currentWidth, int F);

}  // namespace quirnel
