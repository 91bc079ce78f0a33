#include "ui/dialogs/PresetPreviewPane.h"

#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

#include "apply/RowStatus.h"
#include "base/StringTable.h"
#include "base/TextIds.h"
#include "run/PresetPreview.h"
#include "ui/QtText.h"
#include "ui/widgets/StatusTint.h"

namespace quirnel {
namespace {

QTableWidgetItem* Cell(const QString& text) {
    auto* item = new QTableWidgetItem(text);
    item->setToolTip(text);
    return item;
}

// The row's fate as the list shows it: its tint, and the lines of the
// tooltip after the cell's text (why the row stays as it was, what applying
// would do).
void ShowFate(QTableWidget& table, int r, const PreviewRow& row) {
    const QColor tint = row.status ? StatusTint(row.status->fate, table.palette().color(QPalette::Base)) : QColor();
    QStringList lines;
    if (!row.note.empty()) lines << Q(row.note);
    if (row.status) lines << Q(RowStatusText(*row.status));
    if (lines.isEmpty()) return;
    const QString told = lines.join(QLatin1Char('\n'));
    for (int c = 0; c < table.columnCount(); ++c) {
        QTableWidgetItem* item = table.item(r, c);
        if (!item) table.setItem(r, c, item = Cell(QString()));
        if (tint.isValid()) item->setBackground(tint);
        item->setToolTip(item->text().isEmpty() ? told : item->text() + QLatin1Char('\n') + told);
    }
}

}  // namespace

PresetPreviewPane::PresetPreviewPane(QWidget* parent, int rows) : QWidget(parent), rows_(rows) {
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

int PresetPreviewPane::heightFor(int captionLines) const {
    const int frame = 2 * table_->frameWidth();
    return captionLines * caption_->fontMetrics().lineSpacing() + layout()->spacing() +
           table_->horizontalHeader()->sizeHint().height() + rows_ * table_->verticalHeader()->defaultSectionSize() + frame;
}

void PresetPreviewPane::showPreview(const NameList* list, const QuirnelPreset& preset, const AppSettings& settings) {
    if (!list || list->empty()) return showMessage(T(text::PreviewNoItems), false);
    showRows(list->anySelected() ? T(text::PreviewSelectedItems) : T(text::PreviewFirstItems),
             PreviewPreset(*list, preset, settings, rows_));
}

void PresetPreviewPane::showRows(const QString& caption, const std::vector<PreviewRow>& rows) {
    caption_->setStyleSheet(QString());
    caption_->setText(caption);
    table_->setRowCount(0);
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
        ShowFate(*table_, r, row);
    }
}

void PresetPreviewPane::showMessage(const QString& text, bool problem) {
    table_->setRowCount(0);
    // Red in light and dark themes alike: the input would be refused.
    caption_->setStyleSheet(problem ? QStringLiteral("color: #c00000;") : QString());
    caption_->setText(text);
}

}  // namespace quirnel
