#pragma once
#include <QString>
#include <cstdio>
#include <optional>
#include <string>

#include "ui/mainwindow/MainWindow.h"

namespace quirnel {

// The window the screenshot tools draw. Nothing may wait for a person there:
// a question or a message would mean the picture shows something other than
// what was planned, so either one is reported and marks the run failed, but
// for the one question a picture is planned of.
class ShotWindow : public MainWindow {
public:
    using MainWindow::MainWindow;
    bool askYesNo(Question question, const std::u16string& text) override {
        if (question == drawnQuestion) return MainWindow::askYesNo(question, text);
        report("question", text);
        return false;
    }
    std::optional<Question> drawnQuestion;
    void ShowMessageDialog(const std::u16string& text, const std::u16string&) override { report("message", text); }
    bool failed = false;

private:
    void report(const char* what, const std::u16string& text) {
        std::fprintf(stderr, "unexpected %s: %s\n", what, QString::fromStdU16String(text).toLocal8Bit().constData());
        failed = true;
    }
};

}  // namespace quirnel
