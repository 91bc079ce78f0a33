#include <QApplication>
#include <QCloseEvent>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>

#include "namelist/ProposalReset.h"
#include "namelist/Sorting.h"
#include "ui/widgets/CommandPanel.h"
#include "ui/mainwindow/MainWindow.h"
#include "ui/mainwindow/NameListModel.h"
#include "ui/mainwindow/NameListView.h"
#include "ui/ScreenRect.h"
#include "ui/widgets/SplitterBar.h"

namespace quirnel {
namespace {

void Place(QWidget* w, const Box& b) { w->setGeometry(b.x, b.y, b.w, b.h); }

constexpr int kPanelGap = 4;  // the separator's width after the buttons

}  // namespace

void MainWindow::layoutWindow() {
    if (!client_) return;
    const bool showLog = IsOn(app_.settings.ShowLog);
    if (panelWidth_ == 0)
        panelWidth_ = std::max(leftPanel_->naturalButtonWidth(), rightPanel_->naturalButtonWidth()) + kPanelGap;
    LayoutInput in;
    in.width = client_->width();
    in.height = client_->height();
    in.statusHeight = std::max(2 * fontPoints_, fontMetrics().height() + 10);
    in.panelWidth = panelWidth_;
    in.panelHeight = leftPanel_->panelHeight();
    in.showLog = showLog;
    in.logHeight = app_.settings.LogHeight;
    in.stopShown = worker_ != nullptr || fill_ != nullptr;
    // A few whole rows stay above the log, besides the header and a horizontal scroll bar.
    constexpr int kRowsKept = 4;
    in.minListHeight = list_->horizontalHeader()->sizeHint().height() +
                       kRowsKept * list_->verticalHeader()->defaultSectionSize() +
                       list_->horizontalScrollBar()->sizeHint().height() + 2 * list_->frameWidth();
    layout_ = LayoutMainWindow(in);

    leftPanel_->setButtonWidth(panelWidth_ - kPanelGap);
    rightPanel_->setButtonWidth(panelWidth_ - kPanelGap);
    Place(leftPanel_, layout_.leftPanel);
    Place(rightPanel_, layout_.rightPanel);
    Place(list_, layout_.list);
    Place(bar_, layout_.bar);
    Place(log_, layout_.log);
    Place(stop_, layout_.stop);
    Place(status_, layout_.status);
    bar_->setVisible(showLog);
    log_->setVisible(showLog);
    stop_->setVisible(in.stopShown);
    stop_->setEnabled(in.stopShown);
    client_->update();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == client_ && event->type() == QEvent::Resize) layoutWindow();
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::onSplitterDragged(int d) {
    // From the height shown, which a huge stored value may exceed.
    if (auto height = DraggedLogHeight(layout_.logHeight, d)) {
        app_.settings.LogHeight = *height;
        layoutWindow();
    }
}

void MainWindow::onHeaderClicked(int column) {
    if (busy()) {
        showSortIndicator();  // the header flips its arrow by itself
        return;
    }
    sortRows(column, HeaderClickAscending(ws_, column));
}

// By date taken once every row's date is read: until then the reading goes on
// and the sort follows it.
void MainWindow::sortRows(int column, bool ascending) {
    stopRowStatuses();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    bool sorted = true;
    if (column == ColTaken) sorted = sortByTaken(ascending);
    else SortList(ws_, column, ascending);
    if (sorted) afterRowsChanged();
    showSortIndicator();
    QApplication::restoreOverrideCursor();
    refreshRowStatuses();
}

void MainWindow::showSortIndicator() {
    const int column = ws_.sortColumn >= 0 && ws_.sortColumn < ViewColumnCount ? ws_.sortColumn : -1;
    list_->horizontalHeader()->setSortIndicator(column, ws_.sortAscending ? Qt::AscendingOrder : Qt::DescendingOrder);
}

ColumnWidths MainWindow::currentColumnWidths() const {
    ColumnWidths widths{};
    for (int c = 0; c < ViewColumnCount; ++c) widths[c] = list_->columnWidthOrZero(c);
    return widths;
}

// The normal rectangle (not the maximised one) and the columns.
void MainWindow::storeWindowState() {
    QRect g = normalGeometry();
    if (g.isValid()) app_.settings.RectMain = ToRect(g);
    StoreColumnState(app_.settings, currentColumnWidths(), ws_.sortColumn, ws_.sortAscending, fontPoints_);
    if (list_->sharedWidths()) app_.settings.ColWidths.clear();  // they follow the window next time as well
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // A run on this thread, or one whose report is open, ends first.
    if (syncRunning_ || draining_) {
        event->ignore();
        return;
    }
    if (worker_) {
        if (ws_.flags.stopFlag == 0 && !runChangesOver() && !ask(Question::StopProcessing)) {
            event->ignore();
            return;
        }
        ws_.flags.stopFlag = 1;
        waitForRun();
    }
    // Rows added since the last complete apply, or proposals not applied yet, would be lost.
    const bool losesWork = (app_.flags.unappliedFlag == 1 && !ws_.list.empty()) || AnyPendingProposal(ws_.list);
    if (losesWork && !ask(Question::ExitWithUnapplied)) {
        event->ignore();
        return;
    }
    storeWindowState();
    stopRowStatuses();
    ws_.list.clear();
    ws_.icons.clear();
    afterRowsChanged();
    event->accept();
}

}  // namespace quirnel
