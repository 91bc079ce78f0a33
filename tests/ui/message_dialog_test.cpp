#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

#include "base/StringTable.h"
#include "ui/dialogs/MessageDialog.h"

using namespace quirnel;

class MessageDialogTest : public QObject {
    Q_OBJECT
private slots:
    void opensAtItsEndAndResizes();
    void closeEscAndTheCloseBoxEndIt();
    void closeInBothLanguages();
};

void MessageDialogTest::opensAtItsEndAndResizes() {
    QString text;
    for (int i = 0; i < 400; ++i) text += QString("line %1\n").arg(i);
    text += "last line";
    MessageDialog dlg(text, "Result Report");
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    QScrollBar* bar = dlg.textField()->verticalScrollBar();
    QVERIFY(bar->maximum() > 0);
    QCOMPARE(bar->value(), bar->maximum());
    QVERIFY(dlg.textField()->isReadOnly());
    QCOMPARE(dlg.windowTitle(), QString("Result Report"));

    // Any size: the text keeps the margin around it, the button spans its width below.
    dlg.resize(300, 200);
    QCOMPARE(dlg.size(), QSize(300, 200));
    const QRect t = dlg.textField()->geometry(), b = dlg.closeButton()->geometry();
    const int m = t.left();
    QVERIFY(m > 0);
    QCOMPARE(t.top(), m);
    QCOMPARE(dlg.width() - 1 - t.right(), m);
    QCOMPARE(b.left(), t.left());
    QCOMPARE(b.width(), t.width());
    QCOMPARE(b.top() - t.bottom() - 1, m);
    QCOMPARE(dlg.height() - 1 - b.bottom(), m);
}

void MessageDialogTest::closeEscAndTheCloseBoxEndIt() {
    for (int way = 0; way < 3; ++way) {
        MessageDialog dlg("text", "title");
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        if (way == 0) QTest::mouseClick(dlg.closeButton(), Qt::LeftButton);
        if (way == 1) QTest::keyClick(dlg.textField(), Qt::Key_Escape);
        if (way == 2) dlg.close();
        QVERIFY(!dlg.isVisible());
    }
}

void MessageDialogTest::closeInBothLanguages() {
    QCOMPARE(MessageDialog("", "").closeButton()->text(), QString("Close"));
    SetUiLanguage(UiLanguage::Korean);
    MessageDialog korean("", "");
    SetUiLanguage(UiLanguage::English);
    QCOMPARE(korean.closeButton()->text(), QString("닫기"));
}

QTEST_MAIN(MessageDialogTest)
#include "message_dialog_test.moc"
