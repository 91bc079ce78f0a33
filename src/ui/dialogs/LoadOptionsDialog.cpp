#include "ui/dialogs/LoadOptionsDialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>

#include "base/AppSettings.h"
#include "ui/dialogs/DialogButtons.h"
#include "ui/QtText.h"

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
    setWindowTitle(T(text::LoadOptionsTitle));
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    const QString loadTexts[] = {T(text::LoadFolderItself), T(text::LoadFilesInFolder), T(text::LoadAskEachTime)};
    layout->addWidget(
        RadioGroup(T(text::LoadFolderGroup), loadTexts, loadType_, settings.LoadType, this));
    const QString sortTexts[] = {T(text::NoAutoSort), T(text::SortWhileLoading)};
    layout->addWidget(
        RadioGroup(T(text::AutoSortGroup), sortTexts, autoSort_, settings.AutoSort, this));
    showBefore_ = new QCheckBox(T(text::ShowLoadOptionsBox), this);
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
