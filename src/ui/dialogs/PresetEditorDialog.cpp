#include "ui/dialogs/PresetEditorDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QPushButton>
#include <QSplitter>
#include <QTableWidget>
#include <algorithm>

#include "base/AppSettings.h"
#include "base/StringTable.h"
#include "base/TextIds.h"
#include "presets/PresetEditing.h"
#include "run/CommandCatalogue.h"
#include "ui/widgets/CommandBar.h"
#include "ui/dialogs/CommandInputDialog.h"
#include "ui/dialogs/PresetPreviewPane.h"
#include "ui/QtText.h"
#include "ui/dialogs/SortDialog.h"

namespace quirnel {
namespace {

constexpr char kCommandProperty[] = "command";

QPushButton* Button(const QString& text, QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    button->setAutoDefault(false);
    return button;
}

// The narrowest a button may be with its text whole and some room around it.
int TightWidth(const QPushButton& button, int h) {
    return std::min(button.sizeHint().width(), button.fontMetrics().horizontalAdvance(button.text()) + h);
}

}  // namespace

PresetEditorDialog::PresetEditorDialog(PresetTable& presets, AppSettings& settings, Host& host, const NameList* list,
                                       QWidget* parent)
    : QDialog(parent), presets_(presets), settings_(settings), host_(host), list_(list) {
    setWindowTitle(T(text::PresetEditorTitle));
    setSizeGripEnabled(true);
    buildControls();
    setMinimumSize(500, 400);
    const int h = fontMetrics().height();
    resize(std::max(500, 46 * h), std::max(400, 40 * h));
    selector_->setCurrentIndex(0);
    showPreset(0);
}

void PresetEditorDialog::buildControls() {
    selector_ = new QComboBox(this);
    for (int i = 0; i < kPresetCount; ++i) selector_->addItem(Q(PresetSelectorText(i + 1, presets_[i])));
    connect(selector_, &QComboBox::currentIndexChanged, this, &PresetEditorDialog::showPreset);

    // clicked and activated come from the user only: showing a preset sets
    // these controls without writing the preset back.
    sortBox_ = new QCheckBox(T(text::SortBeforeStartBox), this);
    connect(sortBox_, &QCheckBox::clicked, this, [this](bool on) {
        preset().AutoSort = on ? 1 : 0;
        sortButton_->setEnabled(on);
        presetChanged();
    });
    sortButton_ = Button(QString(), this);
    connect(sortButton_, &QPushButton::clicked, this, &PresetEditorDialog::chooseSort);
    applyBox_ = new QCheckBox(T(text::ApplyChangesBox), this);
    connect(applyBox_, &QCheckBox::clicked, this, [this](bool on) {
        preset().AutoApply = on ? 1 : 0;
        applyModes_->setEnabled(on);
    });
    applyModes_ = new QComboBox(this);
    applyModes_->addItem(Q(LoadText(text::ChangeOriginals)));
    applyModes_->addItem(Q(LoadText(text::MakingCopies)));
    connect(applyModes_, &QComboBox::activated, this, [this](int index) { preset().ApplyType = index; });
    // A narrow window cuts the mode's text: the whole of it on hover.
    connect(applyModes_, &QComboBox::currentTextChanged, applyModes_, &QWidget::setToolTip);

    splitter_ = new QSplitter(Qt::Vertical, this);
    splitter_->setChildrenCollapsible(false);
    tasks_ = new QTableWidget(0, 4, splitter_);
    const int h = fontMetrics().height();
    const int widths[] = {8 * h, 20 * h, 6 * h, 6 * h};
    const int captions[] = {text::CommandColumn, text::SubCommandColumn, text::Arg1Column, text::Arg2Column};
    for (int c = 0; c < 4; ++c) {
        auto* header = new QTableWidgetItem(Q(LoadText(captions[c])));
        if (c >= 2) header->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        tasks_->setHorizontalHeaderItem(c, header);
        tasks_->setColumnWidth(c, widths[c]);
    }
    MakeReportTable(*tasks_);
    tasks_->setSelectionMode(QAbstractItemView::SingleSelection);
    tasks_->setShowGrid(true);
    connect(tasks_, &QTableWidget::itemSelectionChanged, this, &PresetEditorDialog::updateButtons);
    connect(tasks_, &QTableWidget::cellDoubleClicked, this, &PresetEditorDialog::editTask);
    preview_ = new PresetPreviewPane(splitter_);
    splitter_->setStretchFactor(0, 3);
    splitter_->setStretchFactor(1, 2);

    buildCommandBar();

    up_ = Button(T(text::TaskUpButton), this);
    down_ = Button(T(text::TaskDownButton), this);
    edit_ = Button(T(text::TaskEditButton), this);
    delete_ = Button(T(text::TaskDeleteButton), this);
    name_ = Button(Q(LoadText(text::PresetNameLabel)), this);
    close_ = Button(T(text::CloseButton), this);
    connect(up_, &QPushButton::clicked, this, [this] { moveTask(-1); });
    connect(down_, &QPushButton::clicked, this, [this] { moveTask(1); });
    connect(edit_, &QPushButton::clicked, this, &PresetEditorDialog::editTask);
    connect(delete_, &QPushButton::clicked, this, &PresetEditorDialog::deleteTask);
    connect(name_, &QPushButton::clicked, this, &PresetEditorDialog::renamePreset);
    connect(close_, &QPushButton::clicked, this, &QDialog::accept);
}

void PresetEditorDialog::buildCommandBar() {
    group_ = new QGroupBox(T(text::AddCommandGroup), this);
    bar_ = new CommandBar(group_);
    for (int32_t command : PresetEditorCommands()) {
        QPushButton* button = bar_->addButton(Q(LoadText(command)));
        button->setProperty(kCommandProperty, command);
        connect(button, &QPushButton::clicked, this, [this, command] { addTask(command); });
    }
}

QPushButton* PresetEditorDialog::commandButton(int command) const {
    for (QPushButton* button : bar_->buttons())
        if (button->property(kCommandProperty).toInt() == command) return button;
    return nullptr;
}

int PresetEditorDialog::shownPreset() const { return std::clamp(selector_->currentIndex(), 0, kPresetCount - 1); }

QuirnelPreset& PresetEditorDialog::preset() { return presets_[shownPreset()]; }

void PresetEditorDialog::showPreset(int) {
    const QuirnelPreset& p = preset();
    sortBox_->setChecked(p.AutoSort != 0);
    sortButton_->setEnabled(p.AutoSort != 0);
    sortButton_->setText(Q(SortButtonText(p.SortColumn, p.SortAscend != 0)));
    applyBox_->setChecked(p.AutoApply != 0);
    applyModes_->setEnabled(p.AutoApply != 0);
    applyModes_->setCurrentIndex(p.ApplyType);
    tasks_->setRowCount(static_cast<int>(p.Tasks.size()));
    for (int row = 0; row < tasks_->rowCount(); ++row) showTask(row);
    if (tasks_->rowCount() == 0) selectRow(-1);
    presetChanged();
}

void PresetEditorDialog::showTask(int row) {
    PresetTask& task = preset().Tasks[row];
    ConvertRetiredSubCommand(task);  // shown once, stored in its current form from then on
    const auto texts = TaskRowTexts(task);
    for (int c = 0; c < 4; ++c) {
        auto* item = new QTableWidgetItem(Q(texts[c]));
        if (c >= 2) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        item->setToolTip(item->text());
        tasks_->setItem(row, c, item);
    }
    selectRow(row);
}

void PresetEditorDialog::selectRow(int row) {
    if (row < 0) {
        tasks_->clearSelection();
        tasks_->setCurrentCell(-1, -1);
    } else {
        tasks_->setCurrentCell(row, 0);
        tasks_->scrollToItem(tasks_->item(row, 0));
    }
    updateButtons();
}

int PresetEditorDialog::selectedRow() const {
    const QModelIndexList rows = tasks_->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void PresetEditorDialog::updateButtons() {
    const int row = selectedRow();
    const auto& tasks = presets_[shownPreset()].Tasks;
    const bool selected = row >= 0 && row < static_cast<int>(tasks.size());
    for (QPushButton* button : {up_, down_, delete_}) button->setEnabled(selected);
    edit_->setEnabled(selected && TaskHasInput(tasks[row]));
}

void PresetEditorDialog::presetChanged() {
    preview_->showPreview(list_, preset(), settings_);
    updateButtons();
}

void PresetEditorDialog::chooseSort() {
    QuirnelPreset& p = preset();
    SortDialog dialog(p.SortColumn, p.SortAscend != 0, this);
    if (dialog.exec() != QDialog::Accepted) return;
    p.SortColumn = dialog.column();
    p.SortAscend = dialog.ascending() ? 1 : 0;
    sortButton_->setText(Q(SortButtonText(p.SortColumn, p.SortAscend != 0)));
    presetChanged();
}

std::optional<PresetTask> PresetEditorDialog::askInput(int command, const PresetTask& initial) {
    std::optional<CommandInput> input =
        AskCommandInput(command, settings_, host_, this, {initial.SubCommand, initial.Arg1, initial.Arg2});
    if (!input) return std::nullopt;
    return PresetTask{command, input->subCommand, std::move(input->arg1), std::move(input->arg2)};
}

void PresetEditorDialog::addTask(int command) {
    PresetTask task{command, 0, {}, {}};
    const CommandInfo* info = FindCommand(command);
    if (info && info->hasInput()) {
        std::optional<PresetTask> asked = askInput(command, {});
        if (!asked) return;
        task = std::move(*asked);
    }
    preset().Tasks.push_back(std::move(task));  // at the end, whatever row is selected
    const int row = tasks_->rowCount();
    tasks_->insertRow(row);
    showTask(row);
    presetChanged();
}

void PresetEditorDialog::editTask() {
    const int row = selectedRow();
    if (row < 0 || !TaskHasInput(preset().Tasks[row])) return;
    const PresetTask& task = preset().Tasks[row];
    std::optional<PresetTask> asked = askInput(task.Command, task);
    if (!asked) return;
    preset().Tasks[row] = std::move(*asked);
    showTask(row);
    presetChanged();
}

void PresetEditorDialog::deleteTask() {
    const int row = selectedRow();
    if (row < 0) return;
    const int next = DeleteTask(preset(), row);
    tasks_->removeRow(row);
    selectRow(next);
    presetChanged();
}

void PresetEditorDialog::moveTask(int step) {
    const int row = selectedRow();
    const int moved = MoveTask(preset(), row, step);
    if (moved == row) return;
    showTask(row);
    showTask(moved);  // rewritten last, so the moved task is the one selected
    presetChanged();
}

void PresetEditorDialog::renamePreset() {
    QuirnelPreset& p = preset();
    std::optional<PresetTask> asked = askInput(kPresetNameRequest, {0, 0, p.Name, {}});
    if (!asked) return;
    p.Name = asked->Arg1;
    selector_->setItemText(shownPreset(), Q(PresetSelectorText(shownPreset() + 1, p)));
}

void PresetEditorDialog::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    layoutControls();
}

// Five buttons from the left, all as wide as the widest (Close included), h
// apart, and Close at the right. Where that does not fit, each takes only the
// room its text needs and the gaps shrink, so no text is ever cut.
void PresetEditorDialog::layoutButtonRow(const QRect& area, int h) {
    const QList<QPushButton*> row = {up_, down_, edit_, delete_, name_, close_};
    int widest = 0, total = 0;
    for (QPushButton* button : row) {
        widest = std::max(widest, button->sizeHint().width());
        total += TightWidth(*button, h);
    }
    const bool uniform = 6 * widest + 5 * h <= area.width();
    const int gap = uniform ? h : std::clamp((area.width() - total) / 5, 2, h);
    const int buttonH = close_->sizeHint().height();
    const int y = area.bottom() + 1 - buttonH;
    int x = area.left();
    for (QPushButton* button : row) {
        const int w = uniform ? widest : TightWidth(*button, h);
        if (button == close_) x = area.right() + 1 - w;
        button->setGeometry(x, y, w, buttonH);
        x += w + gap;
    }
}

void PresetEditorDialog::layoutControls() {
    const int h = fontMetrics().height();
    const QRect area = rect().adjusted(h, h, -h, -h);
    int y = area.top();

    const int selectorH = selector_->sizeHint().height();
    selector_->setGeometry(area.left(), y, area.width(), selectorH);
    y += selectorH + h / 2;

    // The options row: each half starts with its check box; the button and the
    // mode list fill the rest of their half. When the window is too narrow for
    // the sort button's text, the middle moves right and the mode list, whose
    // entries its drop-down shows whole, gives up the room.
    const int rowH = std::max({sortBox_->sizeHint().height(), sortButton_->sizeHint().height(),
                               applyModes_->sizeHint().height()});
    const int sortBoxW = sortBox_->sizeHint().width();
    const int applyBoxW = applyBox_->sizeHint().width();
    const int latestMiddle = area.right() + 1 - h - applyBoxW - 4 * h;
    const int middle = std::max(area.left() + area.width() / 2,
                                std::min(area.left() + sortBoxW + sortButton_->sizeHint().width(), latestMiddle));
    sortBox_->setGeometry(area.left(), y, sortBoxW, rowH);
    sortButton_->setGeometry(area.left() + sortBoxW, y, std::max(0, middle - area.left() - sortBoxW), rowH);
    sortButton_->setToolTip(sortButton_->text());
    applyBox_->setGeometry(middle + h, y, applyBoxW, rowH);
    const int modesX = middle + h + applyBoxW;
    applyModes_->setGeometry(modesX, y, std::max(0, area.right() + 1 - modesX), rowH);
    y += rowH + h / 2;

    // From the bottom up: the button row, the command group, then the tasks take the rest.
    layoutButtonRow(area, h);
    const int buttonY = close_->y();
    const int barW = std::max(1, area.width() - 2 * h);
    const int barH = bar_->heightForWidth(barW);
    const int groupH = barH + 3 * h;
    const int groupY = buttonY - h - groupH;
    group_->setGeometry(area.left(), groupY, area.width(), groupH);
    bar_->setGeometry(h, 2 * h, barW, barH);

    splitter_->setGeometry(area.left(), y, area.width(), std::max(0, groupY - h - y));
}

}  // namespace quirnel
