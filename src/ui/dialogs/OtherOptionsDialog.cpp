#include "ui/dialogs/OtherOptionsDialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QVBoxLayout>

#include "base/AppSettings.h"
#include "ui/dialogs/DialogButtons.h"
#include "ui/UiText.h"

namespace quirnel {
namespace {

struct Box {
    int32_t AppSettings::*field;
    const char* english;
    const char* korean;
};

const Box kBoxes[] = {
    {&AppSettings::UseThread, "Allow to stop the task in progress", "진행 중인 작업을 멈출 수 있게 함"},
    {&AppSettings::ShowDoneDialog, "Display a popup after applying changes", "변경 사항을 적용한 뒤 알림 창 보이기"},
    {&AppSettings::ClearAfterApply, "Remove items after applying changes successfully",
     "변경 사항을 적용한 항목을 목록에서 제거"},
    {&AppSettings::NameAutoFix, "Remove invalid characters for a file name automatically",
     "파일 이름에 쓸 수 없는 문자를 자동으로 제거"},
    {&AppSettings::IncludeExt, "Include extension when replacing string in names",
     "이름의 문자열을 바꿀 때 확장자도 포함"},
    {&AppSettings::AutoNumber, "Append incremental numbers to the duplicate file names",
     "중복된 파일 이름에 일련번호 붙이기"},
    {&AppSettings::SortLikeWindows, "Sort names like Windows File Explorer", "Windows 탐색기처럼 이름 정렬"},
};

}  // namespace

OtherOptionsDialog::OtherOptionsDialog(const AppSettings& settings, QWidget* parent) : QDialog(parent) {
    setWindowTitle(Tr("Other Options", "기타 옵션"));
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    for (const Box& box : kBoxes) {
        auto* check = new QCheckBox(Tr(box.english, box.korean), this);
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
