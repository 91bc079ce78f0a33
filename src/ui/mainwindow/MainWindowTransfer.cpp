#include <QApplication>
#include <QClipboard>
#include <QDragEnterEvent>
#include <QDir>
#include <QDropEvent>
#include <QFileDialog>
#include <QListView>
#include <QMimeData>
#include <QTreeView>

#include "base/MenuIds.h"
#include "base/StringTable.h"
#include "base/TextIds.h"
#include "namelist/AddItems.h"
#include "namelist/ImportExport.h"
#include "platform/FileSystem.h"
#include "ui/ClipboardPaths.h"
#include "ui/mainwindow/MainWindow.h"
#include "ui/mainwindow/NameListModel.h"
#include "ui/mainwindow/NameListView.h"
#include "ui/QtText.h"

namespace quirnel {
namespace {

bool ForNames(int command) {
    return command == menu::CopyNewNames || command == menu::PasteNewNames || command == menu::SaveNewNames ||
           command == menu::LoadNewNames;
}

QString TextFileFilters() {
    // "All Files" matches every name, with or without a dot.
    return T(text::TextFilesFilter) + QStringLiteral(";;") + T(text::TextAllFilesFilter);
}

std::vector<std::u16string> Paths(const QStringList& files) {
    std::vector<std::u16string> paths;
    for (const QString& f : files) paths.push_back(U(f));
    return paths;
}

}  // namespace

// Every add: the core adds (asking its one folder question on the way), then
// the views are told, never while the question is open.
void MainWindow::addBatch(const std::function<void()>& add) {
    if (busy()) return;
    stopRowStatuses();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const int before = ws_.list.size();
    add();
    takenStopped_ = false;  // new rows are read
    if (IsOn(ws_.settings.AutoSort) || ws_.list.size() < before)
        afterRowsChanged();
    else
        model_->rowsAppended();
    showSortIndicator();
    QApplication::restoreOverrideCursor();
    updateCommandState();
    refreshRowStatuses();
}

void MainWindow::addPaths(const std::vector<std::u16string>& paths) {
    addBatch([&] { AddPathList(ws_, paths); });
}

void MainWindow::dropPaths(const std::vector<std::u16string>& dropped) { addPaths(ReadDroppedPaths(dropped)); }

// A drop is accepted at once and added after the drag has ended, so the
// folder question never opens in the middle of a drag.
void MainWindow::addDroppedLater(std::vector<std::u16string> dropped) {
    QMetaObject::invokeMethod(
        this, [this, dropped = std::move(dropped)] { dropPaths(dropped); }, Qt::QueuedConnection);
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls() && !busy()) event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
    if (busy()) {
        event->ignore();
        return;
    }
    std::vector<std::u16string> dropped = LocalPathsOf(event->mimeData()->urls());
    event->acceptProposedAction();
    addDroppedLater(std::move(dropped));
}

// Pickers start where the user is in the list: the current row's folder,
// else the first selected row's, else the home folder.
QString MainWindow::rowFolder() const {
    int row = list_->currentIndex().isValid() ? model_->listRow(list_->currentIndex().row()) : -1;
    if (row < 0 || row >= ws_.list.size()) row = ws_.list.firstSelected();
    if (row < 0) return QDir::homePath();
    return Q(ws_.list.oldFolder(row));
}

QStringList MainWindow::chooseFilesToAdd() {
    return QFileDialog::getOpenFileNames(this, Q(LoadText(text::AddFilesTitle)), rowFolder());
}

QStringList MainWindow::chooseFoldersToAdd() {
    // The platform's folder picker picks one folder; the toolkit's own dialog
    // lets the user pick several at once.
    QFileDialog dlg(this, Q(LoadText(text::AddFoldersTitle)), rowFolder());
    dlg.setFileMode(QFileDialog::Directory);
    dlg.setOption(QFileDialog::ShowDirsOnly, true);
    dlg.setOption(QFileDialog::DontUseNativeDialog, true);
    for (auto* view : dlg.findChildren<QListView*>()) view->setSelectionMode(QAbstractItemView::ExtendedSelection);
    for (auto* view : dlg.findChildren<QTreeView*>()) view->setSelectionMode(QAbstractItemView::ExtendedSelection);
    return dlg.exec() == QDialog::Accepted ? dlg.selectedFiles() : QStringList();
}

QString MainWindow::chooseTextFileToSave(const QString& title) {
    QFileDialog dlg(this, title, rowFolder(), TextFileFilters());
    dlg.setAcceptMode(QFileDialog::AcceptSave);
    dlg.setDefaultSuffix(QStringLiteral("txt"));
    return dlg.exec() == QDialog::Accepted && !dlg.selectedFiles().isEmpty() ? dlg.selectedFiles().first() : QString();
}

QString MainWindow::chooseTextFileToOpen(const QString& title) {
    return QFileDialog::getOpenFileName(this, title, rowFolder(), TextFileFilters());
}

void MainWindow::cmdAddFiles(int, bool) {
    QStringList files = chooseFilesToAdd();
    if (!files.isEmpty()) addPaths(Paths(files));
}

void MainWindow::cmdAddFolders(int, bool) {
    QStringList folders = chooseFoldersToAdd();
    if (!folders.isEmpty()) addPaths(Paths(folders));
}

void MainWindow::cmdCopyText(int command, bool) {
    std::u16string text = ExportList(ws_.list, ForNames(command) ? ListExport::NewNames : ListExport::TargetPaths);
    if (!text.empty()) QGuiApplication::clipboard()->setText(Q(text));
}

void MainWindow::cmdSaveFile(int command, bool) {
    const bool names = ForNames(command);
    QString file = chooseTextFileToSave(Q(LoadText(names ? text::ExportNewNamesTitle : text::ExportFullPathsTitle)));
    // A file that cannot be written is not reported, as no write failure of the window is.
    if (!file.isEmpty())
        (void)ExportListToFile(ws_.list, names ? ListExport::NewNames : ListExport::TargetPaths, U(file));
}

void MainWindow::cmdPaste(int command, bool) {
    ClipboardContent content = ReadClipboardContent(QGuiApplication::clipboard()->mimeData());
    if (ForNames(command)) {
        if (content.files)
            ImportNewNames(ws_.list, DroppedNamesText(*content.files, ws_.list.style()));
        else if (content.text)
            ImportNewNames(ws_.list, WithFileUrlsAsPaths(*content.text));
        model_->textsChanged();
    } else if (content.files) {
        dropPaths(*content.files);
    } else if (content.text) {
        addBatch([&] { ImportPaths(ws_, WithFileUrlsAsPaths(*content.text)); });
    }
}

void MainWindow::cmdLoadFile(int command, bool) {
    const bool names = ForNames(command);
    QString file = chooseTextFileToOpen(Q(LoadText(names ? text::ImportNewNamesTitle : text::ImportPathListTitle)));
    if (file.isEmpty()) return;
    if (names) {
        (void)ImportNewNamesFromFile(ws_.list, U(file));  // unreadable: no change, no message
        model_->textsChanged();
    } else {
        addBatch([&] { (void)ImportPathsFromFile(ws_, U(file)); });  // unreadable: nothing added
    }
}

}  // namespace quirnel
