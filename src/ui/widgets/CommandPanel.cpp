#include "ui/widgets/CommandPanel.h"

#include <QToolButton>
#include <algorithm>

namespace quirnel {

CommandPanel::CommandPanel(const std::vector<int>& commands, QWidget* parent) : QWidget(parent), commands_(commands) {
    for (int command : commands_) {
        auto* b = new QToolButton(this);
        b->setToolButtonStyle(Qt::ToolButtonTextOnly);
        b->setFocusPolicy(Qt::NoFocus);
        b->setAutoRaise(false);
        connect(b, &QToolButton::clicked, this, [this, command] { emit commandClicked(command); });
        buttons_.push_back(b);
    }
}

QToolButton* CommandPanel::button(int command) const {
    auto it = std::find(commands_.begin(), commands_.end(), command);
    return it == commands_.end() ? nullptr : buttons_[it - commands_.begin()];
}

void CommandPanel::setCaption(int command, const QString& caption, const QString& hotkey) {
    if (QToolButton* b = button(command)) {
        b->setText(caption);
        b->setToolTip(hotkey.isEmpty() ? caption : caption + QStringLiteral(" (") + hotkey + QStringLiteral(")"));
    }
}

void CommandPanel::setCommandEnabled(int command, bool enabled) {
    if (QToolButton* b = button(command)) b->setEnabled(enabled);
}

bool CommandPanel::commandEnabled(int command) const {
    QToolButton* b = button(command);
    return b && b->isEnabled();
}

int CommandPanel::naturalButtonWidth() const {
    int w = 0;
    for (QToolButton* b : buttons_) w = std::max(w, b->sizeHint().width() + 8);
    return w;
}

void CommandPanel::setButtonWidth(int width) {
    buttonWidth_ = width;
    int y = 0;
    for (QToolButton* b : buttons_) {
        int h = b->sizeHint().height();
        b->setGeometry(0, y, width, h);
        y += h + kGap;
    }
}

int CommandPanel::panelHeight() const {
    int h = 0;
    for (QToolButton* b : buttons_) h += b->sizeHint().height() + kGap;
    return h;
}

}  // namespace quirnel
