#include <QApplication>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QScrollBar>

#include "app/ColumnState.h"
#include "app/Hotkeys.h"
#include "app/Language.h"
#include "app/VirtualKeys.h"
#include "namelist/ProposalReset.h"
#include "base/MenuIds.h"
#include "base/StringTable.h"
#include "base/TextIds.h"
#include "namelist/ListEditing.h"
#include "commands/NameEdits.h"
#include "run/CommandCatalogue.h"
#include "run/RunCommand.h"
#include "ui/dialogs/ApplyModeDialog.h"
#include "ui/Application.h"
#include "ui/dialogs/CommandInputDialog.h"
#include "ui/KeyMapping.h"
#include "ui/mainwindow/MainWindow.h"
#include "ui/mainwindow/NameListModel.h"
#include "ui/mainwindow/NameListView.h"
#include "ui/QtText.h"
#include "ui/dialogs/SortDialog.h"

namespace quirnel {

struct MainWindow::Route {
    int32_t command;
    Handler handler;
};

// What each menu item that is not one of the twenty commands does; those take
// their route from the command catalogue. A command without a handler has no
// menu item, no panel button that works and no hotkey that acts.
const std::vector<MainWindow::Route>& MainWindow::routes() {
    static const std::vector<Route> kRoutes = {
        {menu::Exit, &MainWindow::cmdExit},
        {menu::RevertLastApply, &MainWindow::cmdRevertLastApply},
        {menu::RedoRevertedApply, &MainWindow::cmdRedoRevertedApply},
        {menu::ApplyPreset1, &MainWindow::cmdRunPreset},
        {menu::ApplyPreset1 + 1, &MainWindow::cmdRunPreset},
        {menu::ApplyPreset1 + 2, &MainWindow::cmdRunPreset},
        {menu::ApplyPreset1 + 3, &MainWindow::cmdRunPreset},
        {menu::ApplyPreset1 + 4, &MainWindow::cmdRunPreset},
        {menu::AddFiles, &MainWindow::cmdAddFiles},
        {menu::AddFolders, &MainWindow::cmdAddFolders},
        {menu::RemoveSelected, &MainWindow::cmdRemoveSelected},
        {menu::CopyNewNames, &MainWindow::cmdCopyText},
        {menu::PasteNewNames, &MainWindow::cmdPaste},
        {menu::SaveNewNames, &MainWindow::cmdSaveFile},
        {menu::LoadNewNames, &MainWindow::cmdLoadFile},
        {menu::CopyPaths, &MainWindow::cmdCopyText},
        {menu::PastePaths, &MainWindow::cmdPaste},
        {menu::SavePaths, &MainWindow::cmdSaveFile},
        {menu::LoadPaths, &MainWindow::cmdLoadFile},
        {menu::Version, &MainWindow::cmdVersion},
        {menu::ShowOldFolder, &MainWindow::cmdToggleColumn},
        {menu::ShowNewFolder, &MainWindow::cmdToggleColumn},
        {menu::ShowFileSize, &MainWindow::cmdToggleColumn},
        {menu::ShowModified, &MainWindow::cmdToggleColumn},
        {menu::ShowCreated, &MainWindow::cmdToggleColumn},
        {menu::ShowFullPath, &MainWindow::cmdToggleColumn},
        {menu::ShowTaken, &MainWindow::cmdToggleColumn},
        {menu::LanguageDefault, &MainWindow::cmdLanguage},
        {menu::LanguageEnglish, &MainWindow::cmdLanguage},
        {menu::LanguageKorean, &MainWindow::cmdLanguage},
        {menu::ToggleLog, &MainWindow::cmdToggleLog},
        {menu::ShowChangedOnly, &MainWindow::cmdChangedOnly},
        {menu::PathLoadOptions, &MainWindow::cmdLoadOptions},
        {menu::ViewOptions, &MainWindow::cmdViewOptions},
        {menu::OtherOptions, &MainWindow::cmdOtherOptions},
        {menu::Hotkeys, &MainWindow::cmdHotkeys},
        {menu::PresetSettings, &MainWindow::cmdPresetEditor},
        {menu::ExportPresetGroup, &MainWindow::cmdExportPresets},
        {menu::ImportPresetGroup, &MainWindow::cmdImportPresets},
    };
    return kRoutes;
}

// The window's side of each route a command can take.
MainWindow::Handler MainWindow::routeHandler(WindowRoute route) {
    switch (route) {
        case WindowRoute::Proposals: return &MainWindow::cmdRename;
        case WindowRoute::ApplyMode: return &MainWindow::cmdApply;
        case WindowRoute::Undo: return &MainWindow::cmdUndo;
        case WindowRoute::ClearList: return &MainWindow::cmdClear;
        case WindowRoute::SortDialog: return &MainWindow::cmdSortDialog;
        case WindowRoute::EditName: return &MainWindow::cmdEditName;
        case WindowRoute::MoveRows: return &MainWindow::cmdMove;
    }
    return nullptr;
}

MainWindow::Handler MainWindow::handlerOf(int command) {
    if (const CommandInfo* info = FindMenuCommand(command)) return routeHandler(info->route);
    for (const Route& r : routes())
        if (r.command == command) return r.handler;
    return nullptr;
}

bool MainWindow::hasRoute(int command) { return handlerOf(command) != nullptr; }

void MainWindow::runCommand(int command, bool shift) {
    const Handler handler = handlerOf(command);
    if (!handler || !CommandEnabled(command, commandState())) return;
    sortWhenRead_.reset();  // a sort by date taken still waiting gives way to what the user does now
    stopRowStatuses();
    (this->*handler)(command, shift);
    updateCommandState();
    refreshRowStatuses();
}

namespace {

// The keys with which a read-only text pane is read: selecting, copying,
// moving. They stay its own even where a hotkey (Ctrl+C) has the same key.
bool ReadingKey(QKeyEvent* event) {
    if (event->matches(QKeySequence::Copy) || event->matches(QKeySequence::SelectAll)) return true;
    switch (event->key()) {
        case Qt::Key_Left: case Qt::Key_Right: case Qt::Key_Up: case Qt::Key_Down:
        case Qt::Key_Home: case Qt::Key_End: case Qt::Key_PageUp: case Qt::Key_PageDown:
            return true;
        default:
            return false;
    }
}

}  // namespace

// Every key press aimed at the main window passes here first.
bool MainWindow::handleKey(QWidget* target, QKeyEvent* event) {
    if (busy()) {
        if (event->key() == Qt::Key_Escape) askStop();
        return true;  // no control gets a key while a run goes on
    }
    if (event->key() == Qt::Key_Escape) {
        if (!stopTakenByUser()) close();
        return true;
    }
    if (target == log_ && ReadingKey(event)) return false;
    const Qt::KeyboardModifiers mods = event->modifiers();
    // Alt combinations and F10 belong to the menu bar and never match a hotkey.
    if (mods & (Qt::AltModifier | Qt::MetaModifier)) return false;
    const int32_t code = VirtualKeyOf(*event);
    if (code == 0 || code == vk::Enter || code == vk::Shift || code == vk::Control || code == vk::F1 + 9) return false;
    auto command = FindHotkey(app_.hotkeys, code, mods & Qt::ControlModifier, mods & Qt::ShiftModifier);
    // F2 in the list edits the current row, unless a hotkey on F2 can run
    // now (by default preset 2's, which does nothing while it has no tasks).
    const bool f2 = code == vk::F1 + 1 && !(mods & (Qt::ControlModifier | Qt::ShiftModifier));
    if (f2 && target == list_ && (!command || !commandEnabled(*command))) return editCurrentRow();
    if (!command) return false;
    runCommand(*command, mods & Qt::ShiftModifier);
    return true;
}

void MainWindow::cmdExit(int, bool) { close(); }

void MainWindow::cmdRunPreset(int command, bool) {
    const QuirnelPreset preset = app_.presets[command - menu::ApplyPreset1];
    std::optional<ApplyType> applyType;
    const int before = ws_.list.size();
    // A task that ends the run early (Change Folder without a folder) has said why.
    (void)RunPreset(preset, WorkspaceActions(ws_, [&](ApplyType type) { applyType = type; }));
    showChanges(preset.AutoSort != 0 ? Changes::Order : Changes::Names | Changes::Folders | Changes::Rows, before);
    showSortIndicator();
    // The run starts after the list shows what the tasks made of it.
    if (applyType) startApply(*applyType);
}

void MainWindow::cmdApply(int, bool) {
    if (std::optional<ApplyType> applyType = ApplyModeDialog::choose(this)) startApply(*applyType);
}

void MainWindow::cmdUndo(int command, bool shift) {
    if (!AnyPendingProposal(ws_.list) && offerRevertOfLastApply()) return;
    UndoChanges(ws_.list, command == menu::UndoSelectedOnly || shift ? UndoScope::SelectedRows : UndoScope::AllRows);
    showChanges(FindCommand(CmdUndoChanges)->changes, ws_.list.size());
}

void MainWindow::cmdClear(int command, bool shift) {
    if (command == menu::ClearListInstantly || shift) {
        runListCommand(CmdClearList, sub::ClearAll, {}, {});
    } else if (std::optional<CommandInput> input =
                   AskCommandInput(CmdClearList, app_.settings, *this, this, {}, &ws_.list)) {
        runListCommand(CmdClearList, input->subCommand, input->arg1, input->arg2);
    }
}

void MainWindow::cmdSortDialog(int, bool) {
    SortDialog dlg(ws_.sortColumn, ws_.sortAscending, this);
    if (dlg.exec() != QDialog::Accepted) return;
    app_.settings.SortColumn = dlg.column();
    app_.settings.SortAscend = dlg.ascending() ? 1 : 0;
    sortRows(dlg.column(), dlg.ascending());
}

void MainWindow::cmdEditName(int, bool) {
    const int row = EditNameRow(ws_.list);
    if (row < 0) return;
    CommandInputDialog dlg(CmdEditName, app_.settings, *this, this);
    dlg.setInitialInput(0, std::u16string(ws_.list.newName(row)), {});
    if (dlg.exec() != QDialog::Accepted) return;
    (void)EditName(ws_.list, dlg.arg1());  // the row was found selected above
    showChanges(FindCommand(CmdEditName)->changes, ws_.list.size(), RowRange{row, row});
}

// F2, as in the list views of the desktop: the current row alone is edited.
bool MainWindow::editCurrentRow() {
    const QModelIndex current = list_->currentIndex();
    if (!current.isValid()) return false;
    list_->selectionModel()->select(current, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    runCommand(menu::EditName);
    return true;
}

void MainWindow::cmdRemoveSelected(int, bool) {
    // Every row selected in one block (Select All): the list is emptied at
    // once, without visiting a million rows to find the selected ones.
    const QItemSelection selection = list_->selectionModel()->selection();
    if (selection.size() == 1 && selection.first().top() == 0 && selection.first().height() == ws_.list.size())
        return runListCommand(CmdClearList, sub::ClearAll, {}, {});
    const int first = ws_.list.firstSelected();
    const int scroll = list_->verticalScrollBar()->value();
    RemoveSelected(ws_);
    afterRowsChanged();
    list_->verticalScrollBar()->setValue(scroll);
    list_->showRow(std::min(first, ws_.list.size() - 1));
}

void MainWindow::cmdMove(int command, bool) {
    std::vector<RowSwap> swaps = command == menu::MoveUp ? MoveUp(ws_.list) : MoveDown(ws_.list);
    if (swaps.empty()) return;
    int current = list_->currentIndex().isValid() ? model_->listRow(list_->currentIndex().row()) : -1;
    int first = swaps.front().a, last = swaps.front().a;
    for (const RowSwap& s : swaps) {
        current = current == s.a ? s.b : current == s.b ? s.a : current;
        first = std::min({first, s.a, s.b});
        last = std::max({last, s.a, s.b});
    }
    showChanges(FindCommand(CmdMoveUp)->changes, ws_.list.size(), RowRange{first, last});
    if (current >= 0)
        list_->selectionModel()->setCurrentIndex(model_->index(model_->viewRow(current), 0), QItemSelectionModel::NoUpdate);
    list_->scrollTo(model_->index(model_->viewRow(swaps.back().b), 0));
}

void MainWindow::cmdRename(int command, bool) {
    const CommandInfo* info = FindMenuCommand(command);
    if (!info) return;
    if (!info->hasInput()) return runListCommand(info->id, 0, {}, {});
    if (std::optional<CommandInput> input = AskCommandInput(info->id, app_.settings, *this, this, {}, &ws_.list))
        runListCommand(info->id, input->subCommand, input->arg1, input->arg2);
}

void MainWindow::runListCommand(CommandId command, int subCommand, const std::u16string& arg1,
                                const std::u16string& arg2) {
    const int before = ws_.list.size();
    // Only a preset run goes on after a command: from the menu nothing follows.
    (void)RunCommand(ws_, command, subCommand, arg1, arg2);
    showChanges(FindCommand(command)->changes, before);
}

// The one place where what a command changed becomes the views' repaint:
// rows removed or reordered start the views over, changed texts keep their
// scroll position and selection.
void MainWindow::showChanges(Changes changes, int rowsBefore, std::optional<RowRange> rows) {
    const bool reordered = Has(changes, Changes::Order);
    if (rows) {
        model_->rowsChanged(rows->first, rows->last);
        if (reordered) list_->syncSelectionFromList();
    } else if (reordered || (Has(changes, Changes::Rows) && ws_.list.size() != rowsBefore)) {
        afterRowsChanged();
    } else if (Has(changes, Changes::Names | Changes::Folders | Changes::Rows)) {
        model_->textsChanged();
    }
}

void MainWindow::afterRowsChanged() {
    model_->rowsReset();
    list_->syncSelectionFromList();
}

void MainWindow::cmdToggleColumn(int command, bool) {
    const int column = ColumnOfToggle(command);
    list_->setColumnWidthOrHide(column, ToggleColumn(app_.settings, column, list_->columnWidthOrZero(column), fontPoints_));
    if (column == ColTaken) takenStopped_ = false;  // shown again: read again
}

void MainWindow::cmdLanguage(int command, bool) {
    if (SwitchLanguage(app_.settings, command, *this)) close();
}

void MainWindow::cmdToggleLog(int, bool) {
    app_.settings.ShowLog = IsOn(app_.settings.ShowLog) ? 0 : 1;
    layoutWindow();
}

// Commands still act on every row: only what the list shows changes.
void MainWindow::cmdChangedOnly(int, bool) {
    model_->setChangedOnly(!model_->changedOnly());
    showStatus();
}

void MainWindow::cmdVersion(int, bool) { ShowMessageDialog(VersionText(), LoadText(text::VersionTitle)); }

}  // namespace quirnel
