#include "ui/dialogs/SortDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>

#include "base/StringTable.h"
#include "namelist/NameList.h"
#include "ui/dialogs/DialogButtons.h"
#include "ui/QtText.h"

namespace quirnel {

SortDialog::SortDialog(int column, bool ascending, QWidget* parent) : QDialog(parent) {
    setWindowTitle(T(text::SortTitle));
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    auto* orderBy = new QGroupBox(T(text::OrderByGroup), this);
    columns_ = new QComboBox(orderBy);
    for (int c = 0; c < ViewColumnCount; ++c) columns_->addItem(Q(LoadText(ColumnCaptionId(c))));
    columns_->setMinimumContentsLength(20);  // wide enough for the title above it
    columns_->setCurrentIndex(column >= 0 && column < ViewColumnCount ? column : -1);
    (new QVBoxLayout(orderBy))->addWidget(columns_);
    layout->addWidget(orderBy);

    auto* direction = new QGroupBox(T(text::SortDirectionGroup), this);
    auto* directionLayout = new QVBoxLayout(direction);
    ascending_ = new QRadioButton(T(text::AscendingOrder), direction);
    descending_ = new QRadioButton(T(text::DescendingOrder), direction);
    directionLayout->addWidget(ascending_);
    directionLayout->addWidget(descending_);
    (ascending ? ascending_ : descending_)->setChecked(true);
    layout->addWidget(direction);

    layout->addWidget(OkCancelButtons(this));
}

int SortDialog::column() const { return columns_->currentIndex(); }

bool SortDialog::ascending() const { return ascending_->isChecked(); }

}  // namespace quirnel
