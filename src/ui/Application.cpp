#include "ui/Application.h"

#include "app/ConfigurationPath.h"
#include "app/StartUp.h"
#include "platform/FileSystem.h"
#include "ui/MainWindow.h"

namespace quirnel {

Application::Application(int& argc, char** argv) : qt_(argc, argv) {
    QApplication::setApplicationName(QStringLiteral("Quirnel"));
}

int Application::Run() {
    // The window's file may be missing; only a refusal could stop the start.
    if (StartUp(state_, ConfigurationPath(ExecutablePath()), ConfigurationFile::MayBeMissing) != StartUpResult::Ready)
        return 1;
    int code;
    {
        MainWindow window(state_);
        window.show();
        code = qt_.exec();
    }
    ShutDown(state_);
    return code;
}

}  // namespace quirnel
