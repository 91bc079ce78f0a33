#include "apply/WorkspaceSink.h"

namespace quirnel {

WorkspaceSink::WorkspaceSink(Workspace& ws, const ApplyOptions& options)
    : ws_(ws), clearAfterApply_(options.clearAfterApply) {
    if (clearAfterApply_) changedMarks_.assign(ws.list.size(), false);
}

void WorkspaceSink::rowNumbered(int row, const std::u16string& newName) {
    if (row < ws_.list.size()) ws_.list.setNewName(row, newName);
}

// The row is found by its index and must still name the entry that changed;
// a row that no longer does is left alone rather than rewritten wrongly.
void WorkspaceSink::rowChanged(RowChange&& c) {
    NameList& list = ws_.list;
    if (c.row >= list.size() || !list.fullPathIs(c.row, c.oldPath)) return;
    // Only a file's extension changes: a folder's icon stays. The icon is
    // found before the new name moves into the row.
    const bool isFolder = false;
    const int icon = c.extensionChanged ? ws_.icons.iconFor(c.target, c.newName(), isFolder) : 0;
    list.setApplied(c.row, c.newName(), c.newFolder(), c.target);
    if (c.extensionChanged) list.setIconIndex(c.row, icon);
    if (c.row < static_cast<int>(changedMarks_.size())) changedMarks_[c.row] = true;
}

void WorkspaceSink::checksFailed(int row) {
    if (row < ws_.list.size()) ws_.list.setSelected(row, true);
    ws_.host.commandStateChanged();
}

void WorkspaceSink::changesEnded(const ApplyCounts& counts) {
    bool all = counts.changed == counts.total;
    if (all) ws_.flags.unappliedFlag = 0;
    if (!clearAfterApply_ || counts.changed == 0) return;
    if (all) {
        ws_.list.clear();
    } else {
        ws_.list.removeRowsIf([&](int r) { return r < static_cast<int>(changedMarks_.size()) && changedMarks_[r]; });
    }
    ws_.host.rowsRemoved();
}

void BeginApply(Workspace& ws, ApplyType applyType) {
    ws.flags.applyType = static_cast<int>(applyType);
    ws.flags.stopFlag = 0;
    ws.list.clearSelection();
    ws.host.commandStateChanged();
}

ApplyOptions ApplyOptionsFor(const Workspace& ws, ApplyType applyType) {
    ApplyOptions options = ApplyOptionsFrom(ws.settings, applyType);
    options.journal = ws.flags.journal;
    return options;
}

void EndApply(Workspace& ws) {
    ws.flags.stopFlag = 1;
    UpdateItemCount(ws);
}

}  // namespace quirnel
