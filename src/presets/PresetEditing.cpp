#include "presets/PresetEditing.h"

#include <utility>

#include "base/StringTable.h"
#include "base/TextIds.h"
#include "namelist/NameList.h"

namespace quirnel {
namespace {

std::u16string CaptionOf(int32_t id) { return id > 0 ? LoadText(id) : std::u16string(); }

bool IsTaskRow(const QuirnelPreset& preset, int row) {
    return row >= 0 && row < static_cast<int>(preset.Tasks.size());
}

}  // namespace

std::u16string PresetDisplayName(const QuirnelPreset& preset) {
    return preset.Name.empty() ? LoadText(text::NoName) : preset.Name;
}

std::u16string PresetSelectorText(int number, const QuirnelPreset& preset) {
    return FormatText(LoadText(text::PresetTitle), {static_cast<long long>(number), PresetDisplayName(preset)});
}

std::u16string SortButtonText(int column, bool ascending) {
    const int caption = ColumnCaptionId(column) ? ColumnCaptionId(column) : ColumnCaptionId(ColOldName);
    return FormatText(u"%s / %s", {LoadText(caption), LoadText(ascending ? text::Ascending : text::Descending)});
}

std::array<std::u16string, 4> TaskRowTexts(const PresetTask& task) {
    return {CaptionOf(task.Command), CaptionOf(task.SubCommand), task.Arg1, task.Arg2};
}

bool TaskHasInput(const PresetTask& task) { return task.SubCommand != 0 || !task.Arg1.empty(); }

int DeleteTask(QuirnelPreset& preset, int row) {
    if (!IsTaskRow(preset, row)) return -1;
    preset.Tasks.erase(preset.Tasks.begin() + row);
    const int count = static_cast<int>(preset.Tasks.size());
    return row < count ? row : count - 1;
}

int MoveTask(QuirnelPreset& preset, int row, int step) {
    const int target = row + step;
    if (!IsTaskRow(preset, row) || !IsTaskRow(preset, target)) return row;
    std::swap(preset.Tasks[row], preset.Tasks[target]);
    return target;
}

}  // namespace quirnel
