#pragma once
#include <QObject>
#include <functional>

class QKeyEvent;
class QWidget;

namespace quirnel {

// The one place where key presses of the main window meet the hotkeys. It
// sees every key press of the application first and hands those aimed at a
// widget of the main window to it, but never while a popup or a modal dialog
// is open: the dialog's keys stay the dialog's, and a menu bar walked with
// the keyboard keeps its own.
class KeyFilter : public QObject {
    Q_OBJECT
public:
    // handle gets the widget the key is aimed at and returns true when the
    // key was consumed.
    using Handle = std::function<bool(QWidget* target, QKeyEvent*)>;
    KeyFilter(QWidget* window, Handle handle);
    ~KeyFilter() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* window_;
    Handle handle_;
};

}  // namespace quirnel
