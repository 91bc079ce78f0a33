#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QShortcut>
#include <QTest>

#include "../core/TestSupport.h"
#include "ModalHelpers.h"
#include "base/AppSettings.h"
#include "base/StringTable.h"
#include "base/TextIds.h"
#include "ui/widgets/ArgumentField.h"
#include "ui/dialogs/CommandInputDialog.h"
#include "ui/ScreenRect.h"

using namespace quirnel;
using quirnel::test::MessageBoxCatcher;
using quirnel::test::RecordingHost;

class CommandInputDialogTest : public QObject {
    Q_OBJECT
private slots:
    void enterClosesWithCleanArgumentsOrStaysWithMessage_data();
    void enterClosesWithCleanArgumentsOrStaysWithMessage();
    void ctrlNumberChoosesAnItemAndIsConsumed();
    void ctrlNumberPastTheListDoesNothing();
    void changingTheItemResetsTheFields();
    void theDateHintShowsWholeInEitherLanguage();
    void rewrittenLabelsKeepAFreeAccessLetter();
    void digitFieldsTakeDigitsOnly();
    void fieldsShareTheHeightAndTheSizeNeverShrinksBelowTheFirst();
    void rectInputRestoredOnlyWhenOnScreen();
    void rectInputStoredOnCancelAndOnPassingOk();
};

namespace {

// What appears after Enter: nothing (the dialog closed), the message dialog
// (forbidden characters) or a plain message box (wildcards).
enum class Shown { Nothing, MessageDialog, MessageBox };

// A dialog opened as the window opens it, with settings and a host of its own.
struct Opened {
    explicit Opened(int command) : dlg(command, settings, host) { dlg.show(); }
    bool exposed() { return QTest::qWaitForWindowExposed(&dlg); }
    AppSettings settings;
    RecordingHost host;
    CommandInputDialog dlg;
};

// A control's text as it reads, without its access letter's mark.
QString Words(const QString& text) {
    static const QRegularExpression mark(QStringLiteral("\\(&(.)\\)|&(.)"));
    QString out = text;
    return out.replace(mark, QStringLiteral("\\2"));
}
QString Words(const QLabel* label) { return Words(label->text()); }

// The access letter of a text: the character after a lone '&'.
QChar Letter(const QString& text) {
    const qsizetype at = text.indexOf(u'&');
    return at >= 0 && at + 1 < text.size() ? text[at + 1].toUpper() : QChar();
}

}  // namespace
Q_DECLARE_METATYPE(Shown)

void CommandInputDialogTest::enterClosesWithCleanArgumentsOrStaysWithMessage_data() {
    QTest::addColumn<int>("command");
    QTest::addColumn<int>("sub");
    QTest::addColumn<QString>("arg1");
    QTest::addColumn<QString>("arg2");
    QTest::addColumn<bool>("autoFix");
    QTest::addColumn<Shown>("shown");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("out1");
    QTest::addColumn<QString>("out2");

    const QString forbidden = "A file name cannot include \\ / | < > : \" ? *";
    QTest::newRow("unpaired wildcards") << 2 << 61 << "*.txt" << "*_*.txt" << false << Shown::MessageBox
                                        << "Wildcards are not propely paired." << "" << "";
    QTest::newRow("paired wildcards") << 2 << 61 << "*.txt" << "*.bak" << false << Shown::Nothing << ""
                                      << "*.txt" << "*.bak";
    QTest::newRow("a lone star") << 2 << 61 << "*" << "" << false << Shown::MessageBox
                                 << "Invalid usage of wildcards" << "" << "";
    // The window runs with the host's path style: on POSIX only / is refused.
    QTest::newRow("/ outside Change Folder") << 3 << 21 << "a/b" << "" << false << Shown::MessageDialog
                                             << forbidden << "" << "";
    QTest::newRow("/ removed by NameAutoFix") << 3 << 21 << "a/b" << "" << true << Shown::Nothing << "" << "ab"
                                              << "";
    QTest::newRow("what POSIX names can hold") << 3 << 21 << "Q&A: notes?*" << "" << false << Shown::Nothing << ""
                                               << "Q&A: notes?*" << "";
    QTest::newRow("kept by NameAutoFix too") << 3 << 21 << "a\\b<|>\"c\"" << "" << true << Shown::Nothing << ""
                                             << "a\\b<|>\"c\"" << "";
    QTest::newRow("POSIX path for Change Folder") << 17 << 69 << "/srv/archive" << "" << false << Shown::Nothing
                                                  << "" << "/srv/archive" << "";
    QTest::newRow("preset name with a slash") << 92 << 93 << "my/preset" << "" << false << Shown::MessageDialog
                                              << forbidden << "" << "";
    QTest::newRow("pasted line breaks and tabs") << 14 << 44 << "new\r\nname\t.txt" << "" << false << Shown::Nothing
                                                 << "" << "newname.txt" << "";
    QTest::newRow("a hidden field yields nothing") << 2 << 110 << "abc" << "def" << false << Shown::Nothing << ""
                                                   << "" << "";
    QTest::newRow("hidden second field of Match Digits") << 9 << 74 << "3" << "x/y" << false << Shown::Nothing << ""
                                                         << "3" << "";
}

void CommandInputDialogTest::enterClosesWithCleanArgumentsOrStaysWithMessage() {
    QFETCH(int, command);
    QFETCH(int, sub);
    QFETCH(QString, arg1);
    QFETCH(QString, arg2);
    QFETCH(bool, autoFix);
    QFETCH(Shown, shown);
    QFETCH(QString, message);
    QFETCH(QString, out1);
    QFETCH(QString, out2);

    AppSettings settings;
    settings.NameAutoFix = autoFix ? 1 : 0;
    RecordingHost host;
    MessageBoxCatcher boxes;
    CommandInputDialog dlg(command, settings, host);
    dlg.setInitialInput(sub, arg1.toStdU16String(), arg2.toStdU16String());
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    QTest::keyClick(dlg.focusWidget(), Qt::Key_Return);

    QCOMPARE(dlg.isVisible(), shown != Shown::Nothing);
    QCOMPARE(boxes.texts, shown == Shown::MessageBox ? QStringList{message} : QStringList{});
    QCOMPARE(host.dialogs.size(), size_t(shown == Shown::MessageDialog ? 1 : 0));
    if (shown == Shown::MessageDialog) {
        QCOMPARE(QString::fromStdU16String(host.dialogs[0].first), QString("Error Message"));
        QCOMPARE(QString::fromStdU16String(host.dialogs[0].second), message);
    }
    if (shown != Shown::Nothing) {  // open, with everything as typed
        QCOMPARE(dlg.field1()->toPlainText(), arg1);
        QCOMPARE(dlg.result(), 0);
        return;
    }
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    QCOMPARE(dlg.subCommand(), sub);
    QCOMPARE(QString::fromStdU16String(dlg.arg1()), out1);
    QCOMPARE(QString::fromStdU16String(dlg.arg2()), out2);
}

void CommandInputDialogTest::ctrlNumberChoosesAnItemAndIsConsumed() {
    Opened opened(2);
    QVERIFY(opened.exposed());
    CommandInputDialog& dlg = opened.dlg;
    QCOMPARE(dlg.selector()->count(), 12);
    QCOMPARE(dlg.focusWidget(), dlg.field1());
    QTest::keyClicks(dlg.field1(), "abc");

    // Even a shortcut meant for the whole application does not take it away.
    QWidget elsewhere;
    elsewhere.show();
    dlg.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&dlg));
    auto* shortcut = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_3), &elsewhere);
    shortcut->setContext(Qt::ApplicationShortcut);
    int fired = 0;
    connect(shortcut, &QShortcut::activated, [&] { ++fired; });
    QTest::keyClick(dlg.field1(), Qt::Key_3, Qt::ControlModifier);
    QCOMPARE(fired, 0);
    QCOMPARE(dlg.selector()->currentText(), QString("3) Convert to lowercase"));
    QVERIFY(dlg.field1()->isHidden());
    QVERIFY(dlg.field2()->isHidden());
    QVERIFY(dlg.label1()->isHidden());
    QCOMPARE(dlg.focusWidget(), dlg.okButton());

    // The keypad's 2, pressed where the focus now is (OK): the pivot item.
    QTest::keyClick(dlg.okButton(), Qt::Key_2, Qt::ControlModifier | Qt::KeypadModifier);
    QCOMPARE(dlg.selector()->currentIndex(), 1);
    QCOMPARE(Words(dlg.label1()), QString("Pivot string"));
    QVERIFY(!dlg.field1()->isHidden());
    QVERIFY(dlg.field2()->isHidden());
    QCOMPARE(dlg.focusWidget(), dlg.field1());
    QVERIFY(dlg.isVisible());  // OK was not pressed

    // Consumed: the digit never reaches the field; Ctrl+0 chooses nothing.
    QTest::keyClicks(dlg.field1(), "#");
    QTest::keyClick(dlg.field1(), Qt::Key_1, Qt::ControlModifier);
    QCOMPARE(dlg.selector()->currentIndex(), 0);
    QCOMPARE(dlg.field1()->toPlainText(), QString());
    QTest::keyClicks(dlg.field1(), "x");
    QTest::keyClick(dlg.field1(), Qt::Key_0, Qt::ControlModifier);
    QCOMPARE(dlg.selector()->currentIndex(), 0);
    QCOMPARE(dlg.field1()->toPlainText(), QString("x"));

    // The selector, which searches its entries by typed text, yields Ctrl+number too.
    dlg.selector()->setFocus();
    QTest::keyClick(dlg.selector(), Qt::Key_6, Qt::ControlModifier | Qt::KeypadModifier);
    QCOMPARE(dlg.selector()->currentIndex(), 5);
}

void CommandInputDialogTest::ctrlNumberPastTheListDoesNothing() {
    Opened opened(9);
    QVERIFY(opened.exposed());
    CommandInputDialog& dlg = opened.dlg;
    QCOMPARE(dlg.selector()->count(), 2);
    QTest::keyClicks(dlg.field1(), "5");
    QTest::keyClick(dlg.field1(), Qt::Key_9, Qt::ControlModifier);
    QTest::keyClick(dlg.field1(), Qt::Key_3, Qt::ControlModifier | Qt::KeypadModifier);
    QCOMPARE(dlg.selector()->currentIndex(), 0);
    QCOMPARE(dlg.field1()->toPlainText(), QString("5"));
    QTest::keyClick(dlg.field1(), Qt::Key_2, Qt::ControlModifier);
    QCOMPARE(dlg.selector()->currentText(), QString("2) Add '0' to head number to match digits"));
    QCOMPARE(dlg.field1()->toPlainText(), QString());
}

// The first size fits the longest label, in both languages, uncut.
void CommandInputDialogTest::theDateHintShowsWholeInEitherLanguage() {
    for (UiLanguage language : {UiLanguage::English, UiLanguage::Korean}) {
        SetUiLanguage(language);
        Opened opened(3);
        SetUiLanguage(UiLanguage::English);
        QVERIFY(opened.exposed());
        opened.dlg.selector()->setCurrentIndex(6);
        QCOMPARE(Words(opened.dlg.label1()), QString::fromStdU16String(LoadText(text::DateFormatHint, language)));
        QVERIFY(opened.dlg.label1()->toolTip().isEmpty());
    }
}

// Every item's labels, in both languages: one letter each, no other control
// of the dialog has it, and Alt with it goes to the label's field.
void CommandInputDialogTest::rewrittenLabelsKeepAFreeAccessLetter() {
    for (UiLanguage language : {UiLanguage::English, UiLanguage::Korean}) {
        SetUiLanguage(language);
        Opened opened(3);
        QVERIFY(opened.exposed());
        CommandInputDialog& dlg = opened.dlg;
        for (int item = 0; item < dlg.selector()->count(); ++item) {
            dlg.selector()->setCurrentIndex(item);
            QStringList others;
            for (QAbstractButton* b : dlg.findChildren<QAbstractButton*>())
                if (b->isVisible() && !b->text().isEmpty()) others << b->text();
            for (QLabel* label : {dlg.label1(), dlg.label2()}) {
                if (!label->isVisible() || label->text().isEmpty()) continue;
                const QChar letter = Letter(label->text());
                QVERIFY2(!letter.isNull(), qPrintable(label->text()));
                for (const QString& other : others) QVERIFY2(Letter(other) != letter, qPrintable(label->text() + " / " + other));
                others << label->text();
            }
        }
        dlg.selector()->setCurrentIndex(0);
        if (dlg.label2()->isVisible()) {
            dlg.field1()->setFocus();
            QTest::keyClick(&dlg, Letter(dlg.label2()->text()).toLatin1(), Qt::AltModifier);
            QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(dlg.field2()));
        }
    }
    SetUiLanguage(UiLanguage::English);
}

void CommandInputDialogTest::changingTheItemResetsTheFields() {
    Opened opened(3);
    QVERIFY(opened.exposed());
    CommandInputDialog& prefix = opened.dlg;
    QCOMPARE(Words(prefix.label2()), QString("Position to insert from the head (0 = head)"));
    QTest::keyClicks(prefix.field1(), "abc");
    QTest::keyClicks(prefix.field2(), "7");
    prefix.selector()->setCurrentIndex(6);  // as the user picks from the list
    QCOMPARE(prefix.selector()->currentText(), QString("7) Add the date and time of creation"));
    QCOMPARE(prefix.field1()->toPlainText(), QString("%Y-%m-%d"));
    QCOMPARE(prefix.field2()->toPlainText(), QString());
    QVERIFY(prefix.folderButton()->isHidden());

    // Choosing the current entry again by its key resets it too.
    QTest::keyClicks(prefix.field1(), "X");
    QTest::keyClick(prefix.field1(), Qt::Key_7, Qt::ControlModifier);
    QCOMPARE(prefix.field1()->toPlainText(), QString("%Y-%m-%d"));

    // The folder item starts at the working folder and alone offers the picker.
    Opened folderOpened(17);
    QVERIFY(folderOpened.exposed());
    CommandInputDialog& folder = folderOpened.dlg;
    QCOMPARE(folder.field1()->toPlainText(), QDir::toNativeSeparators(QDir::currentPath()));
    QVERIFY(!folder.folderButton()->isHidden());
    QVERIFY(folder.label1()->geometry().right() < folder.folderButton()->geometry().left());
    QTest::keyClick(folder.field1(), Qt::Key_2, Qt::ControlModifier);
    QVERIFY(folder.folderButton()->isHidden());
    QCOMPARE(folder.field1()->toPlainText(), QString());

    // An edited task opens on its item; an empty stored text keeps the default.
    CommandInputDialog task(4, opened.settings, opened.host);
    task.setInitialInput(117, u"", u"2");
    QCOMPARE(task.selector()->currentIndex(), 7);
    QCOMPARE(task.field1()->toPlainText(), QString("%Y-%m-%d"));
    QCOMPARE(task.field2()->toPlainText(), QString("2"));
    task.setInitialInput(999, u"", u"");  // no such item: the selection stays
    QCOMPARE(task.selector()->currentIndex(), 7);
}

void CommandInputDialogTest::digitFieldsTakeDigitsOnly() {
    Opened opened(3);  // Add string: the position is digits only
    QVERIFY(opened.exposed());
    CommandInputDialog& dlg = opened.dlg;
    QTest::keyClicks(dlg.field1(), "1a-2");
    QTest::keyClicks(dlg.field2(), "1a-2");
    QCOMPARE(dlg.field1()->toPlainText(), QString("1a-2"));
    QCOMPARE(dlg.field2()->toPlainText(), QString("12"));
    QGuiApplication::clipboard()->setText("3x\n4");
    dlg.field2()->paste();
    QCOMPARE(dlg.field2()->toPlainText(), QString("1234"));

    dlg.selector()->setCurrentIndex(2);  // the pattern item: its position field is free text
    QTest::keyClicks(dlg.field2(), "1a");
    QCOMPARE(dlg.field2()->toPlainText(), QString("1a"));
}

void CommandInputDialogTest::fieldsShareTheHeightAndTheSizeNeverShrinksBelowTheFirst() {
    Opened opened(2);
    QVERIFY(opened.exposed());
    CommandInputDialog& dlg = opened.dlg;
    const QSize first = dlg.size();
    QCOMPARE(dlg.minimumSize(), first);
    dlg.resize(first / 2);
    QCOMPARE(dlg.size(), first);

    dlg.resize(first.width() + 100, first.height() + 101);
    const QRect f1 = dlg.field1()->geometry(), f2 = dlg.field2()->geometry();
    QVERIFY(f1.height() > 20);
    QCOMPARE(f1.height(), f2.height());
    QCOMPARE(f1.width(), f2.width());
    QVERIFY(f1.bottom() < dlg.label2()->geometry().top());
    // OK and Cancel in the bottom right corner, OK left of Cancel, below the fields.
    const QRect ok = dlg.okButton()->geometry();
    const QRect cancel = dlg.cancelButton()->geometry();
    QVERIFY(f2.bottom() < ok.top());
    QCOMPARE(cancel.top(), ok.top());
    QVERIFY(ok.right() < cancel.left());
    QCOMPARE(dlg.width() - 1 - cancel.right(), f1.left());
    QVERIFY(ok.bottom() < dlg.height() && ok.bottom() > dlg.height() - 2 * ok.height());
    QCOMPARE(f1.left(), dlg.width() - 1 - f1.right());  // the same margin on both sides
}

void CommandInputDialogTest::rectInputRestoredOnlyWhenOnScreen() {
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    RecordingHost host;
    AppSettings settings;
    CommandInputDialog plain(2, settings, host);
    const QSize first = plain.size();

    // Mostly on the screen: restored whole, even the part beyond the edge.
    const QRect partly(screen.right() - 300, screen.top() + 20, first.width() + 50, first.height() + 40);
    settings.RectInput = ToRect(partly);
    CommandInputDialog restored(2, settings, host);
    QCOMPARE(restored.geometry(), partly);

    // 200 pixels or less on the screen, or nothing, or empty: ignored.
    for (Rect r : {ToRect(QRect(screen.right() - 199, screen.top() + 20, first.width(), first.height())),
                   ToRect(QRect(screen.left() + 20, screen.bottom() - 99, first.width(), first.height())),
                   Rect{-5000, -5000, -4000, -4000}, Rect{100, 100, 50, 300}, Rect{INT32_MIN, 0, INT32_MAX, 10}}) {
        settings.RectInput = r;
        CommandInputDialog ignored(2, settings, host);
        QCOMPARE(ignored.size(), first);
        QVERIFY(ignored.geometry() != ToQRect(r));
    }
}

void CommandInputDialogTest::rectInputStoredOnCancelAndOnPassingOk() {
    RecordingHost host;
    AppSettings settings;
    MessageBoxCatcher boxes;
    {
        CommandInputDialog dlg(2, settings, host);
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        dlg.setGeometry(QRect(40, 30, dlg.width() + 20, dlg.height() + 10));
        QTest::keyClick(dlg.focusWidget(), Qt::Key_Escape);
        QVERIFY(!dlg.isVisible());
        QCOMPARE(ToQRect(settings.RectInput), dlg.geometry());
    }
    const Rect afterCancel = settings.RectInput;
    {
        CommandInputDialog dlg(20, settings, host);  // one rectangle for every command
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        QCOMPARE(dlg.geometry(), ToQRect(afterCancel));
        dlg.move(60, 50);
        dlg.selector()->setCurrentIndex(1);  // Replace string: "*" alone is refused
        dlg.field1()->setPlainText("*");
        QTest::keyClick(dlg.field1(), Qt::Key_Return);
        QCOMPARE(boxes.texts.size(), 1);
        QCOMPARE(settings.RectInput, afterCancel);  // a refused OK stores nothing
        dlg.field1()->setPlainText("a*");
        dlg.field2()->setPlainText("b*");
        QTest::keyClick(dlg.field1(), Qt::Key_Return);
        QVERIFY(!dlg.isVisible());
        QCOMPARE(dlg.subCommand(), 61);
        QCOMPARE(ToQRect(settings.RectInput), dlg.geometry());
        QCOMPARE(dlg.pos(), QPoint(60, 50));
    }
}

QTEST_MAIN(CommandInputDialogTest)
#include "command_input_dialog_test.moc"
