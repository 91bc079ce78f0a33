#include "ui/widgets/CommandBar.h"

#include <QPushButton>
#include <algorithm>

namespace quirnel {
namespace {

constexpr int kGap = 2;  // between buttons, as a toolbar packs them

}  // namespace

CommandBar::CommandBar(QWidget* parent) : QWidget(parent) {
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

QPushButton* CommandBar::addButton(const QString& text) {
    auto* button = new QPushButton(text, this);
    button->setAutoDefault(false);
    buttons_.append(button);
    updateGeometry();
    return button;
}

int CommandBar::heightForWidth(int width) const { return arrange(width, false); }

QSize CommandBar::sizeHint() const {
    int width = 0;
    for (const QPushButton* button : buttons_) width += button->sizeHint().width() + kGap;
    return {width, arrange(width, false)};
}

void CommandBar::resizeEvent(QResizeEvent*) { arrange(width(), true); }

int CommandBar::arrange(int width, bool place) const {
    int x = 0, y = 0, rowHeight = 0;
    for (QPushButton* button : buttons_) {
        const QSize size = button->sizeHint();
        if (x > 0 && x + size.width() > width) {  // a row always takes its first button
            x = 0;
            y += rowHeight + kGap;
            rowHeight = 0;
        }
        if (place) button->setGeometry(x, y, std::min(size.width(), width), size.height());
        x += size.width() + kGap;
        rowHeight = std::max(rowHeight, size.height());
    }
    return y + rowHeight;
}

}  // namespace quirnel
