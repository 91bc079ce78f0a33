#include "ui/CQuirnelApp.h"

#include "app/Configuration.h"
#include "app/ConfigurationPath.h"
#include "app/Language.h"
#include "app/StringTable.h"
#include "platform/FileSystem.h"
#include "ui/CQuirnelDlg.h"

namespace quirnel {

CQuirnelApp::CQuirnelApp(int& argc, char** argv) : qt_(argc, argv) {
    QApplication::setApplicationName(QStringLiteral("Quirnel"));
}

int CQuirnelApp::Run() {
    state_.ConfigPath = ConfigurationPath(ExecutablePath());
    state_.Hotkeys = DefaultHotkeys();
    ReadConfiguration(state_.ConfigPath, state_);  // a missing file leaves the defaults
    SetUiLanguage(ChooseUiLanguage(state_.settings.UILanguage));
    state_.StopFlag = 1;
    state_.UnappliedFlag = 0;
    int code;
    {
        CQuirnelDlg dlg(state_);
        dlg.show();
        code = qt_.exec();
    }
    WriteConfiguration(state_.ConfigPath, state_);
    return code;
}

}  // namespace quirnel
