// Applying from the window: the command keys, the chooser, the threaded and
// the direct run, what a busy window refuses, and closing during a run.
#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QThread>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>

#include "ModalHelpers.h"
#include "WindowTestSupport.h"
#include "base/MenuIds.h"
#include "platform/NativeText.h"
#include "ui/dialogs/ApplyModeDialog.h"
#include "ui/widgets/ArgumentField.h"
#include "ui/dialogs/CommandInputDialog.h"
#include "ui/widgets/CommandPanel.h"
#include "ui/dialogs/MessageDialog.h"

using namespace quirnel;
using namespace quirnel::test;

class WindowApplyTest : public QObject {
    Q_OBJECT
private slots:
    void renameEndToEnd_data();
    void renameEndToEnd();
    void busyRefusesEverythingAndEscStops();
    void noStopQuestionOnceTheChangesAreOver();
    void closeDuringRun_data();
    void closeDuringRun();
    void destroyedDuringRunOpensNoDialog();
    void failedChecksSelectTheRow();
    void pendingProposalsAskBeforeExit();
    void removedRowsLeaveTheViewBeforeTheReport();
};

namespace {

bool OnDisk(const std::string& path) {
    struct stat st;
    return lstat(path.c_str(), &st) == 0;
}

// A file of this many bytes that takes no room until copied.
void SparseFile(const std::string& path, off_t size) {
    { std::ofstream(path) << ""; }
    QVERIFY(truncate(path.c_str(), size) == 0);
}

// Replace through its dialog: "Find what" and "Replace with", then Enter.
void TypeReplace(const QString& find, const QString& replace) {
    WhenModalOpens<CommandInputDialog>([=](CommandInputDialog* d) {
        d->field1()->setPlainText(find);
        d->field2()->setPlainText(replace);
        QTest::keyClick(d->field2(), Qt::Key_Return);
    });
}

void ChooseMode(Qt::KeyboardModifiers mods) {
    WhenModalOpens<ApplyModeDialog>([=](ApplyModeDialog* d) { QTest::keyClick(d->cancelButton(), Qt::Key_Return, mods); });
}

// A window running a copy of a large file on its worker: busy until stopped.
struct BusyWindow : WindowWithFiles {
    explicit BusyWindow(bool report = false) : WindowWithFiles({}, true) {
        app.settings.ShowDoneDialog = report ? 1 : 0;
        SparseFile(path("big"), off_t(8) << 30);
        add({});
        window->addPaths({dir.u16("big")});
        window->workspace().list.setNewName(0, u"big copy");
        ChooseMode(Qt::ShiftModifier);  // copies, keeping the original
        Press(list(), Qt::Key_S, Qt::ControlModifier);
        QTRY_VERIFY(UnnamedFileOpenIn(dir.path()));  // the copy is under way, under no name yet
    }
};

}  // namespace

void WindowApplyTest::renameEndToEnd_data() {
    QTest::addColumn<bool>("threaded");
    QTest::newRow("on the worker") << true;
    QTest::newRow("on the window's thread") << false;
}

void WindowApplyTest::renameEndToEnd() {
    QFETCH(bool, threaded);
    WindowWithFiles f({"alpha.txt", "beta.txt"}, threaded);
    TestWindow& w = f.w();
    f.list()->setFocus();

    TypeReplace("alpha", "gamma");
    Press(f.list(), Qt::Key_1, Qt::ControlModifier);
    QCOMPARE(f.column(1), QStringList({"gamma.txt", "beta.txt"}));

    ChooseMode(Qt::NoModifier);
    Press(f.list(), Qt::Key_S, Qt::ControlModifier);
    QTRY_VERIFY(!w.busy());

    QVERIFY(OnDisk(f.path("gamma.txt")));
    QVERIFY(!OnDisk(f.path("alpha.txt")));
    QCOMPARE(f.column(0), QStringList({"gamma.txt", "beta.txt"}));
    QString log = w.logPane()->toPlainText();
    QVERIFY(log.contains("] Starting applying changes to originals.\n"));
    QVERIFY(log.contains("] Failed to change: beta.txt (Skipped the name with no change)\n"));
    QVERIFY(log.contains("]  Total : 2 / Processed : 2 / Changed : 1\n"));
    QVERIFY(log.contains("] Done (Elapsed Time: "));
    QVERIFY(!w.stopButton()->isVisible());
    QVERIFY(w.leftPanel()->isEnabled() && w.rightPanel()->isEnabled() && f.list()->isEnabled());
    QCOMPARE(w.statusLine()->text(), QString("Number of items : 2"));
    QCOMPARE(w.windowTitle(), QString("Quirnel"));
}

void WindowApplyTest::busyRefusesEverythingAndEscStops() {
    BusyWindow f;
    TestWindow& w = f.w();
    QVERIFY(w.busy());
    QVERIFY(w.stopButton()->isVisible());
    QVERIFY(!f.list()->isEnabled() && !w.leftPanel()->isEnabled());
    QCOMPARE(w.currentLayout().status.w, w.currentLayout().stop.x);  // the status line makes room for Stop

    // Commands, hotkeys and drops are refused; keys go nowhere.
    w.runCommand(menu::ClearListInstantly);
    Press(&w, Qt::Key_L, Qt::ControlModifier | Qt::ShiftModifier);
    Press(w.logPane(), Qt::Key_Delete);
    w.dropPaths({f.dir.u16("big")});
    QCOMPARE(f.model()->rowCount(), 1);
    QVERIFY(!w.commandEnabled(menu::ClearListInstantly) && !w.commandEnabled(menu::AddFiles));
    QVERIFY(w.commandEnabled(menu::Exit));
    QVERIFY(w.busy());

    // Esc asks to stop; No keeps the run going, Yes stops it.
    Press(w.logPane(), Qt::Key_Escape);
    QVERIFY(w.asked == std::vector<Question>{Question::StopProcessing});
    QVERIFY(w.busy());
    w.answer = [](Question q, const QString&) { return q == Question::StopProcessing; };
    Press(w.logPane(), Qt::Key_Escape);
    QTRY_VERIFY(!w.busy());
    QVERIFY(w.isVisible());
    QVERIFY(!OnDisk(f.path("big copy")));  // a stopped copy leaves nothing behind
    QVERIFY(w.logPane()->toPlainText().contains("] Failed to change: big (Operation canceled)"));
    QVERIFY(w.logPane()->toPlainText().contains("]  Total : 1 / Processed : 1 / Changed : 0"));
    QVERIFY(!w.stopButton()->isVisible());
    QVERIFY(w.commandEnabled(menu::ClearListInstantly));
}

// The window may take the run's updates a while after its last change:
// Esc then asks nothing, and a Yes the run outlived stops nothing and says so.
void WindowApplyTest::noStopQuestionOnceTheChangesAreOver() {
    for (int files : {1, 5000}) {
        WindowWithFiles f({}, true);
        TestWindow& w = f.w();
        std::vector<std::string> names;
        for (int i = 0; i < files; ++i) names.push_back("f" + std::to_string(i));
        f.add(names);
        for (int r = 0; r < files; ++r) w.workspace().list.setNewName(r, u"g" + FromNative(names[r]));
        const auto overSoon = [&w] {
            QElapsedTimer t;
            t.start();
            while (!w.runChangesOver() && t.elapsed() < 30000) QThread::msleep(2);  // no updates taken meanwhile
            return w.runChangesOver();
        };
        w.answer = [&](Question q, const QString&) { return q == Question::StopProcessing && overSoon(); };
        ChooseMode(Qt::NoModifier);
        Press(f.list(), Qt::Key_S, Qt::ControlModifier);
        if (files == 1) QVERIFY(overSoon());
        QVERIFY(w.busy());
        Press(w.logPane(), Qt::Key_Escape);
        QCOMPARE(w.asked.size(), size_t(files == 1 ? 0 : 1));
        QTRY_VERIFY(!w.busy());
        QVERIFY(OnDisk(f.path("g" + names.back())));
        QCOMPARE(w.logPane()->toPlainText().contains("The run had already ended: nothing was stopped."), files > 1);
    }
}

void WindowApplyTest::closeDuringRun_data() {
    QTest::addColumn<bool>("stop");
    QTest::newRow("No keeps the run going") << false;
    QTest::newRow("Yes stops, waits, then closes") << true;
}

void WindowApplyTest::closeDuringRun() {
    QFETCH(bool, stop);
    BusyWindow f;
    TestWindow& w = f.w();
    QVERIFY(w.busy());
    w.answer = [stop](Question, const QString&) { return stop; };
    w.close();
    if (!stop) {
        QVERIFY(w.asked == std::vector<Question>{Question::StopProcessing});
        QVERIFY(w.isVisible());
        QVERIFY(w.busy());
        w.answer = [](Question, const QString&) { return true; };
        w.close();
    }
    // The worker has ended before the window let go of the rows.
    QVERIFY(!w.busy());
    QVERIFY(!w.isVisible());
    QVERIFY(w.asked.back() == Question::ExitWithUnapplied);
    QCOMPARE(f.model()->rowCount(), 0);
    QVERIFY(!OnDisk(f.path("big copy")));
    QVERIFY(f.app.settings.RectMain.right > f.app.settings.RectMain.left);
}

// A window destroyed without its close path (the process ending) stops the
// run and takes its last updates, but opens no report on a window going away.
void WindowApplyTest::destroyedDuringRunOpensNoDialog() {
    BusyWindow f(true);  // the run will want to show its report
    QVERIFY(f.w().busy());
    ModalCatcher modals;
    f.window.reset();
    QCOMPARE(f.app.flags.stopFlag.load(), 1);
    QVERIFY(modals.opened.isEmpty());
    QVERIFY(!OnDisk(f.path("big copy")));
}

// The error names the row, which is then selected and scrolled to.
void WindowApplyTest::failedChecksSelectTheRow() {
    std::vector<std::string> files;
    for (int i = 0; i < 60; ++i) files.push_back("f" + std::to_string(100 + i) + ".txt");
    WindowWithFiles f(files, true);
    TestWindow& w = f.w();
    w.workspace().list.setNewName(57, u"f100.txt");  // the same target as row 0
    QString shown, text;
    WhenModalOpens<MessageDialog>([&](MessageDialog* d) {
        shown = d->windowTitle();
        text = d->textField()->toPlainText();
        if (qEnvironmentVariableIsSet("QUIRNEL_SCREENSHOT")) d->grab().save(qEnvironmentVariable("QUIRNEL_SCREENSHOT"));
        d->accept();
    });
    ChooseMode(Qt::NoModifier);
    w.runCommand(menu::ApplyChanges);
    QTRY_VERIFY(!w.busy());
    QCOMPARE(shown, QString("Error Message"));
    QCOMPARE(text.split('\n').last(), "Item 58: " + QString::fromStdString(f.path("f157.txt")));
    QVERIFY(text.startsWith("Detected duplication:"));
    QCOMPARE(f.list()->selectionModel()->selectedRows().size(), 1);
    QCOMPARE(f.list()->selectionModel()->selectedRows().first().row(), 57);
    QCOMPARE(f.list()->currentIndex().row(), 57);
    QVERIFY(f.list()->viewport()->rect().contains(f.list()->visualRect(f.model()->index(57, 0))));
    QVERIFY(OnDisk(f.path("f157.txt")));
}

// After a complete apply only proposals made since then are at stake: they
// make closing ask, and once undone the window closes without a question.
void WindowApplyTest::pendingProposalsAskBeforeExit() {
    WindowWithFiles f({"a1.txt", "b1.txt"}, false);
    TestWindow& w = f.w();
    TypeReplace("1", "2");
    Press(f.list(), Qt::Key_1, Qt::ControlModifier);
    ChooseMode(Qt::NoModifier);
    Press(f.list(), Qt::Key_S, Qt::ControlModifier);
    QTRY_VERIFY(!w.busy());
    QCOMPARE(f.column(0), QStringList({"a2.txt", "b2.txt"}));
    QCOMPARE(f.app.flags.unappliedFlag.load(), 0);

    TypeReplace("2", "3");
    Press(f.list(), Qt::Key_1, Qt::ControlModifier);
    QCOMPARE(f.column(1), QStringList({"a3.txt", "b3.txt"}));
    Press(f.list(), Qt::Key_Escape);
    QVERIFY(w.asked == std::vector<Question>{Question::ExitWithUnapplied});
    QVERIFY(w.isVisible());

    w.runCommand(menu::UndoChanges);
    Press(f.list(), Qt::Key_Escape);
    QVERIFY(!w.isVisible());
    QCOMPARE(w.asked.size(), size_t(1));
}

// With ClearAfterApply the run removes its changed rows; the report that
// follows must already see a list without them.
void WindowApplyTest::removedRowsLeaveTheViewBeforeTheReport() {
    WindowWithFiles f({"a.txt", "b.txt", "c.txt"}, true);
    TestWindow& w = f.w();
    f.app.settings.ClearAfterApply = 1;
    f.app.settings.ShowDoneDialog = 1;
    w.workspace().list.setNewName(0, u"a2.txt");
    w.workspace().list.setNewName(2, u"c2.txt");
    int rowsDuringReport = -1;
    QString reportTitle;
    WhenModalOpens<MessageDialog>([&](MessageDialog* d) {
        reportTitle = d->windowTitle();
        rowsDuringReport = f.model()->rowCount();
        d->accept();
    });
    ChooseMode(Qt::NoModifier);
    w.runCommand(menu::ApplyChanges);
    QTRY_VERIFY(!w.busy());
    QCOMPARE(reportTitle, QString("Result Report"));
    QCOMPARE(rowsDuringReport, 1);
    QCOMPARE(f.column(0), QStringList({"b.txt"}));
    QVERIFY(w.logPane()->toPlainText().endsWith("] Removed 2 item(s) from the list."));
}

QTEST_MAIN(WindowApplyTest)
#include "window_apply_test.moc"
