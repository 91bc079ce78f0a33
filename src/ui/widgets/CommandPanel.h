#pragma once
#include <QWidget>
#include <vector>

class QToolButton;

namespace quirnel {

// One column of ten text buttons that send menu commands. The buttons take no
// keyboard focus: the keys belong to the list and the hotkeys.
class CommandPanel : public QWidget {
    Q_OBJECT
public:
    CommandPanel(const std::vector<int>& commands, QWidget* parent = nullptr);
    void setCaption(int command, const QString& caption, const QString& hotkey);
    void setCommandEnabled(int command, bool enabled);
    bool commandEnabled(int command) const;
    // The width the widest caption needs, and the panel laid out at a width.
    int naturalButtonWidth() const;
    void setButtonWidth(int width);
    int panelHeight() const;
    QToolButton* button(int command) const;
    const std::vector<int>& commands() const { return commands_; }

signals:
    void commandClicked(int command);

private:
    static constexpr int kGap = 2;  // the gap after each button
    std::vector<int> commands_;
    std::vector<QToolButton*> buttons_;
    int buttonWidth_ = 0;
};

}  // namespace quirnel
