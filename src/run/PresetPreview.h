#pragma once
#include <string>
#include <vector>

#include "base/AppSettings.h"
#include "namelist/NameList.h"
#include "presets/Preset.h"

namespace quirnel {

// A row as a preset would leave it.
struct PreviewRow {
    std::u16string oldName;
    std::u16string newName;
    std::u16string newFolder;
    bool folderChanged = false;  // the New Folder differs from the Old Folder
    bool removed = false;        // a Clear List task took the row out of the list
};

// The rows a preview looks at: the first `limit` selected rows, or the first
// `limit` rows when none is selected.
std::vector<int> PreviewSourceRows(const NameList& list, int limit);

// What a preset would make of those rows: its sort and tasks run on copies of
// them, with their current proposals, so numbering and filters see only the
// copies. The list is never touched, nothing is reported, and an automatic
// apply never starts. Rows come in the order the preset leaves them, those
// it removed last.
std::vector<PreviewRow> PreviewPreset(const NameList& list, const QuirnelPreset& preset, const AppSettings& settings,
                                      int limit);

}  // namespace quirnel
