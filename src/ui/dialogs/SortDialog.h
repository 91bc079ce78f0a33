#pragma once
#include <QDialog>

class QComboBox;
class QRadioButton;

namespace quirnel {

// "Sort by a Column": a column of the list (every column, hidden ones too)
// and a direction. What is done with them is the caller's business.
class SortDialog : public QDialog {
    Q_OBJECT
public:
    SortDialog(int column, bool ascending, QWidget* parent = nullptr);

    // The chosen column, -1 when none is chosen.
    int column() const;
    bool ascending() const;

    QComboBox* columnBox() const { return columns_; }
    QRadioButton* ascendingButton() const { return ascending_; }
    QRadioButton* descendingButton() const { return descending_; }

private:
    QComboBox* columns_ = nullptr;
    QRadioButton* ascending_ = nullptr;
    QRadioButton* descending_ = nullptr;
};

}  // namespace quirnel
