#include <QAction>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>

#include "app/ColumnState.h"
#include "app/Language.h"
#include "app/PresetMenu.h"
#include "base/MenuIds.h"
#include "base/StringTable.h"
#include "base/TextIds.h"
#include "namelist/NameList.h"
#include "run/CommandCatalogue.h"
#include "ui/widgets/CommandPanel.h"
#include "ui/mainwindow/MainWindow.h"
#include "ui/mainwindow/MenuLayout.h"
#include "ui/mainwindow/NameListModel.h"
#include "ui/mainwindow/NameListView.h"
#include "ui/AccessLetters.h"
#include "ui/QtText.h"

namespace quirnel {
namespace {

bool IsColumnToggle(int command) { return ColumnOfToggle(command) >= 0; }

bool IsLanguageItem(int command) {
    return command == menu::LanguageDefault || command == menu::LanguageEnglish || command == menu::LanguageKorean;
}

// A preset's name becomes menu text: a lone '&' would mark a mnemonic.
QString MenuSafe(const QString& text) {
    QString out = text;
    return out.replace(QLatin1Char('&'), QStringLiteral("&&"));
}

// A preset item's access letter is its number, in either language.
QString PresetItemText(const QString& text) {
    QString out = MenuSafe(text);
    for (qsizetype i = 0; i < out.size(); ++i)
        if (out[i].isDigit()) return out.insert(i, u'&');
    return out;
}

// The context menu of the rows, with the same commands as the menu bar.
const int32_t kContextCommands[] = {
    menu::EditName,       0, menu::UndoChanges, menu::UndoSelectedOnly, 0, menu::RemoveSelected,
    menu::MoveUp,         menu::MoveDown, 0,   menu::CopyNewNames,     menu::CopyPaths, 0,
    menu::ApplyChanges,
};

}  // namespace

void MainWindow::buildMenus() {
    for (const MenuPopup& popup : MenuBarLayout()) {
        QMenu* menu = menuBar()->addMenu(T(popup.textId));
        if (popup.textId == text::FilePopup) connect(menu, &QMenu::aboutToShow, this, &MainWindow::refreshRedoItem);
        connect(menu, &QMenu::aboutToShow, this, &MainWindow::updateCommandState);
        addMenuEntries(menu, popup.entries);
    }
}

// Items appear only for the commands the dispatcher can carry out.
void MainWindow::addMenuEntries(QMenu* popup, const std::vector<MenuEntry>& entries) {
    for (const MenuEntry& e : entries) {
        if (e.command == kSeparator) {
            popup->addSeparator();
        } else if (e.command == kLanguageSubmenu) {
            QMenu* sub = popup->addMenu(LanguageSubmenuCaption());
            addMenuEntries(sub, LanguageSubmenu());
        } else if (hasRoute(e.command)) {
            QAction* a = popup->addAction(EntryCaption(e));
            const int command = e.command;
            a->setCheckable(IsColumnToggle(command) || IsLanguageItem(command) || command == menu::ToggleLog ||
                            command == menu::ShowChangedOnly);
            connect(a, &QAction::triggered, this, [this, command] {
                runCommand(command, QGuiApplication::keyboardModifiers() & Qt::ShiftModifier);
            });
            actions_[command] = a;
        }
    }
}

// Captions with the hotkey each command has after the tab; the preset items
// with their names. Rewritten whenever hotkeys or presets change.
void MainWindow::refreshMenuTexts() {
    for (auto& [command, a] : actions_) {
        std::u16string caption = U(MenuCaption(command));
        auto hotkey = app_.hotkeys.find(command);
        if (hotkey != app_.hotkeys.end()) caption = HotkeyMenuText(caption, hotkey->second);
        a->setText(Q(caption));
    }
    for (const PresetMenuEntry& entry : PresetMenuEntries(app_.presets, app_.hotkeys))
        if (QAction* a = action(entry.commandId)) a->setText(PresetItemText(Q(entry.text)));
    markMenus();
    // The buttons carry the captions of their commands (string ids 1..20).
    for (CommandPanel* panel : {leftPanel_, rightPanel_})
        for (int command : panel->commands()) {
            auto hotkey = app_.hotkeys.find(command);
            QString keys = hotkey == app_.hotkeys.end() ? QString() : Q(HotkeyText(hotkey->second));
            if (const CommandInfo* info = FindMenuCommand(command)) panel->setCaption(command, Q(LoadText(info->id)), keys);
        }
}

void MainWindow::markMenus() {
    for (QAction* popup : menuBar()->actions())
        if (popup->menu()) AddAccessLetters(popup->menu());
}

CommandState MainWindow::commandState() const {
    CommandState state = CommandStateOf(busy(), ws_.list.size(), list_->selectionModel()->hasSelection(), app_.presets);
    state.hasRevertedRun = redoable_;
    return state;
}

bool MainWindow::commandEnabled(int command) const {
    return hasRoute(command) && CommandEnabled(command, commandState());
}

// Menu items, panel buttons and the check marks, from the one table.
void MainWindow::updateCommandState() {
    const CommandState state = commandState();
    for (auto& [command, a] : actions_) {
        a->setEnabled(CommandEnabled(command, state));
        if (IsColumnToggle(command)) a->setChecked(list_->columnWidthOrZero(ColumnOfToggle(command)) > 0);
        if (IsLanguageItem(command)) a->setChecked(command == CurrentLanguageCommand(app_.settings.UILanguage));
        if (command == menu::ToggleLog) a->setChecked(IsOn(app_.settings.ShowLog));
        if (command == menu::ShowChangedOnly) a->setChecked(model_->changedOnly());
    }
    for (CommandPanel* panel : {leftPanel_, rightPanel_})
        for (int command : panel->commands())
            panel->setCommandEnabled(command, hasRoute(command) && CommandEnabled(command, state));
}

void MainWindow::showContextMenu(const QPoint& at) {
    updateCommandState();
    QMenu popup(this);
    for (int32_t command : kContextCommands) {
        if (command == 0)
            popup.addSeparator();
        else if (QAction* a = action(command))
            popup.addAction(a);
    }
    popup.exec(list_->viewport()->mapToGlobal(at));
}

}  // namespace quirnel
