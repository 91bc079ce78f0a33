#include <QAction>
#include <QApplication>

#include "app/ViewOptions.h"
#include "ui/dialogs/HotkeyOptionsDialog.h"
#include "ui/dialogs/LoadOptionsDialog.h"
#include "ui/dialogs/OtherOptionsDialog.h"
#include "ui/dialogs/PresetEditorDialog.h"
#include "ui/dialogs/PresetGroupDialogs.h"
#include "ui/dialogs/DialogButtons.h"
#include "ui/dialogs/ViewOptionsDialog.h"
#include "ui/mainwindow/MainWindow.h"
#include "ui/mainwindow/MenuLayout.h"
#include "ui/mainwindow/NameListView.h"

namespace quirnel {
namespace {

// The list as the view options change it. Colours and fonts are applied from
// the settings, which ApplyViewOptions has stored by the time it asks.
class WindowList : public ListAppearance {
public:
    WindowList(MainWindow& window, const QFont& chosen) : window_(window), chosen_(chosen) {}
    void useChosenFont(int32_t points) override {
        QFont font = chosen_;
        font.setPointSize(points);
        window_.setCustomListFont(font);
    }
    void resizeCustomFont(int32_t points) override {
        QFont font = window_.customListFont();
        font.setPointSize(points);
        window_.setCustomListFont(font);
    }
    void ApplyListFont() override { window_.applyListFont(); }
    void restoreSystemColors() override { window_.applyListColors(); }
    void setTextColor(int32_t) override { window_.applyListColors(); }
    void setBackgroundColor(int32_t) override { window_.applyListColors(); }
    void ApplyIconSize() override { window_.applyIconSize(); }

private:
    MainWindow& window_;
    QFont chosen_;
};

}  // namespace

void MainWindow::showPathLoadOptions() {
    // An add batch shows the wait cursor; the choice is the user's first.
    QApplication::setOverrideCursor(Qt::ArrowCursor);
    EditSettings<LoadOptionsDialog>(app_.settings, this);
    QApplication::restoreOverrideCursor();
}

void MainWindow::cmdLoadOptions(int, bool) { EditSettings<LoadOptionsDialog>(app_.settings, this); }

void MainWindow::cmdOtherOptions(int, bool) {
    // Sorting reads SortLikeWindows from the settings themselves: nothing to refresh.
    EditSettings<OtherOptionsDialog>(app_.settings, this);
}

void MainWindow::cmdViewOptions(int, bool) {
    ViewOptionsDialog dialog(app_.settings, customListFont_, this);
    if (dialog.exec() != QDialog::Accepted) return;
    WindowList list(*this, dialog.chosenFont());
    ApplyViewOptions(app_.settings, dialog.options(), list);
    update();
    list_->viewport()->update();
}

void MainWindow::cmdHotkeys(int, bool) {
    MenuTexts texts;
    for (const auto& [command, record] : app_.hotkeys) {
        QAction* item = action(command);
        texts[command] = item ? item->text() : MenuCaption(command);
    }
    HotkeyOptionsDialog dialog(app_.hotkeys, std::move(texts), *this, this);
    dialog.exec();
    refreshMenuTexts();
}

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
