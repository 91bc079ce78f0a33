#include "run/PresetPreview.h"

#include "apply/ApplyRows.h"
#include "base/QuietHost.h"
#include "namelist/Workspace.h"
#include "run/RunCommand.h"

namespace quirnel {
namespace {

void CopyRow(const NameList& from, int r, NameList& to) {
    RowSource source;
    source.name = from.oldName(r);
    source.folder = from.oldFolder(r);
    source.isFolder = from.isFolder(r);
    source.size = from.sizeBytes(r);
    source.modified = from.modified(r);
    source.created = from.created(r);
    if (!to.appendRow(source)) return;
    const int copy = to.size() - 1;
    to.setNewName(copy, from.newName(r));
    to.setNewFolder(copy, from.newFolder(r));
}

PreviewRow ResultOf(const NameList& list, int r) {
    const std::u16string* note = list.note(r);
    return {std::u16string(list.oldName(r)), std::u16string(list.newName(r)), list.newFolder(r),
            list.newFolder(r) != list.oldFolder(r), false, {}, note ? *note : std::u16string()};
}

// The sample's copy a row of the workspace came from.
int CopyOf(const NameList& sample, const NameList& result, int r) {
    const std::u16string path = OldFullPath(result, r);
    for (int c = 0; c < sample.size(); ++c)
        if (sample.fullPathIs(c, path)) return c;
    return -1;
}

void AddFates(const PreviewSample& sample, const NameList& result, const AppSettings& settings,
              std::vector<PreviewRow>& rows) {
    const StatusOptions options{ApplyType::Originals, IsOn(settings.AutoNumber), true};
    const std::vector<RowStatus> statuses = RowStatuses(ListRows(result), options);
    for (int r = 0; r < result.size(); ++r) {
        RowStatus status = statuses[r];
        if (status.fate == RowFate::Duplicate && status.detail >= 0) {
            const int copy = CopyOf(sample.rows(), result, static_cast<int>(status.detail));
            status.detail = copy >= 0 ? sample.listRow(copy) : -1;
        }
        rows[r].status = status;
    }
}

std::vector<PreviewRow> RunOnSample(const PreviewSample& sample, const QuirnelPreset& preset,
                                    const AppSettings& settings, bool fates) {
    AppSettings copiedSettings = settings;
    RunFlags flags;
    QuietHost host(false);  // counts, log lines and messages of a preview concern no one
    Workspace ws(copiedSettings, flags, host, sample.rows().style());
    for (int r = 0; r < sample.rows().size(); ++r) CopyRow(sample.rows(), r, ws.list);
    (void)RunPreset(preset, WorkspaceActions(ws, nullptr));  // a task that ends the run early shows in the rows as well

    std::vector<PreviewRow> result;
    for (int r = 0; r < ws.list.size(); ++r) result.push_back(ResultOf(ws.list, r));
    if (fates) AddFates(sample, ws.list, settings, result);
    for (int r = 0; r < sample.rows().size(); ++r) {
        if (ws.list.paths().contains(OldFullPath(sample.rows(), r))) continue;
        PreviewRow gone = ResultOf(sample.rows(), r);
        gone.removed = true;
        result.push_back(std::move(gone));
    }
    return result;
}

}  // namespace

std::vector<int> PreviewSourceRows(const NameList& list, int limit) {
    const bool selectedOnly = list.anySelected();
    std::vector<int> rows;
    for (int r = 0; r < list.size() && static_cast<int>(rows.size()) < limit; ++r)
        if (!selectedOnly || list.selected(r)) rows.push_back(r);
    return rows;
}

PreviewSample::PreviewSample(const NameList& list, int limit)
    : rows_(list.style()),
      listRows_(PreviewSourceRows(list, limit)),
      selectedOnly_(!listRows_.empty() && list.selected(listRows_.front())) {
    for (int r : listRows_) CopyRow(list, r, rows_);
}

std::vector<PreviewRow> PreviewPreset(const NameList& list, const QuirnelPreset& preset, const AppSettings& settings,
                                      int limit) {
    return RunOnSample(PreviewSample(list, limit), preset, settings, false);
}

std::vector<PreviewRow> PreviewCommand(const PreviewSample& sample, const PresetTask& task,
                                       const AppSettings& settings) {
    QuirnelPreset preset;
    preset.Tasks = {task};
    return RunOnSample(sample, preset, settings, true);
}

}  // namespace quirnel
