#pragma once
#include <QFrame>

namespace quirnel {

// The bar between the list and the log pane. Dragging reports how far the
// cursor is from the bar, in the bar's own coordinates (negative above it);
// the window decides what the move does and lays itself out again.
class SplitterBar : public QFrame {
    Q_OBJECT
public:
    explicit SplitterBar(QWidget* parent = nullptr);

signals:
    void dragged(int d);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool dragging_ = false;
};

}  // namespace quirnel
