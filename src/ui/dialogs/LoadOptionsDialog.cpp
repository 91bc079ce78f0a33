#include "ui/dialogs/LoadOptionsDialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>

#include "base/AppSettings.h"
#include "ui/dialogs/DialogButtons.h"
#include "ui/UiText.h"

namespace quirnel {
namespace {

// Radio buttons in a group, checked where the setting has their value.
template <size_t N>
QGroupBox* RadioGroup(const QString& title, const QString (&texts)[N], QRadioButton* (&buttons)[N], int value,
                      QWidget* parent) {
    auto* group = new QGroupBox(title, parent);
    auto* layout = new QVBoxLayout(group);
    for (size_t i = 0; i < N; ++i) {
        buttons[i] = new QRadioButton(texts[i], group);
        buttons[i]->setChecked(value == static_cast<int>(i));
        layout->addWidget(buttons[i]);
    }
    return group;
}

template <size_t N>
void StoreChecked(QRadioButton* const (&buttons)[N], int32_t& setting) {
    for (size_t i = 0; i < N; ++i)
        if (buttons[i]->isChecked()) setting = static_cast<int32_t>(i);
}

}  // namespace

LoadOptionsDialog::LoadOptionsDialog(const AppSettings& settings, QWidget* parent) : QDialog(parent) {
    setWindowTitle(Tr("Path Loading Option", "경로 불러오기 옵션"));
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    const QString loadTexts[] = {Tr("Add the folder itself", "폴더 자체를 추가"),
                                 Tr("Add files in the folder", "폴더 안의 파일을 추가"),
                                 Tr("Ask when loading a folder", "폴더를 불러올 때 묻기")};
    layout->addWidget(
        RadioGroup(Tr("When add a folder", "폴더를 추가할 때"), loadTexts, loadType_, settings.LoadType, this));
    const QString sortTexts[] = {Tr("Do not sort items automatically", "항목을 자동으로 정렬하지 않음"),
                                 Tr("Sort items while loading", "불러오면서 항목 정렬")};
    layout->addWidget(
        RadioGroup(Tr("Auto sort option", "자동 정렬 옵션"), sortTexts, autoSort_, settings.AutoSort, this));
    showBefore_ = new QCheckBox(Tr("Show this dialog before loading", "불러오기 전에 이 창 보이기"), this);
    showBefore_->setChecked(IsOn(settings.ShowCFGLoad));
    layout->addWidget(showBefore_);
    layout->addWidget(OkCancelButtons(this));
}

void LoadOptionsDialog::store(AppSettings& settings) const {
    StoreChecked(loadType_, settings.LoadType);
    StoreChecked(autoSort_, settings.AutoSort);
    settings.ShowCFGLoad = showBefore_->isChecked() ? 1 : 0;
}

}  // namespace quirnel
