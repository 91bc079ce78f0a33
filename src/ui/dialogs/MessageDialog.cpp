#include "ui/dialogs/MessageDialog.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

#include "ui/QtText.h"

namespace quirnel {

MessageDialog::MessageDialog(const QString& text, const QString& title, QWidget* parent) : QDialog(parent) {
    setWindowTitle(title);
    setSizeGripEnabled(true);
    auto* layout = new QVBoxLayout(this);
    // The margin is the font's height, around the text and between it and the button.
    const int m = QFontInfo(font()).pixelSize();
    layout->setContentsMargins(m, m, m, m);
    layout->setSpacing(m);
    text_ = new QPlainTextEdit(this);
    text_->setReadOnly(true);
    text_->setPlainText(text);
    text_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    layout->addWidget(text_, 1);
    close_ = new QPushButton(T(text::CloseButton), this);
    close_->setDefault(true);
    close_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    connect(close_, &QPushButton::clicked, this, &QDialog::accept);
    layout->addWidget(close_);
    resize(560, 360);
}

void MessageDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    scrollToEnd();
}

void MessageDialog::scrollToEnd() {
    text_->moveCursor(QTextCursor::End);
    text_->verticalScrollBar()->setValue(text_->verticalScrollBar()->maximum());
}

}  // namespace quirnel
