#include <QApplication>

#include "base/StringTable.h"
#include "base/TextIds.h"
#include "namelist/MediaFill.h"
#include "namelist/MediaRows.h"
#include "namelist/TakenSort.h"
#include "ui/QtText.h"
#include "ui/mainwindow/MainWindow.h"
#include "ui/mainwindow/NameListModel.h"
#include "ui/mainwindow/NameListView.h"

namespace quirnel {

// Reads while the column is shown or a sort waits, unless every row is known
// already; the cache answers for files read before.
void MainWindow::refreshTaken() {
    if (fill_ || busy() || ws_.list.empty() || model_->takenKnown()) return;
    if (!sortWhenRead_ && (takenStopped_ || list_->columnWidthOrZero(ColTaken) <= 0)) return;
    statusBeforeFill_ = statusText_;
    fill_ = std::make_unique<MediaFillTask>(ws_.media, MediaFilesOf(ws_.list), [this] {
        QMetaObject::invokeMethod(this, &MainWindow::takeTaken, Qt::QueuedConnection);
    });
    layoutWindow();  // Stop shows
}

// Before anything else uses the cache or changes the list. What was read is
// kept in the cache, so a command that needs the fields reads only the rest.
void MainWindow::stopTaken() {
    if (!fill_) return;
    fill_.reset();
    SetStatusText(statusBeforeFill_.toStdU16String());
    layoutWindow();
}

bool MainWindow::stopTakenByUser() {
    if (!fill_) return false;
    fill_->stop();
    fill_->wait();
    MediaFillTask::Taken last = fill_->take();
    for (const MediaFillTask::Piece& p : last.pieces) model_->setTaken(p.first, p.fields);
    takenStopped_ = true;
    sortWhenRead_.reset();
    stopTaken();
    if (last.stopped) {
        AppendLog(FormatText(LoadText(text::MediaReadingStopped),
                             {static_cast<long long>(last.done), static_cast<long long>(last.total)}));
        showSortIndicator();
    }
    return true;
}

void MainWindow::takeTaken() {
    if (!fill_) return;
    MediaFillTask::Taken taken = fill_->take();
    for (const MediaFillTask::Piece& p : taken.pieces) model_->setTaken(p.first, p.fields);
    if (!taken.finished) {
        SetStatusText(FormatText(LoadText(text::MediaReading),
                                 {static_cast<long long>(taken.done), static_cast<long long>(taken.total)}));
        return;
    }
    stopTaken();
    if (std::optional<bool> ascending = std::exchange(sortWhenRead_, std::nullopt); ascending && !taken.stopped)
        sortRows(ColTaken, *ascending);
}

bool MainWindow::sortByTaken(bool ascending) {
    takenStopped_ = false;
    if (!model_->takenKnown()) {
        sortWhenRead_ = ascending;  // refreshing the rows starts the reading
        return false;
    }
    ws_.sortColumn = ColTaken;
    ws_.sortAscending = ascending;
    SortRowsByTaken(ws_.list, model_->takenTimes(), ascending);
    return true;
}

}  // namespace quirnel
