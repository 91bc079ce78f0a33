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
#include "ui/UiText.h"

namespace quirnel {

SortDialog::SortDialog(int column, bool ascending, QWidget* parent) : QDialog(parent) {
    setWindowTitle(Tr("Sort by a Column", "열 기준 정렬"));
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    auto* orderBy = new QGroupBox(Tr("Order By", "정렬 기준"), this);
    columns_ = new QComboBox(orderBy);
    for (int c = 0; c < ColumnCount; ++c) columns_->addItem(Q(LoadText(ColumnCaptionId(c))));
    columns_->setMinimumContentsLength(20);  // wide enough for the title above it
    columns_->setCurrentIndex(column >= 0 && column < ColumnCount ? column : -1);
    (new QVBoxLayout(orderBy))->addWidget(columns_);
    layout->addWidget(orderBy);

    auto* direction = new QGroupBox(Tr("Sorting in", "정렬 방향"), this);
    auto* directionLayout = new QVBoxLayout(direction);
    ascending_ = new QRadioButton(Tr("Ascending Order", "오름차순"), direction);
    descending_ = new QRadioButton(Tr("Descending Order", "내림차순"), direction);
    directionLayout->addWidget(ascending_);
    directionLayout->addWidget(descending_);
    (ascending ? ascending_ : descending_)->setChecked(true);
    layout->addWidget(direction);

    layout->addWidget(OkCancelButtons(this));
}

int SortDialog::column() const { return columns_->currentIndex(); }

bool SortDialog::ascending() const { return ascending_->isChecked(); }

}  // namespace quirnel
