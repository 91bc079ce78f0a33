#pragma once
#include <QApplication>

#include "app/AppState.h"
#include "app/StringTable.h"

namespace quirnel {

// The process: settings and flags that outlive the window, the UI language,
// and the main window's run.
class CQuirnelApp {
public:
    CQuirnelApp(int& argc, char** argv);
    int Run();
    AppState& state() { return state_; }

    // "english" and "korean" force a language, anything else follows the system.
    static UiLanguage ChooseLanguage(const std::u16string& setting);

private:
    QApplication qt_;
    AppState state_;
};

}  // namespace quirnel
