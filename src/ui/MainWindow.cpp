#include "ui/MainWindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QListView>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSplitter>
#include <QTreeView>
#include <QUrl>

#include "base/ActivityLog.h"
#include "base/StringTable.h"
#include "base/TextIds.h"
#include "namelist/AddItems.h"
#include "platform/NativeText.h"
#include "ui/MessageDialog.h"
#include "ui/NameListModel.h"
#include "ui/NameListView.h"
#include "ui/QtText.h"
#include "ui/UiIconProvider.h"
#include "ui/UiText.h"

namespace quirnel {

MainWindow::MainWindow(AppState& app, QWidget* parent)
    : QMainWindow(parent), app_(app), ws_(app.settings, app.flags, *this), icons_(std::make_unique<UiIconProvider>()) {
    setWindowTitle(QStringLiteral("Quirnel"));
    setAcceptDrops(true);
    setMinimumSize(400, 300);
    ws_.icons.setProvider(icons_.get());
    buildMenus();
    buildLayout();
    resize(1000, 640);
    UpdateItemCount(ws_);
    AppendLog(LoadText(text::Ready));
}

MainWindow::~MainWindow() { ws_.icons.setProvider(nullptr); }

void MainWindow::buildMenus() {
    QMenu* file = menuBar()->addMenu(Tr("&File", "파일(&F)"));
    file->addAction(Tr("Add Files...", "파일 추가..."), this, &MainWindow::onAddFiles);
    file->addAction(Tr("Add Folders...", "폴더 추가..."), this, &MainWindow::onAddFolders);
    file->addSeparator();
    QAction* exit = file->addAction(Tr("Exit", "끝내기"), this, &QWidget::close);
    exit->setShortcut(QKeySequence(Qt::Key_Escape));
}

void MainWindow::buildLayout() {
    auto* central = new QWidget(this);
    auto* outer = new QVBoxLayout(central);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);

    model_ = new NameListModel(ws_, *icons_, this);
    list_ = new NameListView(ws_, model_, central);
    list_->setIconSize(QSize(16, 16));
    int f = fontMetrics().height();
    for (int c = 0; c < ColumnCount; ++c) list_->setColumnWidth(c, c < 2 ? 16 * f : 11 * f);

    log_ = new QPlainTextEdit(central);
    log_->setReadOnly(true);
    log_->setUndoRedoEnabled(false);

    splitter_ = new QSplitter(Qt::Vertical, central);
    splitter_->addWidget(list_);
    splitter_->addWidget(log_);
    splitter_->setStretchFactor(0, 1);
    splitter_->setStretchFactor(1, 0);
    splitter_->setSizes({500, std::max(app_.settings.LogHeight, 10)});
    log_->setVisible(app_.settings.ShowLog != 0);
    outer->addWidget(splitter_, 1);

    auto* statusRow = new QHBoxLayout();
    statusRow->setContentsMargins(0, 1, 0, 1);
    status_ = new QLabel(central);
    status_->setAlignment(Qt::AlignCenter);
    stop_ = new QPushButton(QStringLiteral("Stop(Esc)"), central);
    stop_->hide();
    statusRow->addWidget(status_, 1);
    statusRow->addWidget(stop_);
    outer->addLayout(statusRow);
    setCentralWidget(central);
}

void MainWindow::AppendLog(const std::u16string& message) {
    // A new paragraph per line: the first starts the pane, later ones follow a break.
    log_->appendPlainText(Q(LogLine(message)));
    log_->verticalScrollBar()->setValue(log_->verticalScrollBar()->maximum());
}

void MainWindow::SetStatusText(const std::u16string& text) {
    status_->setText(Q(text));
    status_->repaint();
}

void MainWindow::ShowMessageDialog(const std::u16string& text, const std::u16string& title) {
    MessageDialog dlg(Q(text), Q(title), this);
    dlg.exec();
}

bool MainWindow::AskYesNo(Question /*question*/, const std::u16string& text) {
    return QMessageBox::question(this, QApplication::applicationName(), Q(text),
                                 QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

void MainWindow::addPaths(const std::vector<std::u16string>& paths) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    model_->beginBatch();
    AddPathList(ws_, paths);
    model_->endBatch();
    list_->syncSelectionFromList();
    QApplication::restoreOverrideCursor();
}

void MainWindow::dropPaths(const std::vector<std::u16string>& dropped) { addPaths(ReadDroppedPaths(dropped)); }

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
    std::vector<std::u16string> dropped;
    for (const QUrl& url : event->mimeData()->urls()) {
        if (!url.isLocalFile()) continue;
        // The URL carries the name's bytes percent-encoded: decode them to
        // bytes ourselves so a name that is not UTF-8 keeps every byte.
        QByteArray bytes = QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1());
        dropped.push_back(FromNative(std::string_view(bytes.constData(), bytes.size())));
    }
    event->acceptProposedAction();
    dropPaths(dropped);
}

void MainWindow::onAddFiles() {
    QStringList files = QFileDialog::getOpenFileNames(this, Q(LoadText(text::AddFilesTitle)));
    if (files.isEmpty()) return;
    std::vector<std::u16string> paths;
    for (const QString& f : files) paths.push_back(U(f));
    addPaths(paths);
}

void MainWindow::onAddFolders() {
    // The platform's folder picker picks one folder; the toolkit's own dialog
    // lets the user pick several at once.
    QFileDialog dlg(this, Q(LoadText(text::AddFoldersTitle)));
    dlg.setFileMode(QFileDialog::Directory);
    dlg.setOption(QFileDialog::ShowDirsOnly, true);
    dlg.setOption(QFileDialog::DontUseNativeDialog, true);
    for (auto* view : dlg.findChildren<QListView*>()) view->setSelectionMode(QAbstractItemView::ExtendedSelection);
    for (auto* view : dlg.findChildren<QTreeView*>()) view->setSelectionMode(QAbstractItemView::ExtendedSelection);
    if (dlg.exec() != QDialog::Accepted) return;
    std::vector<std::u16string> paths;
    for (const QString& f : dlg.selectedFiles()) paths.push_back(U(f));
    addPaths(paths);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (app_.flags.unappliedFlag == 1 && !ws_.list.empty() && !Ask(Question::ExitWithUnapplied)) {
        event->ignore();
        return;
    }
    app_.settings.LogHeight = log_->height();
    model_->beginBatch();
    ws_.list.clear();
    ws_.icons.clear();
    model_->endBatch();
    event->accept();
}

}  // namespace quirnel
