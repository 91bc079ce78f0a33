#include "ui/Application.h"

#include <QDir>
#include <QIcon>
#include <QLibraryInfo>

#include "app/ConfigurationPath.h"
#include "app/StartUp.h"
#include "base/StringTable.h"
#include "platform/FileSystem.h"
#include "platform/NativeText.h"
#include "ui/QtText.h"
#include "ui/mainwindow/MainWindow.h"

#ifndef QUIRNEL_VERSION
#define QUIRNEL_VERSION "0"
#endif
#ifndef QUIRNEL_RELEASE_DATE
#define QUIRNEL_RELEASE_DATE "unknown"
#endif

namespace quirnel {

#ifndef QUIRNEL_APP_ID
#define QUIRNEL_APP_ID "quirnel"
#endif

QIcon ApplicationIcon() {
    QIcon own;
    for (const QString& size : QDir(QStringLiteral(":/icons")).entryList())
        own.addFile(QStringLiteral(":/icons/%1/" QUIRNEL_APP_ID ".png").arg(size));
    return QIcon::fromTheme(QStringLiteral(QUIRNEL_APP_ID), own);
}

Application::Application(int& argc, char** argv) : qt_(argc, argv) {
    QApplication::setApplicationName(QStringLiteral("Quirnel"));
    // Task bars find the desktop entry, and every window its icon, by this name.
    QGuiApplication::setDesktopFileName(QStringLiteral(QUIRNEL_APP_ID));
    QApplication::setWindowIcon(ApplicationIcon());
    // The toolkit has taken its own options out; the rest are paths, read as
    // the bytes they are so that any name survives.
    for (int i = 1; i < argc; ++i) paths_.push_back(AbsolutePath(FromNative(argv[i])));
}

int Application::run() {
    // The window's file may be missing; only a refusal could stop the start.
    if (StartUp(state_, ConfigurationPath(ExecutablePath()), ConfigurationFile::MayBeMissing) != StartUpResult::Ready)
        return 1;
    // The toolkit's own dialogs and buttons (pickers, Yes and No) in the same language.
    if (CurrentUiLanguage() == UiLanguage::Korean &&
        toolkitTexts_.load(QStringLiteral("qtbase_ko"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&toolkitTexts_);
    int code;
    {
        MainWindow window(state_);
        window.show();
        // A run that was interrupted is asked about once the window is up.
        QMetaObject::invokeMethod(&window, [&] { window.recoverInterruptedRuns(); }, Qt::QueuedConnection);
        // "Open with" from a file manager: the paths arrive as one drop once the window is up.
        if (!paths_.empty())
            QMetaObject::invokeMethod(&window, [&] { window.dropPaths(paths_); }, Qt::QueuedConnection);
        code = qt_.exec();
    }
    ShutDown(state_);
    return code;
}

std::u16string VersionText() {
    std::u16string text = FormatText(LoadText(text::VersionLine), {U(QStringLiteral(QUIRNEL_VERSION)),
                                                                      U(QStringLiteral(QUIRNEL_RELEASE_DATE))});
    return text + u"\r\n\r\n" + LoadText(text::ContactLine);
}

}  // namespace quirnel
