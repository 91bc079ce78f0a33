#include "apply/ApplyEngine.h"

#include <chrono>
#include <vector>

#include "apply/DiskChanges.h"
#include "apply/NameChecks.h"
#include "base/ActivityLog.h"
#include "base/StringTable.h"
#include "base/TextHelpers.h"
#include "base/TextIds.h"
#include "platform/Result.h"

namespace quirnel {
namespace {

// Passes everything on and keeps this run's log lines, stamped as the log
// shows them, for the Result Report.
class RunLog : public ApplySink {
public:
    RunLog(ApplySink& inner, bool keep) : inner_(inner), keep_(keep) {}
    void log(const std::u16string& message) override {
        if (keep_) AppendLogText(report_, message);
        inner_.log(message);
    }
    void status(const std::u16string& text) override { inner_.status(text); }
    void progress(int percent) override { inner_.progress(percent); }
    void rowNumbered(int row, const std::u16string& name) override { inner_.rowNumbered(row, name); }
    void rowChanged(RowChange&& change) override { inner_.rowChanged(std::move(change)); }
    void checksFailed(int row) override { inner_.checksFailed(row); }
    void changesEnded(const ApplyCounts& counts) override { inner_.changesEnded(counts); }
    void message(const std::u16string& text, const std::u16string& title) override { inner_.message(text, title); }
    void flush() override { inner_.flush(); }
    const std::u16string& report() const { return report_; }

private:
    ApplySink& inner_;
    bool keep_;
    std::u16string report_;
};

}  // namespace

ApplyOutcome RunApplyEngine(const ApplyRows& rows, const ApplyOptions& options, const std::atomic<int>& stop,
                            ApplySink& sink) {
    RunLog runLog(sink, options.showDoneDialog);
    runLog.status(LoadText(text::WorkInProgress));
    runLog.log(LoadText(options.applyType == ApplyType::Copies ? text::StartApplyCopies : text::StartApplyOriginals));
    auto start = std::chrono::steady_clock::now();

    ApplyOutcome outcome;
    TargetPaths targets(rows);
    CheckResult checks = CheckNames(rows, options.autoNumber, targets, runLog);
    if (!checks.ok) {
        // The row on a line of its own, so that it can be found in a long list.
        const std::u16string row = FormatText(LoadText(text::FailingRowLine),
                                              {static_cast<long long>(checks.failingRow + 1), rows.oldPath(checks.failingRow)});
        runLog.message(checks.message + u"\r\n" + row, LoadText(text::ErrorTitle));
        runLog.checksFailed(checks.failingRow);
        outcome.failingRow = checks.failingRow;
        return outcome;
    }
    outcome.checksPassed = true;
    DiskChanges disk(rows, options, stop, targets, runLog);
    if (Result opened = disk.openJournal(outcome.journal); !opened) {
        outcome.journalFailed = true;
        runLog.message(FormatText(LoadText(text::JournalNotWrittenNoChange), {TrimBlanks(opened.text())}),
                       LoadText(text::ErrorTitle));
        return outcome;
    }
    outcome.counts = disk.run();
    const ApplyCounts& c = outcome.counts;
    runLog.log(FormatText(LoadText(text::ApplySummary), {static_cast<long long>(c.total),
                                                         static_cast<long long>(c.processed),
                                                         static_cast<long long>(c.changed)}));
    auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count();
    runLog.log(FormatText(LoadText(text::DoneElapsed), {static_cast<long long>(ms)}));
    runLog.changesEnded(c);
    if (options.showDoneDialog) runLog.message(TrimBlanks(runLog.report()), LoadText(text::ReportTitle));
    return outcome;
}

}  // namespace quirnel
