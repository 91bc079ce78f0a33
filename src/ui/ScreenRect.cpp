#include "ui/ScreenRect.h"

#include <QGuiApplication>
#include <QRegion>
#include <QScreen>

#include <algorithm>

namespace quirnel {
namespace {

// Far beyond any desktop, and small enough that no width or height overflows
// whatever a configuration file holds.
int Tame(int32_t v) { return std::clamp<int32_t>(v, -(1 << 24), 1 << 24); }

}  // namespace

QRect ToQRect(const Rect& r) {
    return QRect(QPoint(Tame(r.left), Tame(r.top)), QPoint(Tame(r.right) - 1, Tame(r.bottom) - 1));
}

Rect ToRect(const QRect& r) { return {r.x(), r.y(), r.x() + r.width(), r.y() + r.height()}; }

bool ShowsOnScreens(const Rect& stored, int minWidth, int minHeight) {
    if (stored.right <= stored.left || stored.bottom <= stored.top) return false;
    QRegion screens;
    for (const QScreen* screen : QGuiApplication::screens()) screens += screen->geometry();
    const QRect visible = (screens & ToQRect(stored)).boundingRect();
    return visible.width() > minWidth && visible.height() > minHeight;
}

QRect FirstWindowRect(const QRect& available, QSize wanted, QSize minimum, int frameRoom) {
    const QSize size = wanted.boundedTo(available.size() - QSize(frameRoom / 2, frameRoom)).expandedTo(minimum);
    // The title bar comes on top of the window: the frame is what is centred.
    const int left = available.x() + (available.width() - size.width()) / 2;
    const int top = available.y() + (available.height() - size.height() - frameRoom) / 2 + frameRoom;
    return QRect(QPoint(left, top), size);
}

}  // namespace quirnel
