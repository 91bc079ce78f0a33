#include "apply/ApplyEngine.h"

#include <cerrno>
#include <chrono>
#include <unordered_set>
#include <vector>

#include "apply/NameChecks.h"
#include "base/ActivityLog.h"
#include "base/StringTable.h"
#include "base/TextHelpers.h"
#include "base/TextIds.h"
#include "platform/FileOps.h"
#include "platform/FileSystem.h"
#include "platform/PathText.h"

namespace quirnel {
namespace {

// Passes everything on and keeps this run's log lines, stamped as the log
// shows them, for the Result Report.
class RunLog : public ApplySink {
public:
    RunLog(ApplySink& inner, bool keep) : inner_(inner), keep_(keep) {}
    void Log(const std::u16string& message) override {
        if (keep_) AppendLogText(report_, message);
        inner_.Log(message);
    }
    void Status(const std::u16string& text) override { inner_.Status(text); }
    void Progress(int percent) override { inner_.Progress(percent); }
    void RowNumbered(int row, const std::u16string& name) override { inner_.RowNumbered(row, name); }
    void RowChanged(const RowChange& change) override { inner_.RowChanged(change); }
    void ChecksFailed(int row) override { inner_.ChecksFailed(row); }
    void ChangesEnded(const ApplyCounts& counts) override { inner_.ChangesEnded(counts); }
    void Message(const std::u16string& text, const std::u16string& title) override { inner_.Message(text, title); }
    void Flush() override { inner_.Flush(); }
    const std::u16string& report() const { return report_; }

private:
    ApplySink& inner_;
    bool keep_;
    std::u16string report_;
};

class ChangeRun {
public:
    ChangeRun(const ApplyRows& rows, const ApplyOptions& options, const std::atomic<int>& stop,
              const std::vector<std::u16string>& targets, RunLog& log)
        : rows_(rows), options_(options), stop_(stop), targets_(targets), log_(log), style_(rows.style()) {}

    ApplyCounts Run() {
        ApplyCounts counts;
        counts.total = rows_.count();
        int shown = 0;
        while (counts.processed < counts.total && stop_.load(std::memory_order_relaxed) != 1) {
            switch (ChangeRow(counts.processed)) {
                case RowResult::Changed: ++counts.changed; break;
                case RowResult::Skipped: ++counts.skipped; break;
                case RowResult::Failed: break;
            }
            ++counts.processed;
            if (options_.reportProgress) {
                int p = static_cast<int>(static_cast<long long>(counts.processed) * 100 / counts.total);
                if (p != shown && p % 2 == 0) {
                    shown = p;
                    log_.Status(FormatText(LoadText(text::ProcessedPercent), {static_cast<long long>(p)}));
                    log_.Progress(p);
                }
            }
        }
        return counts;
    }

private:
    enum class RowResult { Changed, Skipped, Failed };

    RowResult ChangeRow(int i) {
        const std::u16string& target = targets_[i];
        const std::u16string old = rows_.oldPath(i);
        const std::u16string& newFolder = rows_.newFolder(i);
        PrepareFolder(newFolder, rows_.oldFolder(i));
        if (target == old) {
            LogFailure(NameOf(old, Extension::Keep, style_), LoadText(text::SkippedUnchanged));
            return RowResult::Skipped;
        }
        int e = Change(old, target, newFolder, i);
        if (e != 0) {
            if (options_.applyType == 1 && rows_.isFolder(i))
                LogFailure(old, e == ECANCELED ? LoadText(text::FolderCopyCancelled) : TrimBlanks(ErrorText(e)));
            else
                LogFailure(NameOf(old, Extension::Keep, style_), TrimBlanks(ErrorText(e)));
            return RowResult::Failed;
        }
        RowChange change;
        change.row = i;
        change.oldPath = old;
        change.newName = NameOf(target, Extension::Keep, style_);
        change.newFolder = newFolder;
        change.target = target;
        change.extensionChanged = !rows_.isFolder(i) && AsciiLower(ExtensionOf(rows_.oldName(i), Dot::With)) !=
                                                             AsciiLower(ExtensionOf(change.newName, Dot::With));
        log_.RowChanged(change);
        return RowResult::Changed;
    }

    // A folder that exists is looked up again for a later row; one this run
    // tried to create is not tried again. A failed creation shows in the
    // change that follows.
    void PrepareFolder(const std::u16string& newFolder, const std::u16string& oldFolder) {
        if (newFolder == oldFolder || createdFolders_.count(newFolder)) return;
        if (GetPathAttributes(newFolder).exists) return;
        // A folder that could not be created fails the change that follows,
        // which logs the reason.
        (void)CreateFolderChain(newFolder, style_);
        createdFolders_.insert(newFolder);
    }

    int Change(const std::u16string& old, const std::u16string& target, const std::u16string& newFolder, int i) {
        if (newFolder.empty()) return ENOENT;  // never a stray path at the root
        CopyControl control(&stop_);
        control.leftoverRemoved = [this](const std::u16string& path) {
            log_.Log(FormatText(LoadText(text::LeftoverRemoved), {path}));
        };
        if (options_.applyType != 1) return MoveEntry(old, target, control);
        log_.Flush();
        if (rows_.isFolder(i)) return CopyFolderTree(old, target, control);
        return CopyFileExclusive(old, target, control);
    }

    void LogFailure(const std::u16string& what, const std::u16string& reason) {
        log_.Log(FormatText(u"%s: %s (%s)", {LoadText(text::FailedToChange), what, reason}));
    }

    const ApplyRows& rows_;
    const ApplyOptions& options_;
    const std::atomic<int>& stop_;
    const std::vector<std::u16string>& targets_;
    RunLog& log_;
    const PathStyle& style_;
    std::unordered_set<std::u16string> createdFolders_;
};

}  // namespace

ApplyOptions ApplyOptionsFrom(const AppSettings& settings, int applyType) {
    ApplyOptions o;
    o.applyType = applyType;
    o.autoNumber = settings.AutoNumber == 1;
    o.clearAfterApply = settings.ClearAfterApply == 1;
    o.showDoneDialog = settings.ShowDoneDialog == 1;
    o.reportProgress = settings.UseThread == 1;
    return o;
}

ApplyOutcome RunApply(const ApplyRows& rows, const ApplyOptions& options, const std::atomic<int>& stop, ApplySink& sink) {
    RunLog log(sink, options.showDoneDialog);
    log.Status(LoadText(text::WorkInProgress));
    log.Log(LoadText(options.applyType == 1 ? text::StartApplyCopies : text::StartApplyOriginals));
    auto start = std::chrono::steady_clock::now();

    ApplyOutcome outcome;
    std::vector<std::u16string> targets;
    CheckResult checks = CheckNames(rows, options.autoNumber, targets, log);
    if (!checks.ok) {
        log.Message(checks.message, LoadText(text::ErrorTitle));
        log.ChecksFailed(checks.failingRow);
        outcome.failingRow = checks.failingRow;
        return outcome;
    }
    outcome.checksPassed = true;
    outcome.counts = ChangeRun(rows, options, stop, targets, log).Run();
    const ApplyCounts& c = outcome.counts;
    log.Log(FormatText(LoadText(text::ApplySummary), {static_cast<long long>(c.total), static_cast<long long>(c.processed),
                                             static_cast<long long>(c.changed)}));
    auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count();
    log.Log(FormatText(LoadText(text::DoneElapsed), {static_cast<long long>(ms)}));
    log.ChangesEnded(c);
    if (options.showDoneDialog) log.Message(TrimBlanks(log.report()), LoadText(text::ReportTitle));
    return outcome;
}

bool CreateFolderChain(const std::u16string& folder, const PathStyle& style) {
    // The missing folders from the deepest up; created top-down afterwards.
    std::vector<std::u16string> missing;
    std::u16string current = folder;
    while (!GetPathAttributes(current).exists) {
        missing.push_back(current);
        std::u16string parent = ParentFolderOf(current, style);
        if (parent.empty() || parent == current) return false;
        current = std::move(parent);
    }
    for (auto it = missing.rbegin(); it != missing.rend(); ++it) {
        int e = CreateFolder(*it);
        if (e != 0 && e != EEXIST) return false;
    }
    return true;
}

}  // namespace quirnel
