#include "ui/mainwindow/NameListView.h"

#include <QEvent>
#include <QHeaderView>

#include "ui/mainwindow/NameListModel.h"

namespace quirnel {

NameListView::NameListView(Workspace& ws, NameListModel* model, QWidget* parent)
    : QTableView(parent), ws_(ws), model_(model) {
    setModel(model);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setShowGrid(false);
    setWordWrap(false);
    setTextElideMode(Qt::ElideRight);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setContextMenuPolicy(Qt::CustomContextMenu);
    verticalHeader()->hide();
    // Fixed row heights keep scrolling through a million rows cheap.
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setStretchLastSection(false);
    horizontalHeader()->setSectionsMovable(false);
    horizontalHeader()->setSectionsClickable(true);
    horizontalHeader()->setSortIndicatorShown(true);
    horizontalHeader()->setMinimumSectionSize(1);
    connect(horizontalHeader(), &QHeaderView::sectionResized, this, &NameListView::keepNameColumnWide);
    connect(model, &NameListModel::filtered, this, &NameListView::syncSelectionFromList);
    QPalette p = palette();
    p.setColor(QPalette::Inactive, QPalette::Highlight, p.color(QPalette::Active, QPalette::Highlight));
    p.setColor(QPalette::Inactive, QPalette::HighlightedText, p.color(QPalette::Active, QPalette::HighlightedText));
    setPalette(p);
    updateRowHeight();
}

void NameListView::setListIconSize(int pixels) {
    iconPixels_ = pixels;
    setIconSize(QSize(pixels, pixels));
    updateRowHeight();
}

void NameListView::updateRowHeight() {
    verticalHeader()->setDefaultSectionSize(std::max(fontMetrics().height() + 6, iconPixels_ + 4));
}

void NameListView::changeEvent(QEvent* event) {
    QTableView::changeEvent(event);
    if (event->type() == QEvent::FontChange) updateRowHeight();
}

void NameListView::setNameColumnMinimum(int pixels) {
    nameMinimum_ = pixels;
    for (int c : {int(ColOldName), int(ColNewName)})
        if (horizontalHeader()->sectionSize(c) < pixels) setColumnWidthOrHide(c, pixels);
}

void NameListView::keepNameColumnWide(int column, int /*oldSize*/, int newSize) {
    if ((column == ColOldName || column == ColNewName) && newSize < nameMinimum_)
        horizontalHeader()->resizeSection(column, nameMinimum_);
}

int NameListView::columnWidthOrZero(int column) const {
    return horizontalHeader()->isSectionHidden(column) ? 0 : horizontalHeader()->sectionSize(column);
}

void NameListView::setColumnWidthOrHide(int column, int width) {
    if (width <= 0) {
        horizontalHeader()->hideSection(column);
        return;
    }
    horizontalHeader()->showSection(column);
    horizontalHeader()->resizeSection(column, width);
}

void NameListView::showRow(int row) {
    if (row < 0 || row >= ws_.list.size()) return;
    const int shown = model_->viewRow(row);
    if (shown < 0) return;
    selectionModel()->setCurrentIndex(model_->index(shown, 0), QItemSelectionModel::NoUpdate);
    scrollTo(model_->index(shown, 0));
}

void NameListView::selectionChanged(const QItemSelection& selected, const QItemSelection& deselected) {
    QTableView::selectionChanged(selected, deselected);
    if (syncing_) return;
    const int n = std::min(ws_.list.size(), model_->rowCount());
    for (const QItemSelectionRange& range : deselected)
        for (int r = range.top(); r <= range.bottom() && r < n; ++r) ws_.list.setSelected(model_->listRow(r), false);
    for (const QItemSelectionRange& range : selected)
        for (int r = range.top(); r <= range.bottom() && r < n; ++r) ws_.list.setSelected(model_->listRow(r), true);
}

void NameListView::syncSelectionFromList() {
    syncing_ = true;
    QItemSelection sel;
    const int n = std::min(ws_.list.size(), model_->rowCount());
    auto selected = [&](int r) { return ws_.list.selected(model_->listRow(r)); };
    for (int r = 0; r < n;) {
        if (!selected(r)) {
            ++r;
            continue;
        }
        int start = r;
        while (r < n && selected(r)) ++r;
        sel.select(model_->index(start, 0), model_->index(r - 1, model_->columnCount() - 1));
    }
    selectionModel()->select(sel, QItemSelectionModel::ClearAndSelect);
    syncing_ = false;
}

}  // namespace quirnel
