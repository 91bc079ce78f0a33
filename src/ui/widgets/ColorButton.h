#pragma once
#include <QColor>
#include <QPushButton>

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

}  // namespace quirnel
