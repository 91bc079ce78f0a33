#pragma once
#include <array>
#include <string>

#include "presets/Preset.h"

namespace quirnel {

// What the preset editor shows and does to a preset's tasks, apart from the
// widgets: the editor works on the live presets, so every step here changes
// the preset in place.

// The name as menus and the editor show it: "(No Name)" for an empty one.
std::u16string PresetDisplayName(const QuirnelPreset& preset);

// "Preset n : name", an entry of the editor's preset selector.
std::u16string PresetSelectorText(int number, const QuirnelPreset& preset);

// "column / direction", the text of the editor's sort button. A column the
// list does not have shows as the first one.
std::u16string SortButtonText(int column, bool ascending);

// The four cells of a task's row: the command's caption, the sub-command's
// caption (both empty for 0 or less), then Arg1 and Arg2 as stored.
std::array<std::u16string, 4> TaskRowTexts(const PresetTask& task);

// A task has input worth editing: a sub-command or a first argument. Tasks of
// commands without input have neither.
bool TaskHasInput(const PresetTask& task);

// Removes task `row` and returns the row to select: the one now at the same
// place, the new last one when the last was removed, -1 when none is left or
// `row` named no task (nothing is removed then).
int DeleteTask(QuirnelPreset& preset, int row);

// Swaps task `row` with the one above (step -1) or below (step 1) and returns
// the moved task's new row. At the end it would leave, or for a row that names
// no task, nothing moves and `row` comes back.
int MoveTask(QuirnelPreset& preset, int row, int step);

}  // namespace quirnel
