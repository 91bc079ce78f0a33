#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace quirnel {

// Every yes/no question the program asks. A host answers by identity, never
// by wording, which changes with the language.
enum class Question {
    AddFolderItself,    // Yes adds a folder itself, No the files in it
    ExitWithUnapplied,  // closing while rows added since the last apply, or unapplied proposals, are listed
    StopProcessing,     // the Stop button or Esc during an apply run
    RestartForLanguage, // a new UI language takes effect after a restart
    ResetHotkeys,       // every hotkey back to its default
    RevertInterrupted,  // at start-up: Yes reverts an interrupted apply run, No keeps the disk as it is
    RevertRun,          // Revert Last Apply: Yes reverts the run named, No moves nothing
    RedoRun,            // Redo Reverted Apply: Yes reverts the revert named, No moves nothing
};

// A log line and the time it happened (UTC seconds).
struct TimedLine {
    int64_t utcSeconds = 0;
    std::u16string text;
};

// The string id of a question's text.
int QuestionTextId(Question question);

// Everything the core needs from a person or a screen. The window implements
// it with widgets, the command-line front end with standard streams, tests
// with recorders; every modal question has this one seam. AppendLog,
// SetStatusText and ShowMessageDialog keep the names the log, the status line
// and the message dialog go by throughout the project; the rest are camelCase.
class Host {
public:
    virtual ~Host() = default;
    virtual void AppendLog(const std::u16string& message) = 0;
    // Lines of what happened earlier (on another thread), each at its time,
    // in one go; a host that shows no times takes them as any lines.
    virtual void appendLogLines(const std::vector<TimedLine>& lines) {
        for (const TimedLine& line : lines) AppendLog(line.text);
    }
    virtual void SetStatusText(const std::u16string& text) = 0;
    virtual void ShowMessageDialog(const std::u16string& text, const std::u16string& title) = 0;
    // A question with Yes and No, with its text in the current language; true for Yes.
    virtual bool askYesNo(Question question, const std::u16string& text) = 0;
    // Percent of an apply run done (0..100).
    virtual void setProgress(int percent) {}
    // The number of rows or the selection changed: refresh command availability.
    virtual void commandStateChanged() {}
    // The path loading options before an add batch (shown when ShowCFGLoad is 1).
    virtual void showPathLoadOptions() {}
    // Rows left the list outside a command of the window (the end of an
    // apply run): views must forget them before they paint again.
    virtual void rowsRemoved() {}
    // Someone asked a long reading to stop (Ctrl+C at a terminal); read on
    // whichever thread tells its progress.
    virtual bool stopAsked() const { return false; }

    // Asks a question with its own text.
    bool ask(Question question);
};

}  // namespace quirnel
