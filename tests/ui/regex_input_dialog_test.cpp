#include <QComboBox>
#include <QTest>

#include "../core/TestSupport.h"
#include "ModalHelpers.h"
#include "base/AppSettings.h"
#include "base/CommandIds.h"
#include "base/StringTable.h"
#include "ui/dialogs/CommandInputDialog.h"
#include "ui/widgets/ArgumentField.h"

using namespace quirnel;
using quirnel::test::MessageBoxCatcher;
using quirnel::test::RecordingHost;

// A regular expression typed into the input dialog: an invalid one keeps the
// dialog open with the character PCRE2 names, in the window's language.
class RegexInputDialogTest : public QObject {
    Q_OBJECT
private slots:
    void anInvalidPatternKeepsTheDialogOpenWithItsPosition_data();
    void anInvalidPatternKeepsTheDialogOpenWithItsPosition();
    void aValidPatternClosesWithEveryCharacterKept();
};

namespace {

void Type(CommandInputDialog& dlg, const QString& pattern, const QString& replacement) {
    dlg.field1()->setFocus();
    QTest::keyClicks(dlg.field1(), pattern);
    if (!replacement.isEmpty()) QTest::keyClicks(dlg.field2(), replacement);
}

}  // namespace

void RegexInputDialogTest::anInvalidPatternKeepsTheDialogOpenWithItsPosition_data() {
    QTest::addColumn<int>("command");
    QTest::addColumn<int>("sub");
    QTest::addColumn<bool>("korean");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("replacement");
    QTest::addColumn<QString>("message");
    QTest::newRow("Replace") << 2 << int(sub::RegexReplace) << false << "IMG_(\\d+" << "[$1]"
                             << "The regular expression is invalid at character 9:\nmissing closing parenthesis";
    QTest::newRow("Replace, in Korean") << 2 << int(sub::RegexReplace) << true << "IMG_(\\d+" << "[$1]"
                                        << QString::fromUtf8("정규 표현식의 9번째 글자에 오류가 있습니다:\n"
                                                             "missing closing parenthesis");
    QTest::newRow("a group the pattern lacks") << 20 << int(sub::RegexReplace) << false << "(jpe?g)" << "$2"
                                               << "The replacement is invalid at character 3:\nunknown substring";
    QTest::newRow("Clear List") << 12 << int(sub::ClearNameMatches) << false << "[0-9" << ""
                                << "The regular expression is invalid at character 5:\n"
                                   "missing terminating ] for character class";
}

void RegexInputDialogTest::anInvalidPatternKeepsTheDialogOpenWithItsPosition() {
    QFETCH(int, command);
    QFETCH(int, sub);
    QFETCH(bool, korean);
    QFETCH(QString, pattern);
    QFETCH(QString, replacement);
    QFETCH(QString, message);
    SetUiLanguage(korean ? UiLanguage::Korean : UiLanguage::English);
    AppSettings settings;
    RecordingHost host;
    MessageBoxCatcher boxes;
    CommandInputDialog dlg(command, settings, host);
    dlg.setInitialInput(sub, {}, {});
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    Type(dlg, pattern, replacement);
    QTest::keyClick(dlg.field1(), Qt::Key_Return);
    SetUiLanguage(UiLanguage::English);

    QVERIFY(dlg.isVisible());
    QCOMPARE(dlg.result(), 0);
    QCOMPARE(boxes.texts, QStringList{message});
    QCOMPARE(dlg.field1()->toPlainText(), pattern);  // kept as typed, to be mended
    QVERIFY(host.dialogs.empty());
}

void RegexInputDialogTest::aValidPatternClosesWithEveryCharacterKept() {
    AppSettings settings;
    settings.NameAutoFix = 1;  // would strip | ? * < > from any other field
    RecordingHost host;
    MessageBoxCatcher boxes;
    CommandInputDialog dlg(CmdReplace, settings, host);
    dlg.setInitialInput(sub::RegexReplace, {}, {});
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    Type(dlg, "(?<n>\\d+)|x*?", "\\U${n}");
    QTest::keyClick(dlg.field1(), Qt::Key_Return);
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    QVERIFY(boxes.texts.isEmpty());
    QCOMPARE(QString::fromStdU16String(dlg.arg1()), QString("(?<n>\\d+)|x*?"));
    QCOMPARE(QString::fromStdU16String(dlg.arg2()), QString("\\U${n}"));
}

QTEST_MAIN(RegexInputDialogTest)
#include "regex_input_dialog_test.moc"
