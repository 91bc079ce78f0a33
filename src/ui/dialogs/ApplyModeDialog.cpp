#include "ui/dialogs/ApplyModeDialog.h"

#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/QtText.h"

namespace quirnel {

ApplyModeDialog::ApplyModeDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(T(text::ApplyModeTitle));
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(new QLabel(T(text::ApplyModePrompt), this));
    rename_ = new QPushButton(T(text::ApplyRenameButton), this);
    copy_ = new QPushButton(T(text::ApplyCopyButton), this);
    cancel_ = new QPushButton(T(text::ApplyCancelButton), this);
    rename_->setDefault(true);
    auto* line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    layout->addWidget(rename_);
    layout->addWidget(copy_);
    layout->addWidget(line);
    layout->addWidget(cancel_);
    // Big targets with room around their texts: this choice decides what happens on disk.
    const QFontMetrics fm = fontMetrics();
    const int width = rename_->sizeHint().expandedTo(copy_->sizeHint()).width() + 4 * fm.averageCharWidth();
    for (QPushButton* button : {rename_, copy_, cancel_}) button->setMinimumSize(width, 2 * fm.height());
    connect(rename_, &QPushButton::clicked, this, [this] { finish(ApplyType::Originals); });
    connect(copy_, &QPushButton::clicked, this, [this] { finish(ApplyType::Copies); });
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
    // The keys choose whatever has the focus, the Cancel button included.
    for (QPushButton* button : {rename_, copy_, cancel_}) button->installEventFilter(this);
}

std::optional<ApplyType> ApplyModeDialog::choose(QWidget* parent) {
    ApplyModeDialog dialog(parent);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.choice();
}

void ApplyModeDialog::finish(ApplyType applyType) {
    choice_ = applyType;
    accept();
}

bool ApplyModeDialog::takeKey(const QKeyEvent& event) {
    if (event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter) {
        finish(event.modifiers() & Qt::ShiftModifier ? ApplyType::Copies : ApplyType::Originals);
        return true;
    }
    if (event.key() == Qt::Key_Escape) {
        reject();
        return true;
    }
    return false;
}

bool ApplyModeDialog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && takeKey(static_cast<const QKeyEvent&>(*event))) return true;
    return QDialog::eventFilter(watched, event);
}

void ApplyModeDialog::keyPressEvent(QKeyEvent* event) {
    if (!takeKey(*event)) QDialog::keyPressEvent(event);
}

}  // namespace quirnel
