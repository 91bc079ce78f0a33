#pragma once
#include <QList>
#include <QWidget>

class QPushButton;

namespace quirnel {

// A bar of text buttons that wraps: each row takes as many buttons, at their
// own widths, as fit in the bar's width (at least one), and the bar is as tall
// as its rows.
class CommandBar : public QWidget {
    Q_OBJECT
public:
    explicit CommandBar(QWidget* parent = nullptr);
    QPushButton* addButton(const QString& text);
    const QList<QPushButton*>& buttons() const { return buttons_; }

    // The height the rows need at a given width.
    int heightForWidth(int width) const override;
    bool hasHeightForWidth() const override { return true; }
    QSize sizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    // Places the buttons for `width` (when `place`); returns the height used.
    int arrange(int width, bool place) const;
    QList<QPushButton*> buttons_;
};

}  // namespace quirnel
