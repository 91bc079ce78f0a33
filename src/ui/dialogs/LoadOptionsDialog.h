#pragma once
#include <QDialog>

class QCheckBox;
class QRadioButton;

namespace quirnel {

struct AppSettings;

// How added folders are taken, whether the list is sorted after adding, and
// whether this dialog comes up before every add.
class LoadOptionsDialog : public QDialog {
    Q_OBJECT
public:
    explicit LoadOptionsDialog(const AppSettings& settings, QWidget* parent = nullptr);

    // A group with no button checked leaves its setting as it was.
    void store(AppSettings& settings) const;

    QRadioButton* loadTypeButton(int loadType) const { return loadType_[loadType]; }
    QRadioButton* autoSortButton(int autoSort) const { return autoSort_[autoSort]; }
    QCheckBox* showBeforeLoading() const { return showBefore_; }

private:
    QRadioButton* loadType_[3] = {};
    QRadioButton* autoSort_[2] = {};
    QCheckBox* showBefore_ = nullptr;
};

}  // namespace quirnel
