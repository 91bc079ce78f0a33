#include "ui/mainwindow/MainWindow.h"
#include "ui/dialogs/PresetEditorDialog.h"
#include "ui/dialogs/PresetGroupDialogs.h"

namespace quirnel {

// The editor changes the presets as it goes; whatever it did shows in the
// Preset menu once it closes, and runCommand then re-greys the entries.
void MainWindow::cmdPresetEditor(int, bool) {
    PresetEditorDialog editor(app_.presets, app_.settings, *this, &ws_.list, this);
    editor.exec();
    refreshMenuTexts();
}

void MainWindow::cmdExportPresets(int, bool) { ExportPresetGroupWithDialog(this, app_, *this); }

void MainWindow::cmdImportPresets(int, bool) {
    if (ImportPresetGroupWithDialog(this, app_, *this)) refreshMenuTexts();
}

}  // namespace quirnel
