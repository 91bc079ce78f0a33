#pragma once
#include <QPlainTextEdit>

namespace quirnel {

// An argument field of the command input dialog: several lines of room, but
// Enter belongs to the dialog (it presses OK) and Tab moves on. Line breaks
// and tabs that are pasted in stay until OK removes them.
class ArgumentField : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit ArgumentField(QWidget* parent = nullptr);
    // Digits only: other typed characters are dropped, pasted text is filtered.
    void setDigitsOnly(bool on) { digitsOnly_ = on; }
    bool digitsOnly() const { return digitsOnly_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;

private:
    bool digitsOnly_ = false;
};

}  // namespace quirnel
