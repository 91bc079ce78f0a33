#include "ui/mainwindow/NameListView.h"

#include <QEvent>
#include <QGuiApplication>
#include <QHeaderView>
#include <QStyledItemDelegate>

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

constexpr int kSharedColumns[] = {ColOldName, ColNewName, ColOldFolder, ColNewFolder, ColFullPath};
constexpr int kTimeColumns[] = {ColModified, ColCreated, ColTaken};

bool IsShared(int column) { return std::find(std::begin(kSharedColumns), std::end(kSharedColumns), column) != std::end(kSharedColumns); }

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
    connect(horizontalHeader(), &QHeaderView::sectionResized, this, &NameListView::keepNameColumnWide);
    auto* middle = new ElideMiddle(this);
    for (int c : {int(ColOldFolder), int(ColNewFolder), int(ColFullPath)}) setItemDelegateForColumn(c, middle);
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

void NameListView::fitSharedColumns() {
    if (!shared_ || fitting_) return;
    fitting_ = true;
    QHeaderView* header = horizontalHeader();
    const int timeWidth = fontMetrics().horizontalAdvance(QStringLiteral("0000-00-00 00:00:00")) + 16;
    // Names take three parts to a folder's two: a folder's middle can go.
    auto parts = [](int c) { return c == ColOldName || c == ColNewName ? 3 : 2; };
    int fixed = 0, shares = 0;
    for (int c = 0; c < model()->columnCount(); ++c) {
        if (header->isSectionHidden(c)) continue;
        if (IsShared(c)) {
            shares += parts(c);
            continue;
        }
        if (std::find(std::begin(kTimeColumns), std::end(kTimeColumns), c) != std::end(kTimeColumns) &&
            header->sectionSize(c) < timeWidth)
            header->resizeSection(c, timeWidth);
        fixed += header->sectionSize(c);
    }
    if (shares > 0) {  // Old Name's icon comes on top of its share
        const int part = (viewport()->width() - fixed - iconPixels_) / shares;
        for (int c : kSharedColumns)
            if (!header->isSectionHidden(c))
                header->resizeSection(c, std::max(nameMinimum_, part * parts(c)) + (c == ColOldName ? iconPixels_ : 0));
    }
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
