#include "run/PresetPreview.h"

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
    return {list.oldName(r), list.newName(r), list.newFolder(r), list.newFolder(r) != list.oldFolder(r), false};
}

}  // namespace

std::vector<int> PreviewSourceRows(const NameList& list, int limit) {
    const bool selectedOnly = list.anySelected();
    std::vector<int> rows;
    for (int r = 0; r < list.size() && static_cast<int>(rows.size()) < limit; ++r)
        if (!selectedOnly || list.selected(r)) rows.push_back(r);
    return rows;
}

std::vector<PreviewRow> PreviewPreset(const NameList& list, const QuirnelPreset& preset, const AppSettings& settings,
                                      int limit) {
    AppSettings copiedSettings = settings;
    RunFlags flags;
    QuietHost host(false);  // counts, log lines and messages of a preview concern no one
    Workspace ws(copiedSettings, flags, host, list.style());
    const std::vector<int> sources = PreviewSourceRows(list, limit);
    for (int r : sources) CopyRow(list, r, ws.list);
    RunPreset(preset, WorkspaceActions(ws, nullptr));

    std::vector<PreviewRow> result;
    for (int r = 0; r < ws.list.size(); ++r) result.push_back(ResultOf(ws.list, r));
    for (int r : sources) {
        if (ws.list.paths().contains(OldFullPath(list, r))) continue;
        PreviewRow gone = ResultOf(list, r);
        gone.removed = true;
        result.push_back(std::move(gone));
    }
    return result;
}

}  // namespace quirnel
