#include "ui/NameListView.h"

#include <QHeaderView>

#include "ui/NameListModel.h"

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
    verticalHeader()->hide();
    // Fixed row heights keep scrolling through a million rows cheap.
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setStretchLastSection(false);
    horizontalHeader()->setSectionsMovable(false);
    QPalette p = palette();
    p.setColor(QPalette::Inactive, QPalette::Highlight, p.color(QPalette::Active, QPalette::Highlight));
    p.setColor(QPalette::Inactive, QPalette::HighlightedText, p.color(QPalette::Active, QPalette::HighlightedText));
    setPalette(p);
}

void NameListView::selectionChanged(const QItemSelection& selected, const QItemSelection& deselected) {
    QTableView::selectionChanged(selected, deselected);
    if (syncing_) return;
    int n = ws_.list.size();
    for (const QItemSelectionRange& range : deselected)
        for (int r = range.top(); r <= range.bottom() && r < n; ++r) ws_.list.setSelected(r, false);
    for (const QItemSelectionRange& range : selected)
        for (int r = range.top(); r <= range.bottom() && r < n; ++r) ws_.list.setSelected(r, true);
}

void NameListView::syncSelectionFromList() {
    syncing_ = true;
    QItemSelection sel;
    int n = ws_.list.size();
    for (int r = 0; r < n;) {
        if (!ws_.list.selected(r)) {
            ++r;
            continue;
        }
        int start = r;
        while (r < n && ws_.list.selected(r)) ++r;
        sel.select(model_->index(start, 0), model_->index(r - 1, model_->columnCount() - 1));
    }
    selectionModel()->select(sel, QItemSelectionModel::ClearAndSelect);
    syncing_ = false;
}

}  // namespace quirnel
