#include <QComboBox>
#include <QRadioButton>
#include <QTest>

#include "base/StringTable.h"
#include "ui/dialogs/SortDialog.h"

using namespace quirnel;

class SortDialogTest : public QObject {
    Q_OBJECT
private slots:
    void opensOnTheGivenColumnAndDirection();
    void noColumnGivesMinusOne();
    void captionsInBothLanguages();
};

void SortDialogTest::opensOnTheGivenColumnAndDirection() {
    SortDialog dlg(3, false);
    QStringList captions;
    for (int i = 0; i < dlg.columnBox()->count(); ++i) captions << dlg.columnBox()->itemText(i);
    QCOMPARE(captions, QStringList({"Old Name", "New Name", "Old Folder", "New Folder", "Size", "Modified", "Created",
                                    "Full Path", "Date Taken"}));
    QCOMPARE(dlg.column(), 3);
    QVERIFY(!dlg.ascending());
    QVERIFY(dlg.descendingButton()->isChecked());

    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    dlg.columnBox()->setCurrentIndex(7);
    QTest::mouseClick(dlg.ascendingButton(), Qt::LeftButton);
    QTest::keyClick(dlg.columnBox(), Qt::Key_Return);  // OK is the default button
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    QCOMPARE(dlg.column(), 7);
    QVERIFY(dlg.ascending());
    QVERIFY(!dlg.descendingButton()->isChecked());
}

void SortDialogTest::noColumnGivesMinusOne() {
    for (int column : {-1, 9}) {
        SortDialog dlg(column, true);
        QCOMPARE(dlg.column(), -1);
        QCOMPARE(dlg.columnBox()->currentText(), QString());
        QVERIFY(dlg.ascending());
    }
}

void SortDialogTest::captionsInBothLanguages() {
    SetUiLanguage(UiLanguage::Korean);
    SortDialog korean(0, true);
    SetUiLanguage(UiLanguage::English);
    QCOMPARE(korean.columnBox()->itemText(0), QString::fromStdU16String(LoadText(25, UiLanguage::Korean)));
    QCOMPARE(korean.ascendingButton()->text(), QString("오름차순"));
    QCOMPARE(SortDialog(0, true).windowTitle(), QString("Sort by a Column"));
}

QTEST_MAIN(SortDialogTest)
#include "sort_dialog_test.moc"
