#pragma once
#include <QDialog>
#include <vector>

class QCheckBox;

namespace quirnel {

struct AppSettings;

// The on/off settings of applying, input and sorting: one check box each.
class OtherOptionsDialog : public QDialog {
    Q_OBJECT
public:
    explicit OtherOptionsDialog(const AppSettings& settings, QWidget* parent = nullptr);

    // After OK: every setting takes its box, 1 checked and 0 not.
    void store(AppSettings& settings) const;

    const std::vector<QCheckBox*>& boxes() const { return boxes_; }

private:
    std::vector<QCheckBox*> boxes_;
};

}  // namespace quirnel
