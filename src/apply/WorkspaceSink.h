#pragma once
#include <vector>

#include "apply/ApplyOptions.h"
#include "apply/ApplySink.h"
#include "namelist/Workspace.h"

namespace quirnel {

// Applies what a run reports to the workspace: the list the window shows, its
// PathSet and icons, the host. Runs on the thread that owns the workspace.
class WorkspaceSink : public ApplySink {
public:
    WorkspaceSink(Workspace& ws, const ApplyOptions& options);
    void log(const std::u16string& message) override { ws_.host.AppendLog(message); }
    void logLines(const std::vector<TimedLine>& lines) { ws_.host.appendLogLines(lines); }
    void status(const std::u16string& text) override { ws_.host.SetStatusText(text); }
    void progress(int percent) override { ws_.host.setProgress(percent); }
    void rowNumbered(int row, const std::u16string& newName) override;
    void rowChanged(RowChange&& change) override;
    void checksFailed(int row) override;
    void changesEnded(const ApplyCounts& counts) override;
    void message(const std::u16string& text, const std::u16string& title) override {
        ws_.host.ShowMessageDialog(text, title);
    }

private:
    Workspace& ws_;
    bool clearAfterApply_;
    std::vector<bool> changedMarks_;  // only with ClearAfterApply
};

// The frame around a run on the workspace's own thread: the run is marked
// active and the selection cleared before, the count restored after.
void BeginApply(Workspace& ws, ApplyType applyType);
void EndApply(Workspace& ws);

// The settings of a run on the workspace, with the process's journal place.
ApplyOptions ApplyOptionsFor(const Workspace& ws, ApplyType applyType);

}  // namespace quirnel
