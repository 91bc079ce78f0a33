#include "ui/dialogs/HotkeyCaptureDialog.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/KeyMapping.h"
#include "base/StringTable.h"
#include "ui/QtText.h"

namespace quirnel {
namespace {

// Tab, Shift+Tab and Space walk the dialog; with Ctrl they are hotkeys.
bool MovesFocus(const QKeyEvent& key) {
    if (key.modifiers() & Qt::ControlModifier) return false;
    return key.key() == Qt::Key_Tab || key.key() == Qt::Key_Backtab ||
           (key.key() == Qt::Key_Space && !(key.modifiers() & Qt::ShiftModifier));
}

}  // namespace

HotkeyCaptureDialog::HotkeyCaptureDialog(const HotkeyRecord& record, const QString& command, QWidget* parent)
    : QDialog(parent), record_(record) {
    setWindowTitle(T(text::EditHotkeyTitle));
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    command_ = new QLabel(Q(FormatText(LoadText(text::HotkeyForCommand), {U(command)})), this);
    QFont bold = command_->font();
    bold.setBold(true);
    command_->setFont(bold);
    layout->addWidget(command_);
    layout->addWidget(new QLabel(T(text::PressKeysHint), this));
    // A field that shows the combination but takes no text: keys never type into it.
    field_ = new QLabel(Q(HotkeyText(record_)), this);
    field_->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    field_->setBackgroundRole(QPalette::Base);
    field_->setAutoFillBackground(true);
    field_->setAlignment(Qt::AlignCenter);
    field_->setFocusPolicy(Qt::StrongFocus);
    field_->setMinimumSize(24 * fontMetrics().averageCharWidth(), fontMetrics().height() + 10);
    layout->addWidget(field_);
    auto* buttons = new QHBoxLayout();
    buttons->addStretch(1);
    save_ = new QPushButton(T(text::SaveButton), this);
    save_->setDefault(true);
    cancel_ = new QPushButton(T(text::CancelButton), this);
    buttons->addWidget(save_);
    buttons->addWidget(cancel_);
    layout->addLayout(buttons);
    connect(save_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
    for (QWidget* w : std::initializer_list<QWidget*>{field_, save_, cancel_}) w->installEventFilter(this);
    field_->setFocus();
}

std::optional<HotkeyRecord> HotkeyCaptureDialog::capture(const HotkeyRecord& record, const QString& command,
                                                         QWidget* parent) {
    HotkeyCaptureDialog dialog(record, command, parent);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.record();
}

bool HotkeyCaptureDialog::eventFilter(QObject* watched, QEvent* event) {
    return takeKey(event) || QDialog::eventFilter(watched, event);
}

bool HotkeyCaptureDialog::event(QEvent* event) { return takeKey(event) || QDialog::event(event); }

bool HotkeyCaptureDialog::takeKey(QEvent* event) {
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::ShortcutOverride) return false;
    auto* key = static_cast<QKeyEvent*>(event);
    // Alt belongs to the system: menus and mnemonics keep it.
    if (key->modifiers() & Qt::AltModifier || key->key() == Qt::Key_Alt) return false;
    if (MovesFocus(*key)) return false;
    if (event->type() == QEvent::ShortcutOverride) {
        event->accept();  // no shortcut may take a key this dialog captures
        return true;
    }
    switch (key->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter: accept(); break;
        case Qt::Key_Escape: reject(); break;
        case Qt::Key_F10:
        case Qt::Key_Shift:
        case Qt::Key_Control: break;
        default: takeCombination(*key); break;
    }
    return true;
}

void HotkeyCaptureDialog::takeCombination(const QKeyEvent& key) {
    const int32_t code = VirtualKeyOf(key);
    if (code == 0) return;  // a key without a stored code cannot be a hotkey
    record_.KeyCode = code;
    record_.Ctrl = key.modifiers() & Qt::ControlModifier ? 1 : 0;
    record_.Shift = key.modifiers() & Qt::ShiftModifier ? 1 : 0;
    field_->setText(Q(HotkeyText(record_)));
}

}  // namespace quirnel
