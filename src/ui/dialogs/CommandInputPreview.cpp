#include "ui/dialogs/CommandInputDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QTableWidget>

#include "base/AppSettings.h"
#include "base/TextIds.h"
#include "platform/PathStyle.h"
#include "run/CommandInputCheck.h"
#include "run/PresetPreview.h"
#include "run/RunCommand.h"
#include "ui/QtText.h"
#include "ui/dialogs/PresetPreviewPane.h"
#include "ui/widgets/ArgumentField.h"
#include "ui/ScreenRect.h"

// The command input dialog's preview pane: what OK would make of the list's
// first rows, recomputed on copies of them as the input changes.

namespace quirnel {
namespace {

// The pane's caption and its note on what was checked.
constexpr int kPreviewCaptionLines = 3;

}  // namespace

void CommandInputDialog::setPreviewList(const NameList& list) {
    // The folder picker starts in the first selected row's folder, else the first row's.
    const int row = list.firstSelected() >= 0 ? list.firstSelected() : 0;
    if (row < list.size()) startFolder_ = Q(list.oldFolder(row));
    if (const InputItem* item = currentItem(); item && HasFolderPicker(item->subCommand)) applyItem(selector_->currentIndex());
    if (!RunsInPreset(command_)) return;  // Edit Name and the preset name change no list rows
    sample_ = std::make_unique<PreviewSample>(list, kPreviewRows);
    previewBox_->show();
    previewBox_->setChecked(IsOn(settings_.InputPreview));
    layoutControls();
}

int CommandInputDialog::previewBlock() const { return pane_->heightFor(kPreviewCaptionLines) + layoutMargin(); }

// The pane grows the dialog downwards and gives the room back when it closes,
// so the closed dialog keeps its size, and the stored rectangle is always the
// closed one.
void CommandInputDialog::setPreviewOpen(bool open) {
    settings_.InputPreview = open ? 1 : 0;
    if (open == previewOpen_) return;
    const int block = previewBlock();
    previewOpen_ = open;
    pane_->setVisible(open);
    const int height = this->height() + (open ? block : -block);  // before the minimum can grow it
    setMinimumSize(firstSize_.width(), firstSize_.height() + (open ? block : 0));
    resize(width(), height);
    layoutControls();
    if (open) updatePreview();
}

QRect CommandInputDialog::closedGeometry() const {
    QRect g = geometry();
    if (previewOpen_) g.setHeight(g.height() - previewBlock());
    return g;
}

// What OK would do, on copies of the shown rows: first the dialog's own
// refusals, then the check its callers make, then the command itself.
void CommandInputDialog::updatePreview() {
    if (!previewOpen_ || !sample_) return;
    ++previewRuns_;
    if (sample_->rows().empty()) return pane_->showMessage(T(text::InputPreviewNoItems), false);
    const InputItem* item = currentItem();
    const int32_t sub = item ? item->subCommand : 0;
    const DialogInput input = CleanDialogInput(command_, sub, shownText(*field1_), shownText(*field2_),
                                               IsOn(settings_.NameAutoFix), PathStyle::forHost());
    if (!input.accepted())
        return pane_->showMessage(Q(input.message.empty() ? LoadText(input.messageId) : input.message), true);
    const InputCheck check = CheckCommandInput(command_, sub, input.arg1, input.arg2);
    if (!check.accepted) {
        const QString message = CheckMessage(check);
        return pane_->showMessage(message.isEmpty() ? T(text::InputPreviewIncomplete) : message, !message.isEmpty());
    }
    const QString caption = T(sample_->selectedOnly() ? text::InputPreviewSelectedItems : text::InputPreviewFirstItems) +
                            QStringLiteral("\n") + T(text::InputPreviewFateNote);
    pane_->showRows(caption, PreviewCommand(*sample_, {command_, sub, input.arg1, input.arg2}, settings_));
}

void CommandInputDialog::layoutPane(const QRect& area) {
    pane_->setGeometry(area);
    // The two names share the width; the folder, shown only where it changes, takes the rest.
    QTableWidget* table = pane_->table();
    const int nameW = area.width() * 7 / 20;  // the viewport has no width yet before the first show
    table->setColumnWidth(0, nameW);
    table->setColumnWidth(1, nameW);
}

}  // namespace quirnel
