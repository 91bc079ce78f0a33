#include "ui/MessageDialog.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

namespace quirnel {

MessageDialog::MessageDialog(const QString& text, const QString& title, QWidget* parent) : QDialog(parent) {
    setWindowTitle(title);
    setSizeGripEnabled(true);
    auto* layout = new QVBoxLayout(this);
    int m = fontMetrics().height();
    layout->setContentsMargins(m, m, m, m);
    layout->setSpacing(m);
    text_ = new QPlainTextEdit(this);
    text_->setReadOnly(true);
    text_->setPlainText(text);
    text_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    layout->addWidget(text_, 1);
    auto* close = new QPushButton(tr("Close"), this);
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    layout->addWidget(close);
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
