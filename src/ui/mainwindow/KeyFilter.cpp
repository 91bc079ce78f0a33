#include "ui/mainwindow/KeyFilter.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMenuBar>
#include <QWidget>

namespace quirnel {

KeyFilter::KeyFilter(QWidget* window, Handle handle)
    : QObject(window), window_(window), handle_(std::move(handle)) {
    qApp->installEventFilter(this);
}

KeyFilter::~KeyFilter() { qApp->removeEventFilter(this); }

bool KeyFilter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType()) return false;
    auto* widget = static_cast<QWidget*>(watched);
    if (widget->window() != window_ || QApplication::activePopupWidget() || QApplication::activeModalWidget())
        return false;
    // A menu bar walked with the keyboard (after Alt) keeps its keys: Esc leaves it.
    if (qobject_cast<QMenuBar*>(widget)) return false;
    return handle_(widget, static_cast<QKeyEvent*>(event));
}

}  // namespace quirnel

