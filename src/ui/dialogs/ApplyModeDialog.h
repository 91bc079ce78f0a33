#pragma once
#include <QDialog>
#include <optional>

#include "apply/ApplyType.h"

class QPushButton;

namespace quirnel {

// How an apply run treats the originals: renames or moves them, or makes
// renamed copies. Enter and Shift+Enter choose whatever has the focus.
class ApplyModeDialog : public QDialog {
    Q_OBJECT
public:
    explicit ApplyModeDialog(QWidget* parent = nullptr);

    // Modal: the apply type, or nothing when cancelled.
    static std::optional<ApplyType> choose(QWidget* parent);

    std::optional<ApplyType> choice() const { return choice_; }
    QPushButton* renameButton() const { return rename_; }
    QPushButton* copyButton() const { return copy_; }
    QPushButton* cancelButton() const { return cancel_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool takeKey(const QKeyEvent& event);
    void finish(ApplyType applyType);

    std::optional<ApplyType> choice_;
    QPushButton* rename_ = nullptr;
    QPushButton* copy_ = nullptr;
    QPushButton* cancel_ = nullptr;
};

}  // namespace quirnel
