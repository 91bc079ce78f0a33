#include "ui/dialogs/OtherOptionsDialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QVBoxLayout>

#include "base/AppSettings.h"
#include "ui/dialogs/DialogButtons.h"
#include "ui/QtText.h"

namespace quirnel {
namespace {

struct Box {
    int32_t AppSettings::*field;
    int textId;
};

const Box kBoxes[] = {
    {&AppSettings::UseThread, text::UseThreadBox},
    {&AppSettings::ShowDoneDialog, text::ShowDoneDialogBox},
    {&AppSettings::ClearAfterApply, text::ClearAfterApplyBox},
    {&AppSettings::NameAutoFix, text::NameAutoFixBox},
    {&AppSettings::IncludeExt, text::IncludeExtBox},
    {&AppSettings::AutoNumber, text::AutoNumberBox},
    {&AppSettings::SortLikeWindows, text::SortLikeWindowsBox},
    {&AppSettings::TakenFallback, text::TakenFallbackBox},
};

}  // namespace

OtherOptionsDialog::OtherOptionsDialog(const AppSettings& settings, QWidget* parent) : QDialog(parent) {
    setWindowTitle(T(text::OtherOptionsTitle));
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    for (const Box& box : kBoxes) {
        auto* check = new QCheckBox(T(box.textId), this);
        check->setChecked(settings.*box.field != 0);
        layout->addWidget(check);
        boxes_.push_back(check);
    }
    layout->addSpacing(fontMetrics().height() / 2);
    layout->addWidget(OkCancelButtons(this));
}

void OtherOptionsDialog::store(AppSettings& settings) const {
    for (size_t i = 0; i < boxes_.size(); ++i) settings.*kBoxes[i].field = boxes_[i]->isChecked() ? 1 : 0;
}

}  // namespace quirnel
