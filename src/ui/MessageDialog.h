#pragma once
#include <QDialog>

class QPlainTextEdit;

namespace quirnel {

// A resizable window for long texts (reports, errors), opened at its end.
class MessageDialog : public QDialog {
    Q_OBJECT
public:
    MessageDialog(const QString& text, const QString& title, QWidget* parent = nullptr);
    QPlainTextEdit* textField() const { return text_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void scrollToEnd();
    QPlainTextEdit* text_;
};

}  // namespace quirnel
