#include <QPushButton>

#include "apply/ApplyChanges.h"
#include "apply/ApplyWorker.h"
#include "apply/RowStatus.h"
#include "base/StringTable.h"
#include "base/TextIds.h"
#include "ui/widgets/CommandPanel.h"
#include "ui/mainwindow/MainWindow.h"
#include "ui/mainwindow/NameListModel.h"
#include "ui/mainwindow/NameListView.h"

namespace quirnel {

bool MainWindow::busy() const { return worker_ != nullptr || syncRunning_; }

bool MainWindow::runChangesOver() const { return worker_ && worker_->changesOver(); }

void MainWindow::startApply(ApplyType applyType) {
    if (busy()) return;
    stopRowStatuses();  // the run decides the rows' fates now
    if (IsOn(app_.settings.UseThread)) {
        // The worker's updates are taken on a queued call, on this thread.
        worker_ = std::make_unique<ApplyWorker>(
            ws_, applyType, [this] { QMetaObject::invokeMethod(this, &MainWindow::drainRun, Qt::QueuedConnection); });
        list_->syncSelectionFromList();  // the run starts with no row selected
        setRunControls(true);
        return;
    }
    syncRunning_ = true;
    list_->syncSelectionFromList();
    setRunControls(true);
    ApplyOutcome outcome = ApplyChanges(ws_, applyType);
    syncRunning_ = false;
    finishRun(outcome);
}

void MainWindow::drainRun() {
    if (!worker_ || draining_) return;
    draining_ = true;
    const bool done = worker_->drainUpdates();
    draining_ = false;
    model_->textsChanged();
    if (!done) return;
    ApplyOutcome outcome = worker_->outcome();
    worker_.reset();
    finishRun(outcome);
}

// Waits for a run whose stop was requested, taking its last updates.
void MainWindow::waitForRun() {
    if (!worker_) return;
    ApplyOutcome outcome = worker_->wait();
    worker_.reset();
    finishRun(outcome);
}

void MainWindow::finishRun(const ApplyOutcome& outcome) {
    if (!outcome.journal.empty()) lastApplyJournal_ = outcome.journal;
    model_->textsChanged();
    if (!outcome.checksPassed && outcome.failingRow >= 0 && outcome.failingRow < ws_.list.size()) {
        list_->syncSelectionFromList();
        list_->showRow(outcome.failingRow);
    }
    setWindowTitle(QStringLiteral("Quirnel"));
    setRunControls(false);
    refreshRowStatuses();
}

// While a run goes on the list and the panels rest; a run on the worker
// shows Stop beside a narrower status line.
void MainWindow::setRunControls(bool running) {
    list_->setEnabled(!running);
    leftPanel_->setEnabled(!running);
    rightPanel_->setEnabled(!running);
    layoutWindow();
    updateCommandState();
    if (!running) list_->setFocus();
}

// Once the run's last change is made there is nothing to stop: no question.
// One that ends while the question is open is said to have ended.
void MainWindow::askStop() {
    if (!worker_ && stopTakenByUser()) return;
    if (!worker_ || ws_.flags.stopFlag == 1 || runChangesOver()) return;
    if (!ask(Question::StopProcessing)) return;
    if (!worker_ || runChangesOver()) {
        AppendLog(LoadText(text::RunEndedBeforeStop));
        return;
    }
    ws_.flags.stopFlag = 1;
}

}  // namespace quirnel
