#include "ui/mainwindow/NameListView.h"

#include <QEvent>
#include <QGuiApplication>
#include <QHeaderView>
#include <QStyledItemDelegate>
#include <QTimer>

#include "app/ColumnShares.h"
#include "ui/mainwindow/NameListModel.h"

namespace quirnel {
namespace {

// Folders differ at their end: a folder too long for its column loses its middle.
class ElideMiddle : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        option->textElideMode = Qt::ElideMiddle;
    }
};

constexpr int kTimeColumns[] = {ColModified, ColCreated, ColTaken};

}  // namespace

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
    horizontalHeader()->setTextElideMode(Qt::ElideRight);
    connect(horizontalHeader(), &QHeaderView::sectionResized, this, &NameListView::keepNameColumnWide);
    auto* middle = new ElideMiddle(this);
    for (int c : {int(ColOldFolder), int(ColNewFolder), int(ColFullPath)}) setItemDelegateForColumn(c, middle);
    connect(model, &NameListModel::filtered, this, &NameListView::syncSelectionFromList);
    // Content that changes is measured again once the burst of changes is over.
    refit_ = new QTimer(this);
    refit_->setSingleShot(true);
    refit_->setInterval(0);
    connect(refit_, &QTimer::timeout, this, &NameListView::fitSharedColumns);
    connect(model, &QAbstractItemModel::modelReset, this, &NameListView::contentChanged);
    connect(model, &QAbstractItemModel::layoutChanged, this, &NameListView::contentChanged);
    connect(model, &QAbstractItemModel::rowsInserted, this, &NameListView::contentChanged);
    connect(model, &QAbstractItemModel::rowsRemoved, this, &NameListView::contentChanged);
    connect(model, &QAbstractItemModel::dataChanged, this, &NameListView::contentChanged);
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
    contentChanged();
}

void NameListView::updateRowHeight() {
    verticalHeader()->setDefaultSectionSize(std::max(fontMetrics().height() + 6, iconPixels_ + 4));
}

void NameListView::changeEvent(QEvent* event) {
    QTableView::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        updateRowHeight();
        contentChanged();
    }
}

void NameListView::setNameColumnMinimum(int pixels) {
    nameMinimum_ = pixels;
    for (int c : {int(ColOldName), int(ColNewName)})
        if (horizontalHeader()->sectionSize(c) < pixels) setColumnWidthOrHide(c, pixels);
}

void NameListView::keepNameColumnWide(int column, int /*oldSize*/, int newSize) {
    // Only a divider dragged or double-clicked has a mouse button down.
    if (!fitting_ && QGuiApplication::mouseButtons() != Qt::NoButton) shared_ = false;
    if ((column == ColOldName || column == ColNewName) && newSize < nameMinimum_)
        horizontalHeader()->resizeSection(column, nameMinimum_);
}

int NameListView::columnWidthOrZero(int column) const {
    return horizontalHeader()->isSectionHidden(column) ? 0 : horizontalHeader()->sectionSize(column);
}

void NameListView::setColumnWidthOrHide(int column, int width) {
    if (width <= 0) {
        horizontalHeader()->hideSection(column);
        fitSharedColumns();
        return;
    }
    horizontalHeader()->showSection(column);
    horizontalHeader()->resizeSection(column, width);
    fitSharedColumns();
}

void NameListView::setSharedWidths(bool on) {
    shared_ = on;
    fitSharedColumns();
}

void NameListView::resizeEvent(QResizeEvent* event) {
    QTableView::resizeEvent(event);
    fitSharedColumns();
}

int NameListView::contentNeed(int column) {
    if (needs_.empty()) needs_.assign(static_cast<size_t>(model()->columnCount()), -1);
    int& need = needs_[static_cast<size_t>(column)];
    // The rows in view and the first thousand of the list, as a divider's double click measures.
    if (need < 0) need = std::max(sizeHintForColumn(column), horizontalHeader()->sectionSizeHint(column));
    return need;
}

void NameListView::contentChanged() {
    needs_.clear();
    if (shared_) refit_->start();
}

void NameListView::fitSharedColumns() {
    if (!shared_ || fitting_) return;
    fitting_ = true;
    QHeaderView* header = horizontalHeader();
    const int timeWidth = fontMetrics().horizontalAdvance(QStringLiteral("0000-00-00 00:00:00")) + 16;
    const int chars = fontMetrics().averageCharWidth();
    // In this order each gets what shows it whole: enough of each name to
    // tell names apart, sizes and times, the rest of the names, folders, and
    // the full path, which repeats the others. Below that, columns keep a few
    // letters (their captions are clipped rather than the names), and only
    // names and folders grow past what they show.
    std::vector<int> owner;  // the column of each share; a name has two
    std::vector<SharedColumn> shares;
    auto add = [&](int c, SharedColumn share) {
        owner.push_back(c);
        shares.push_back(share);
    };
    for (int c = 0; c < model()->columnCount(); ++c) {
        if (header->isSectionHidden(c)) continue;
        const int need = contentNeed(c), floor = std::min(header->sectionSizeHint(c), 8 * chars);
        const bool time = std::find(std::begin(kTimeColumns), std::end(kTimeColumns), c) != std::end(kTimeColumns);
        if (c == ColOldName || c == ColNewName) {
            const int first = std::min(need, 24 * chars + (c == ColOldName ? iconPixels_ : 0));
            add(c, {first, nameMinimum_, 0, 3});
            add(c, {std::max(0, need - std::max(first, nameMinimum_)), 0, 2, 0});
        } else if (c == ColOldFolder || c == ColNewFolder) {
            add(c, {need, floor, 3, 2});
        } else if (c == ColFullPath) {
            add(c, {need, floor, 4, 2});
        } else {
            add(c, {std::max(need, time ? timeWidth : 0), floor, 1, 0});
        }
    }
    const std::vector<int> widths = ShareWidths(viewport()->width(), shares);
    std::vector<int> width(static_cast<size_t>(model()->columnCount()), 0);
    for (size_t i = 0; i < owner.size(); ++i) width[static_cast<size_t>(owner[i])] += widths[i];
    for (int c : owner) header->resizeSection(c, width[static_cast<size_t>(c)]);
    fitting_ = false;
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
