#pragma once
#include <QRect>

#include "base/AppSettings.h"

namespace quirnel {

// Stored window rectangles are left, top, right, bottom in screen pixels,
// right and bottom exclusive.
QRect ToQRect(const Rect& r);
Rect ToRect(const QRect& r);

// A stored rectangle worth restoring: not empty, and the part of it that lies
// on the screens (all of them together) more than minWidth wide and more than
// minHeight high, so a window is never put where it cannot be reached.
bool ShowsOnScreens(const Rect& stored, int minWidth = 200, int minHeight = 100);

// Where a window opens with nothing stored: `wanted` where the screen's
// available area has room, else what it has, centred with its frame (a
// title bar and borders of up to frameRoom pixels) on the screen; never
// smaller than minimum.
QRect FirstWindowRect(const QRect& available, QSize wanted, QSize minimum, int frameRoom = 40);

}  // namespace quirnel
