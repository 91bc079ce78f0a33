#include "ui/widgets/ColorButton.h"

#include <QColorDialog>
#include <QPainter>
#include <QPixmap>

namespace quirnel {

ColorButton::ColorButton(const QColor& color, QWidget* parent) : QPushButton(parent) {
    const int h = fontMetrics().height();
    setIconSize(QSize(3 * h, h));
    setColor(color);
    connect(this, &QPushButton::clicked, this, &ColorButton::pick);
}

void ColorButton::setColor(const QColor& color) {
    color_ = color;
    QPixmap swatch(iconSize());
    swatch.fill(color);
    QPainter(&swatch).drawRect(swatch.rect().adjusted(0, 0, -1, -1));  // a frame shows white on white
    setIcon(QIcon(swatch));
    setToolTip(color.name());
}

void ColorButton::pick() {
    QColorDialog dialog(color_, this);
    if (dialog.exec() == QDialog::Accepted) setColor(dialog.selectedColor());
}

}  // namespace quirnel
