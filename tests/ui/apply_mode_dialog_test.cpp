#include <QPushButton>
#include <QTest>
#include <optional>

#include "ModalHelpers.h"
#include "base/StringTable.h"
#include "ui/dialogs/ApplyModeDialog.h"

using namespace quirnel;
using quirnel::test::WhenModalOpens;

class ApplyModeDialogTest : public QObject {
    Q_OBJECT
private slots:
    void keysChooseWhateverHasTheFocus_data();
    void keysChooseWhateverHasTheFocus();
    void buttonsDoWhatTheySay();
    void textsInBothLanguages();
};

namespace {

enum Focus { OnRename, OnCopy, OnCancel };

// The choice as the number the table gives: 0 originals, 1 copies.
std::optional<int> AsNumber(std::optional<ApplyType> choice) {
    if (!choice) return std::nullopt;
    return static_cast<int>(*choice);
}

QPushButton* ButtonOf(ApplyModeDialog* d, int focus) {
    return focus == OnRename ? d->renameButton() : focus == OnCopy ? d->copyButton() : d->cancelButton();
}

}  // namespace

void ApplyModeDialogTest::keysChooseWhateverHasTheFocus_data() {
    QTest::addColumn<int>("focus");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<int>("expected");  // -1: cancelled

    QTest::newRow("Enter on the default") << int(OnRename) << int(Qt::Key_Return) << 0 << 0;
    QTest::newRow("Enter on Cancel") << int(OnCancel) << int(Qt::Key_Return) << 0 << 0;
    QTest::newRow("keypad Enter on Copy") << int(OnCopy) << int(Qt::Key_Enter) << int(Qt::KeypadModifier) << 0;
    QTest::newRow("Shift+Enter on Cancel") << int(OnCancel) << int(Qt::Key_Return) << int(Qt::ShiftModifier) << 1;
    QTest::newRow("Shift+Enter on the default") << int(OnRename) << int(Qt::Key_Return) << int(Qt::ShiftModifier)
                                                << 1;
    QTest::newRow("Esc on Copy") << int(OnCopy) << int(Qt::Key_Escape) << 0 << -1;
    QTest::newRow("Esc on the default") << int(OnRename) << int(Qt::Key_Escape) << 0 << -1;
}

void ApplyModeDialogTest::keysChooseWhateverHasTheFocus() {
    QFETCH(int, focus);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(int, expected);
    WhenModalOpens<ApplyModeDialog>([=](ApplyModeDialog* d) {
        ButtonOf(d, focus)->setFocus();
        QTest::keyClick(ButtonOf(d, focus), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    });
    const std::optional<int> choice = AsNumber(ApplyModeDialog::choose(nullptr));
    QCOMPARE(choice.value_or(-1), expected);
}

void ApplyModeDialogTest::buttonsDoWhatTheySay() {
    for (int focus : {OnRename, OnCopy, OnCancel}) {
        WhenModalOpens<ApplyModeDialog>([=](ApplyModeDialog* d) { QTest::mouseClick(ButtonOf(d, focus), Qt::LeftButton); });
        const std::optional<int> choice = AsNumber(ApplyModeDialog::choose(nullptr));
        QCOMPARE(choice.value_or(-1), focus == OnCancel ? -1 : focus);
    }
    // The close box cancels.
    WhenModalOpens<ApplyModeDialog>([](ApplyModeDialog* d) { d->close(); });
    QVERIFY(!ApplyModeDialog::choose(nullptr).has_value());
}

void ApplyModeDialogTest::textsInBothLanguages() {
    ApplyModeDialog english;
    QCOMPARE(english.windowTitle(), QString("Apply Changes"));
    QCOMPARE(english.renameButton()->text(), QString("Rename or Move - Change original files : Enter"));
    QCOMPARE(english.copyButton()->text(), QString("Copy - Keep original files : Shift + Enter"));
    QCOMPARE(english.cancelButton()->text(), QString("Cancel : Esc"));
    QVERIFY(english.renameButton()->isDefault());
    SetUiLanguage(UiLanguage::Korean);
    ApplyModeDialog korean;
    SetUiLanguage(UiLanguage::English);
    QCOMPARE(korean.windowTitle(), QString("변경 사항 적용"));
    QVERIFY(korean.copyButton()->text().endsWith(" : Shift + Enter"));
}

QTEST_MAIN(ApplyModeDialogTest)
#include "apply_mode_dialog_test.moc"
