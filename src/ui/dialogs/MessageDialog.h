#pragma once
#include <QDialog>

class QPlainTextEdit;
class QPushButton;

namespace quirnel {

// A resizable window for long texts (reports, errors), opened at its end.
class MessageDialog : public QDialog {
    Q_OBJECT
public:
    MessageDialog(const QString& text, const QString& title, QWidget* parent = nullptr);
    QPlainTextEdit* textField() const { return text_; }
    QPushButton* closeButton() const { return close_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void scrollToEnd();
    QPlainTextEdit* text_;
    QPushButton* close_;
};

}  // namespace quirnel
