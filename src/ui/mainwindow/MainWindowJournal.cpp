#include <QAction>
#include <QTimer>

#include "apply/Revert.h"
#include "apply/RevertChoice.h"
#include "base/MenuIds.h"
#include "base/StringTable.h"
#include "base/TextIds.h"
#include "platform/LocalTime.h"
#include "platform/FileSystem.h"
#include "ui/QtText.h"
#include "apply/RowStatus.h"
#include "ui/mainwindow/MainWindow.h"
#include "ui/mainwindow/NameListModel.h"
#include "ui/mainwindow/NameListView.h"

namespace quirnel {

void MainWindow::recoverInterruptedRuns() {
    if (busy()) return;
    if (RecoverInterruptedRuns(ws_.flags.journal, *this) == 0) return;
    model_->textsChanged();
    refreshRowStatuses();
}

// The list follows the entries the revert moved back; their proposals come
// back pending.
void MainWindow::cmdRevertLastApply(int, bool) {
    RevertOutcome outcome = RevertLastApply(ws_.flags.journal, *this);
    FollowRevert(ws_.list, outcome);
    model_->textsChanged();
    refreshRedoItem();
}

// A redo is a revert of the revert: the list follows it the same way.
void MainWindow::cmdRedoRevertedApply(int, bool) {
    RevertOutcome outcome = RedoRevertedApply(ws_.flags.journal, *this);
    FollowRevert(ws_.list, outcome);
    model_->textsChanged();
    refreshRedoItem();
}

// Undo with nothing pending to undo: while this window's last apply is
// still the newest run that stands, its revert is what the user means.
bool MainWindow::offerRevertOfLastApply() {
    if (lastApplyJournal_.empty()) return false;
    const RevertChoice last = JournalHistory(ws_.flags.journal.folder).lastApply();
    if (last.what != RevertChoice::What::Revert || last.resumes || last.journal != AbsolutePath(lastApplyJournal_))
        return false;
    cmdRevertLastApply(menu::RevertLastApply, false);
    return true;
}

void MainWindow::refreshRedoItem() {
    const RevertChoice redo = JournalHistory(ws_.flags.journal.folder).redo();
    redoable_ = redo.what == RevertChoice::What::Redo;
    QAction* item = action(menu::RedoRevertedApply);
    if (!item) return;
    item->setText(redoable_ ? Q(FormatText(LoadText(text::RedoRevertedApplyAt), {TimeText(redo.run.startedUtc)}))
                            : T(text::RedoRevertedApplyItem));
    item->setEnabled(CommandEnabled(menu::RedoRevertedApply, commandState()));
    markMenus();
}

// The task reads the list: it ends before anything changes the list. The
// date taken's reading ends too, since what changes the list may use its cache.
void MainWindow::stopRowStatuses() {
    statusDelay_->stop();
    statusTask_.reset();
    model_->setStatuses({});  // nothing is shown for rows that may move
    stopTaken();
}

// A short pause first: a burst of commands (a preset, a held key) asks once,
// and the window paints before the look-ups start.
void MainWindow::refreshRowStatuses() {
    stopRowStatuses();
    if (!ws_.list.empty() && !busy()) statusDelay_->start();
    refreshTaken();
}

bool MainWindow::rowStatusesPending() const { return statusTask_ != nullptr || statusDelay_->isActive(); }

void MainWindow::startRowStatuses() {
    if (ws_.list.empty() || busy()) return;
    StatusOptions options{ApplyType::Originals, IsOn(ws_.settings.AutoNumber), true};
    statusTask_ = std::make_unique<RowStatusTask>(ws_.list, options, [this] {
        QMetaObject::invokeMethod(this, &MainWindow::takeRowStatuses, Qt::QueuedConnection);
    });
}

void MainWindow::takeRowStatuses() {
    if (!statusTask_ || !statusTask_->finished()) return;
    std::vector<RowStatus> statuses = statusTask_->statuses();
    statusTask_.reset();
    if (static_cast<int>(statuses.size()) == ws_.list.size() && !busy()) model_->setStatuses(std::move(statuses));
}

}  // namespace quirnel
