#include <QAction>
#include <QApplication>

#include "app/ViewOptions.h"
#include "ui/HotkeyOptionsDialog.h"
#include "ui/LoadOptionsDialog.h"
#include "ui/MainWindow.h"
#include "ui/MenuLayout.h"
#include "ui/NameListView.h"
#include "ui/OtherOptionsDialog.h"
#include "ui/SettingsDialog.h"
#include "ui/ViewOptionsDialog.h"

namespace quirnel {
namespace {

// The list as the view options change it. Colours and fonts are applied from
// the settings, which ApplyViewOptions has stored by the time it asks.
class WindowList : public ListAppearance {
public:
    WindowList(MainWindow& window, const QFont& chosen) : window_(window), chosen_(chosen) {}
    void UseChosenFont(int32_t points) override {
        QFont font = chosen_;
        font.setPointSize(points);
        window_.setCustomListFont(font);
    }
    void ResizeCustomFont(int32_t points) override {
        QFont font = window_.customListFont();
        font.setPointSize(points);
        window_.setCustomListFont(font);
    }
    void ApplyListFont() override { window_.applyListFont(); }
    void RestoreSystemColors() override { window_.applyListColors(); }
    void SetTextColor(int32_t) override { window_.applyListColors(); }
    void SetBackgroundColor(int32_t) override { window_.applyListColors(); }
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

}  // namespace quirnel
