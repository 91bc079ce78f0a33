#include "ui/dialogs/PresetPreviewPane.h"

#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

#include "base/StringTable.h"
#include "base/TextIds.h"
#include "run/PresetPreview.h"
#include "ui/QtText.h"

namespace quirnel {
namespace {

QTableWidgetItem* Cell(const QString& text) {
    auto* item = new QTableWidgetItem(text);
    item->setToolTip(text);
    return item;
}

}  // namespace

PresetPreviewPane::PresetPreviewPane(QWidget* parent) : QWidget(parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    caption_ = new QLabel(this);
    caption_->setWordWrap(true);
    layout->addWidget(caption_);
    table_ = new QTableWidget(0, 3, this);
    table_->setHorizontalHeaderLabels({Q(LoadText(text::OldNameColumn)), Q(LoadText(text::NewNameColumn)),
                                       Q(LoadText(text::NewFolderColumn))});
    MakeReportTable(*table_);
    table_->horizontalHeader()->setStretchLastSection(true);
    table_->setSelectionMode(QAbstractItemView::NoSelection);
    table_->setFocusPolicy(Qt::NoFocus);
    const int h = fontMetrics().height();
    table_->setColumnWidth(0, 12 * h);
    table_->setColumnWidth(1, 12 * h);
    layout->addWidget(table_, 1);
}

void PresetPreviewPane::showPreview(const NameList* list, const QuirnelPreset& preset, const AppSettings& settings) {
    table_->setRowCount(0);
    if (!list || list->empty()) {
        caption_->setText(T(text::PreviewNoItems));
        return;
    }
    caption_->setText(list->anySelected() ? T(text::PreviewSelectedItems) : T(text::PreviewFirstItems));
    const std::vector<PreviewRow> rows = PreviewPreset(*list, preset, settings, kRows);
    table_->setRowCount(static_cast<int>(rows.size()));
    for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
        const PreviewRow& row = rows[r];
        table_->setItem(r, 0, Cell(Q(row.oldName)));
        if (row.removed) {
            QTableWidgetItem* gone = Cell(T(text::PreviewRemovedRow));
            QFont italic = gone->font();
            italic.setItalic(true);
            gone->setFont(italic);
            table_->setItem(r, 1, gone);
            continue;
        }
        table_->setItem(r, 1, Cell(Q(row.newName)));
        if (row.folderChanged) table_->setItem(r, 2, Cell(Q(row.newFolder)));
    }
}

}  // namespace quirnel
