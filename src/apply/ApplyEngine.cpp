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
    void Log(const std::u16string& message) override {
        if (keep_) AppendLogText(report_, message);
        inner_.Log(message);
    }
    void Status(const std::u16string& text) override { inner_.Status(text); }
    void Progress(int percent) override { inner_.Progress(percent); }
    void RowNumbered(int row, const std::u16string& name) override { inner_.RowNumbered(row, name); }
    void RowChanged(RowChange&& change) override { inner_.RowChanged(std::move(change)); }
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

}  // namespace

ApplyOutcome RunApplyEngine(const ApplyRows& rows, const ApplyOptions& options, const std::atomic<int>& stop, ApplySink& sink) {
    RunLog log(sink, options.showDoneDialog);
    log.Status(LoadText(text::WorkInProgress));
    log.Log(LoadText(options.applyType == ApplyType::Copies ? text::StartApplyCopies : text::StartApplyOriginals));
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
    DiskChanges disk(rows, options, stop, targets, log);
    if (Result opened = disk.OpenJournal(outcome.journal); !opened) {
        outcome.journalFailed = true;
        log.Message(FormatText(LoadText(text::JournalNotWrittenNoChange), {TrimBlanks(opened.text())}),
                    LoadText(text::ErrorTitle));
        return outcome;
    }
    outcome.counts = disk.Run();
    const ApplyCounts& c = outcome.counts;
    log.Log(FormatText(LoadText(text::ApplySummary), {static_cast<long long>(c.total), static_cast<long long>(c.processed),
                                             static_cast<long long>(c.changed)}));
    auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count();
    log.Log(FormatText(LoadText(text::DoneElapsed), {static_cast<long long>(ms)}));
    log.ChangesEnded(c);
    if (options.showDoneDialog) log.Message(TrimBlanks(log.report()), LoadText(text::ReportTitle));
    return outcome;
}

}  // namespace quirnel
