// Draws the README's picture of the main window: a folder added as a user
// adds it, one preset applied, a second one proposing new names and folders,
// and the window grabbed offscreen. tools/screenshots.sh makes the folder.
// Usage: window_screenshot FOLDER OUTPUT.png [LANGUAGE]   (LANGUAGE: english, the default, or korean)
#include <QApplication>
#include <QHeaderView>
#include <QPixmap>
#include <QTest>
#include <cstdio>

#include "app/StartUp.h"
#include "base/CommandIds.h"
#include "base/MenuIds.h"
#include "ShotWindow.h"
#include "ui/mainwindow/MainWindow.h"
#include "ui/mainwindow/NameListView.h"

using namespace quirnel;

namespace {

QuirnelPreset Preset(std::u16string name, std::vector<PresetTask> tasks, bool apply) {
    QuirnelPreset p;
    p.Name = std::move(name);
    p.Tasks = std::move(tasks);
    p.AutoApply = apply ? 1 : 0;
    return p;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3 && argc != 4) {
        std::fprintf(stderr, "usage: %s FOLDER OUTPUT.png [english|korean]\n", argv[0]);
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication qt(argc, argv);
    const QString folder = QString::fromLocal8Bit(argv[1]);

    // The defaults, in English unless told, whatever the machine's configuration says.
    const std::u16string language = argc == 4 ? QString::fromLocal8Bit(argv[3]).toStdU16String() : u"english";
    AppState app;
    if (StartUp(app, u"", ConfigurationFile::MayBeMissing, [&](AppState& a) {
            a.settings.UILanguage = language;
            a.settings.LoadType = 1;   // a folder adds the files in it
            a.settings.UseThread = 0;  // the run is over when the command returns
            a.settings.IconType = 1;   // small icons: every row fits
            a.settings.LogHeight = 90;
            a.settings.ShowColumnFlag = (1 << ColOldName) | (1 << ColNewName) | (1 << ColOldFolder) |
                                        (1 << ColNewFolder) | (1 << ColModified);
            return true;
        }) != StartUpResult::Ready)
        return 1;
    app.presets[0] = Preset(u"Lower-case extensions", {{CmdReplaceExt, sub::ToLower, u"", u""}}, true);
    app.presets[1] = Preset(u"Trip photos",
                            {{CmdReplace, sub::ReplaceString, u"DSC_", u"Lisbon "},
                             {CmdAddPrefix, sub::AddModifiedDate, u"%Y-%m-%d ", u""},
                             {CmdChangeFolder, sub::FolderFromExtension, u"", u""}},
                            false);

    ShotWindow window(app);
    window.resize(1100, 650);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) return 1;

    window.dropPaths({folder.toStdU16String()});
    window.runCommand(menu::ApplyPreset1);
    window.runCommand(menu::ApplyPreset1 + 1);
    QTest::qWait(50);

    QHeaderView* header = window.listView()->horizontalHeader();
    const std::pair<int, int> widths[] = {
        {ColOldName, 215}, {ColNewName, 265}, {ColOldFolder, 150}, {ColNewFolder, 180}, {ColModified, 150}};
    for (auto [column, width] : widths) header->resizeSection(column, width);
    window.listView()->setCurrentIndex({});  // no focus frame on a row
    // The rows' tints come from a look-up off the window's thread.
    for (int waited = 0; window.rowStatusesPending() && waited < 5000; waited += 20) QTest::qWait(20);
    QTest::qWait(50);

    if (window.failed) return 1;
    if (!window.grab().save(QString::fromLocal8Bit(argv[2]))) {
        std::fprintf(stderr, "could not write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
