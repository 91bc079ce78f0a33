#pragma once
#include <QColor>
#include <cstdint>

namespace quirnel {

// Settings keep colours as 0x00BBGGRR: red is the lowest byte.
inline QColor ColorFromStored(int32_t c) { return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF); }
inline int32_t StoredFromColor(const QColor& c) { return c.red() | c.green() << 8 | c.blue() << 16; }

}  // namespace quirnel
