#pragma once
#include <QDialog>
#include <optional>

#include "app/Hotkeys.h"

class QKeyEvent;
class QLabel;
class QPushButton;

namespace quirnel {

// "Edit Hotkey" for the command it names: the next key pressed with Ctrl
// and Shift becomes the hotkey. Keys are taken before the focused control
// sees them, except Tab, Shift+Tab and Space, which move the focus and press
// buttons as in every dialog. Enter saves, Esc cancels; Alt combinations
// pass by and F10 is swallowed.
class HotkeyCaptureDialog : public QDialog {
    Q_OBJECT
public:
    HotkeyCaptureDialog(const HotkeyRecord& record, const QString& command, QWidget* parent = nullptr);

    // Modal: the captured record after "Save", nothing after "Cancel".
    static std::optional<HotkeyRecord> capture(const HotkeyRecord& record, const QString& command, QWidget* parent);

    const HotkeyRecord& record() const { return record_; }
    QLabel* commandLabel() const { return command_; }
    QLabel* field() const { return field_; }
    QPushButton* saveButton() const { return save_; }
    QPushButton* cancelButton() const { return cancel_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool event(QEvent* event) override;

private:
    bool takeKey(QEvent* event);
    void takeCombination(const QKeyEvent& key);

    HotkeyRecord record_;
    QLabel* command_ = nullptr;
    QLabel* field_ = nullptr;
    QPushButton* save_ = nullptr;
    QPushButton* cancel_ = nullptr;
};

}  // namespace quirnel
