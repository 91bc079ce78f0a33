#pragma once
#include <optional>
#include <string>
#include <vector>

#include "apply/RowStatus.h"
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
    // What applying would do with it, where the preview looked; a Duplicate's
    // detail is the list's row index of the earlier row.
    std::optional<RowStatus> status;
    std::u16string note;  // why a command on what files hold left it as it was
};

// The rows a preview looks at: the first `limit` selected rows, or the first
// `limit` rows when none is selected.
std::vector<int> PreviewSourceRows(const NameList& list, int limit);

// Copies of those rows with their current proposals, taken once: looking
// through a million rows for the selected ones costs more than a preview, so
// a preview that runs on every keystroke starts from these.
class PreviewSample {
public:
    PreviewSample(const NameList& list, int limit);
    const NameList& rows() const { return rows_; }
    int listRow(int copy) const { return listRows_[copy]; }
    bool selectedOnly() const { return selectedOnly_; }

private:
    NameList rows_;
    std::vector<int> listRows_;
    bool selectedOnly_;
};

// What a preset would make of those rows: its sort and tasks run on copies of
// them, with their current proposals, so numbering and filters see only the
// copies. The list is never touched, nothing is reported, and an automatic
// apply never starts. Rows come in the order the preset leaves them, those
// it removed last.
std::vector<PreviewRow> PreviewPreset(const NameList& list, const QuirnelPreset& preset, const AppSettings& settings,
                                      int limit);

// The same for one command, each row with its fate as applying only these
// rows would find it: duplicates among them and targets that exist on disk.
// A row of the list outside the sample can neither clash nor make room.
std::vector<PreviewRow> PreviewCommand(const PreviewSample& sample, const PresetTask& task,
                                       const AppSettings& settings);

}  // namespace quirnel
