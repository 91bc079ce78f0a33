#pragma once
#include <QColor>
#include <QPushButton>
#include <cstdint>

namespace quirnel {

// A button that shows a colour and lets the platform's colour picker change it.
class ColorButton : public QPushButton {
    Q_OBJECT
public:
    explicit ColorButton(const QColor& color, QWidget* parent = nullptr);
    QColor color() const { return color_; }
    void setColor(const QColor& color);

private:
    void pick();
    QColor color_;
};

// Settings keep colours as 0x00BBGGRR: red is the lowest byte.
inline QColor ColorFromStored(int32_t c) { return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF); }
inline int32_t StoredFromColor(const QColor& c) { return c.red() | c.green() << 8 | c.blue() << 16; }

}  // namespace quirnel
