#include "ui/dialogs/HotkeyOptionsDialog.h"

#include <QHBoxLayout>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "base/Host.h"
#include "base/StringTable.h"
#include "base/TextIds.h"
#include "ui/dialogs/HotkeyCaptureDialog.h"
#include "ui/QtText.h"

namespace quirnel {
namespace {

enum Column { CommandColumn, HotkeyColumn, ConflictColumn };

// The text before the hotkey's tab, without the menu's mnemonic markers.
QString PlainMenuText(const QString& text) {
    const QString shown = text.left(text.indexOf(u'\t'));
    QString plain;
    for (qsizetype i = 0; i < shown.size(); ++i) {
        if (shown[i] == u'&' && ++i == shown.size()) break;  // "&&" shows one ampersand
        plain += shown[i];
    }
    return plain;
}

}  // namespace

HotkeyOptionsDialog::HotkeyOptionsDialog(HotkeyTable& table, MenuTexts menuTexts, Host& host, QWidget* parent)
    : QDialog(parent), table_(table), menuTexts_(std::move(menuTexts)), host_(host) {
    setWindowTitle(T(text::HotkeysTitle));
    setSizeGripEnabled(true);
    auto* layout = new QVBoxLayout(this);
    list_ = new QTreeWidget(this);
    list_->setRootIsDecorated(false);
    list_->setUniformRowHeights(true);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setHeaderLabels({Q(LoadText(text::HotkeyCommandColumn)), Q(LoadText(text::HotkeyColumn)),
                            T(text::SameKeyColumn)});
    list_->setColumnWidth(CommandColumn, 250);
    list_->setColumnWidth(HotkeyColumn, 150);
    layout->addWidget(list_, 1);

    auto* buttons = new QHBoxLayout();
    edit_ = new QPushButton(T(text::EditHotkeyButton), this);
    clear_ = new QPushButton(T(text::ClearHotkeyButton), this);
    reset_ = new QPushButton(T(text::ResetHotkeysButton), this);
    close_ = new QPushButton(T(text::CloseButton), this);
    for (QPushButton* b : {edit_, clear_, reset_}) buttons->addWidget(b);
    buttons->addStretch(1);
    buttons->addWidget(close_);
    layout->addLayout(buttons);

    connect(edit_, &QPushButton::clicked, this, [this] { editRow(selectedRow()); });
    connect(list_, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* row) { editRow(row); });
    connect(clear_, &QPushButton::clicked, this, &HotkeyOptionsDialog::clearRow);
    connect(reset_, &QPushButton::clicked, this, &HotkeyOptionsDialog::resetAll);
    connect(close_, &QPushButton::clicked, this, &QDialog::accept);
    fill();
    setMinimumSize(420, 300);
    resize(QSize(760, 520).boundedTo(screen()->availableSize()));
}

QString HotkeyOptionsDialog::commandText(int32_t commandId) const {
    auto it = menuTexts_.find(commandId);
    return it == menuTexts_.end() ? QString() : PlainMenuText(it->second);
}

void HotkeyOptionsDialog::fill() {
    list_->clear();
    for (const auto& [id, record] : table_) {
        auto* row = new QTreeWidgetItem(list_, {commandText(id)});
        row->setData(CommandColumn, Qt::UserRole, id);
    }
    showHotkeys();
}

// Every row, since one edit can make or end a conflict elsewhere.
void HotkeyOptionsDialog::showHotkeys() {
    // The mark stands beside the key, where it shows at any width; rows
    // without one keep the same indent so the keys line up.
    const QIcon warning = style()->standardIcon(QStyle::SP_MessageBoxWarning);
    const int side = style()->pixelMetric(QStyle::PM_SmallIconSize);
    QPixmap clear(side, side);
    clear.fill(Qt::transparent);
    const QIcon none(clear);
    for (int i = 0; i < list_->topLevelItemCount(); ++i) {
        QTreeWidgetItem* row = list_->topLevelItem(i);
        const HotkeyRecord& record = recordOf(row);
        const std::u16string text = HotkeyText(record);
        row->setText(HotkeyColumn, Q(text.empty() ? LoadText(text::NoHotkey) : text));
        std::optional<HotkeyConflict> conflict = FindHotkeyConflict(table_, record.CommandId);
        QString note;
        if (conflict) {
            const QString other = commandText(conflict->otherCommand);
            note = conflict->shadowed ? T(text::HotkeyShadowed).arg(other) : T(text::HotkeyAlsoSet).arg(other);
        }
        row->setText(ConflictColumn, note);
        row->setIcon(HotkeyColumn, conflict ? warning : none);
        for (int c = 0; c <= ConflictColumn; ++c) row->setToolTip(c, note);
    }
}

QTreeWidgetItem* HotkeyOptionsDialog::selectedRow() const {
    QList<QTreeWidgetItem*> rows = list_->selectedItems();
    return rows.isEmpty() ? nullptr : rows.first();
}

HotkeyRecord& HotkeyOptionsDialog::recordOf(const QTreeWidgetItem* row) {
    return table_.at(row->data(CommandColumn, Qt::UserRole).toInt());
}

void HotkeyOptionsDialog::editRow(QTreeWidgetItem* row) {
    if (!row) return;
    std::optional<HotkeyRecord> captured = HotkeyCaptureDialog::capture(recordOf(row), row->text(CommandColumn), this);
    if (!captured) return;
    recordOf(row) = *captured;
    showHotkeys();
    list_->scrollToItem(row);
}

void HotkeyOptionsDialog::clearRow() {
    QTreeWidgetItem* row = selectedRow();
    if (!row) return;
    HotkeyRecord& record = recordOf(row);
    record.KeyCode = record.Ctrl = record.Shift = 0;
    showHotkeys();
}

void HotkeyOptionsDialog::resetAll() {
    if (!host_.ask(Question::ResetHotkeys)) return;
    ResetHotkeys(table_);
    fill();
}

}  // namespace quirnel
