#pragma once
#include <atomic>
#include <chrono>
#include <string>

#include "base/Host.h"

namespace quirnel::cli {

// The person at a terminal, or nobody: log lines of an apply run go to
// standard output, messages to standard error, progress to a terminal only.
// The one question a batch asks (what a folder adds) has a fixed answer.
class CliHost : public Host {
public:
    explicit CliHost(bool folderItself);
    void AppendLog(const std::u16string& message) override;
    void SetStatusText(const std::u16string& text) override;
    void ShowMessageDialog(const std::u16string& text, const std::u16string& title) override;
    bool askYesNo(Question question, const std::u16string& text) override;
    void setProgress(int percent) override;
    bool stopAsked() const override { return stop != 0; }

    // Set by a first Ctrl+C while the tasks run (CliSignals): a reading
    // stops, and the log lines after it say what it left, on standard error.
    std::atomic<int> stop{0};

    bool echoLog = false;  // print log lines (the apply run's)
    // Removes the transient status line before other output.
    void clearStatus();

private:
    void flushLog(bool always);

    bool folderItself_;
    bool progressShown_ = false;
    bool logToTerminal_;
    std::chrono::steady_clock::time_point logFlushed_;
};

}  // namespace quirnel::cli
