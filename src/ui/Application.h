#pragma once
#include <QApplication>
#include <QIcon>
#include <QTranslator>
#include <string>
#include <vector>

#include "app/AppState.h"

namespace quirnel {

// The installed theme's icon of the program, or else its own copy.
QIcon ApplicationIcon();

// The process: settings and flags that outlive the window, the UI language,
// and the main window's run.
class Application {
public:
    Application(int& argc, char** argv);
    // Start-up, the window's run, and the configuration written at the end.
    int run();
    AppState& state() { return state_; }

private:
    QApplication qt_;
    QTranslator toolkitTexts_;
    AppState state_;
    std::vector<std::u16string> paths_;  // the command line's paths, added as one drop
};

// "Quirnel v<version> (<date> Release)", two line breaks and the contact
// line, from the version and date the build was made with.
std::u16string VersionText();

}  // namespace quirnel
