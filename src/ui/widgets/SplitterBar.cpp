#include "ui/widgets/SplitterBar.h"

#include <QMouseEvent>

namespace quirnel {

SplitterBar::SplitterBar(QWidget* parent) : QFrame(parent) {
    setFrameStyle(QFrame::Box | QFrame::Sunken);
    setCursor(Qt::SizeVerCursor);
}

void SplitterBar::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) dragging_ = true;
}

void SplitterBar::mouseMoveEvent(QMouseEvent* event) {
    if (dragging_) emit dragged(static_cast<int>(event->position().y()));
}

void SplitterBar::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) dragging_ = false;
}

}  // namespace quirnel
