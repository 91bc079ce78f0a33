#include "cli/CliHost.h"

#include <unistd.h>

#include <cstdio>

#include "base/ActivityLog.h"
#include "base/StringTable.h"
#include "base/TextIds.h"
#include "platform/NativeText.h"

namespace quirnel::cli {

CliHost::CliHost(bool folderItself) : folderItself_(folderItself), logToTerminal_(isatty(STDOUT_FILENO) == 1) {}

// Line by line on a terminal. Into a file or a pipe at most ten times a
// second: a run with many unchanged rows logs a line for each, and a system
// call a line cost such a run a tenth of its time.
void CliHost::flushLog(bool always) {
    const auto now = std::chrono::steady_clock::now();
    if (!always && !logToTerminal_ && now - logFlushed_ < std::chrono::milliseconds(100)) return;
    fflush(stdout);
    logFlushed_ = now;
}

void CliHost::clearStatus() {
    if (!progressShown_) return;
    fputs("\r\033[K", stderr);
    progressShown_ = false;
}

void CliHost::AppendLog(const std::u16string& message) {
    if (!echoLog) {
        if (stopAsked()) {
            clearStatus();
            fprintf(stderr, "quirnel-cli: %s\n", ToNative(message).c_str());
        }
        return;
    }
    clearStatus();
    // Names inside the line keep their original bytes, as in the list output.
    std::string line = ToNative(LogLine(message));
    fwrite(line.data(), 1, line.size(), stdout);
    fputc('\n', stdout);
    flushLog(false);
}

// On a terminal the status line shows a long add or apply going on.
void CliHost::SetStatusText(const std::u16string& text) {
    if (!isatty(STDERR_FILENO)) return;
    fprintf(stderr, "\r%s\033[K", ToUtf8(text).c_str());
    fflush(stderr);
    progressShown_ = true;
}

void CliHost::ShowMessageDialog(const std::u16string& text, const std::u16string& title) {
    clearStatus();
    flushLog(true);  // the log lines before it come first
    std::string out = ToNative(title) + ": " + ToNative(text);
    for (char& c : out)
        if (c == '\r') c = ' ';
    fprintf(stderr, "%s\n", out.c_str());
}

bool CliHost::askYesNo(Question question, const std::u16string& /*text*/) {
    // Only the folder question has an answer given on the command line; any
    // other question is answered No, which never touches the disk.
    return question == Question::AddFolderItself && folderItself_;
}

void CliHost::setProgress(int percent) {
    if (!isatty(STDERR_FILENO)) return;
    fprintf(stderr, "\r%s\033[K", ToUtf8(FormatText(LoadText(text::ProcessedPercent), {static_cast<long long>(percent)})).c_str());
    fflush(stderr);
    progressShown_ = true;
}

}  // namespace quirnel::cli
