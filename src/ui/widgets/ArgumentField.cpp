#include "ui/widgets/ArgumentField.h"

#include <QKeyEvent>
#include <QMimeData>

namespace quirnel {
namespace {

QString DigitsOf(const QString& text) {
    QString digits;
    for (QChar c : text)
        if (c >= u'0' && c <= u'9') digits += c;
    return digits;
}

bool IsEnter(const QKeyEvent& event) { return event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter; }

}  // namespace

ArgumentField::ArgumentField(QWidget* parent) : QPlainTextEdit(parent) {
    setTabChangesFocus(true);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
}

void ArgumentField::keyPressEvent(QKeyEvent* event) {
    // Left to the dialog, whose default button is OK.
    if (IsEnter(*event) && !(event->modifiers() & Qt::ControlModifier)) {
        event->ignore();
        return;
    }
    // Ctrl+digit chooses an item or nothing; it never types (the keypad's
    // digits would, since the toolkit lets them through with Ctrl held).
    if ((event->modifiers() & Qt::ControlModifier) && event->key() >= Qt::Key_0 && event->key() <= Qt::Key_9) {
        event->ignore();
        return;
    }
    const QString text = event->text();
    const bool typesText = !text.isEmpty() && text.at(0).isPrint() &&
                           !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
    if (digitsOnly_ && typesText && DigitsOf(text) != text) {
        event->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void ArgumentField::insertFromMimeData(const QMimeData* source) {
    if (!digitsOnly_ || !source->hasText()) {
        QPlainTextEdit::insertFromMimeData(source);
        return;
    }
    insertPlainText(DigitsOf(source->text()));
}

}  // namespace quirnel
