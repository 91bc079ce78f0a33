// The window's share of journals: Revert Last Apply in the File menu, the
// start-up question for an interrupted run, and every row's fate shown as a
// tint and a tooltip once it has been looked up off the window's thread.
#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QPushButton>
#include <QTest>
#include <sys/stat.h>

#include <fstream>

#include "ModalHelpers.h"
#include "WindowTestSupport.h"
#include "app/AppState.h"
#include "apply/ApplyChanges.h"
#include "apply/JournalFiles.h"
#include "base/MenuIds.h"
#include "platform/FileContent.h"
#include "ui/dialogs/ApplyModeDialog.h"
#include "ui/mainwindow/NameListModel.h"

using namespace quirnel;
using namespace quirnel::test;

class WindowJournalTest : public QObject {
    Q_OBJECT
private slots:
    void revertLastApplyFromTheFileMenu();
    void noToTheQuestionMovesNothing();
    void ctrlZAfterAnApplyOffersItsRevert();
    void theRedoItemNamesTheRevertedRun();
    void anInterruptedRunIsAskedAboutAtStartUp_data();
    void anInterruptedRunIsAskedAboutAtStartUp();
    void rowsShowTheirFate();
    void tintsKeepTheThemesLightness();
};

namespace {

std::string Content(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// A swap of a and b, and c renamed to d, applied through the window.
void ApplySwapAndRename(WindowWithFiles& f) {
    f.app.flags.journal.folder = f.dir.u16("state");
    f.add({"a", "b", "c"});
    TestWindow& w = f.w();
    w.workspace().list.setNewName(0, u"b");
    w.workspace().list.setNewName(1, u"a");
    w.workspace().list.setNewName(2, u"d");
    WhenModalOpens<ApplyModeDialog>([](ApplyModeDialog* d) { QTest::keyClick(d->cancelButton(), Qt::Key_Return, Qt::NoModifier); });
    w.runCommand(menu::ApplyChanges);
    QTRY_VERIFY(!w.busy());
}

// What opening the File menu does before it shows.
void OpenFileMenu(TestWindow& w) { emit w.menuBar()->actions().first()->menu()->aboutToShow(); }

const QRegularExpression kRunTime(QStringLiteral("\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d"));

}  // namespace

void WindowJournalTest::revertLastApplyFromTheFileMenu() {
    WindowWithFiles f({}, false);
    ApplySwapAndRename(f);
    TestWindow& w = f.w();
    QCOMPARE(Content(f.path("a")), std::string("b"));
    QCOMPARE(Content(f.path("d")), std::string("c"));

    QAction* revert = w.action(menu::RevertLastApply);
    QVERIFY(revert);
    QCOMPARE(revert->text(), QString("&Revert Last Apply"));
    QVERIFY(revert->isEnabled());
    QString asked;
    w.answer = [&asked](Question q, const QString& text) {
        asked = text;
        return q == Question::RevertRun;
    };
    revert->trigger();
    // One question names the run: when, what kind, how many entries, which folder.
    QVERIFY2(asked.startsWith("Revert this run?\r\nRename run of "), qPrintable(asked));
    QVERIFY(kRunTime.match(asked).hasMatch());
    QVERIFY2(asked.endsWith(": 3 entries in " + QString::fromStdString(f.dir.path())), qPrintable(asked));
    QCOMPARE(Content(f.path("a")), std::string("a"));
    QCOMPARE(Content(f.path("b")), std::string("b"));
    QCOMPARE(Content(f.path("c")), std::string("c"));
    QCOMPARE(f.column(0), QStringList({"a", "b", "c"}));  // the rows follow the disk
    QCOMPARE(f.column(1), QStringList({"b", "a", "d"}));  // and their proposals are pending again
    QVERIFY(w.logPane()->toPlainText().contains("]  Total : 4 / Reverted : 4 / Skipped : 0"));

    // Twice is not a redo: nothing to ask about, nothing moves.
    revert->trigger();
    QCOMPARE(w.asked.size(), size_t(1));
    QVERIFY(f.logLines().last().contains("Nothing to revert: every run recorded in "));
    QCOMPARE(Content(f.path("a")), std::string("a"));
    QCOMPARE(Content(f.path("c")), std::string("c"));
}

void WindowJournalTest::noToTheQuestionMovesNothing() {
    WindowWithFiles f({}, false);
    ApplySwapAndRename(f);
    TestWindow& w = f.w();
    w.action(menu::RevertLastApply)->trigger();  // answered No
    QVERIFY(w.asked == std::vector<Question>{Question::RevertRun});
    QCOMPARE(Content(f.path("a")), std::string("b"));
    QCOMPARE(Content(f.path("d")), std::string("c"));
    QVERIFY(f.logLines().last().endsWith("Nothing was reverted."));
}

// Ctrl+Z with nothing pending takes back the window's last apply, after
// the revert's own question; with proposals pending it undoes those.
void WindowJournalTest::ctrlZAfterAnApplyOffersItsRevert() {
    WindowWithFiles f({}, false);
    ApplySwapAndRename(f);
    TestWindow& w = f.w();
    w.answer = [](Question q, const QString&) { return q == Question::RevertRun; };
    w.listView()->setFocus();
    Press(w.listView(), Qt::Key_Z, Qt::ControlModifier);
    QVERIFY(w.asked == std::vector<Question>{Question::RevertRun});
    QCOMPARE(Content(f.path("a")), std::string("a"));
    QCOMPARE(Content(f.path("c")), std::string("c"));
    QCOMPARE(f.column(1), QStringList({"b", "a", "d"}));  // pending again

    // Now the pending proposals are what Ctrl+Z undoes: no question, no disk.
    Press(w.listView(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(w.asked.size(), size_t(1));
    QCOMPARE(f.column(1), QStringList({"a", "b", "c"}));
    QCOMPARE(Content(f.path("a")), std::string("a"));

    // The run is reverted: a third Ctrl+Z finds nothing of this window's to take back.
    Press(w.listView(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(w.asked.size(), size_t(1));
}

// The Redo item is greyed until a revert is the newest change; it names
// the run it brings back, and asks before it does.
void WindowJournalTest::theRedoItemNamesTheRevertedRun() {
    WindowWithFiles f({}, false);
    ApplySwapAndRename(f);
    TestWindow& w = f.w();
    QAction* redo = w.action(menu::RedoRevertedApply);
    QVERIFY(redo);
    OpenFileMenu(w);
    QVERIFY(!redo->isEnabled());
    QCOMPARE(redo->text(), QString("Re&do Reverted Apply"));

    QString asked;
    w.answer = [&asked](Question q, const QString& text) {
        asked = text;
        return q == Question::RevertRun || q == Question::RedoRun;
    };
    w.action(menu::RevertLastApply)->trigger();
    QCOMPARE(Content(f.path("a")), std::string("a"));
    OpenFileMenu(w);
    QVERIFY(redo->isEnabled());
    QVERIFY2(redo->text().startsWith("Redo Reverted Apply (") && kRunTime.match(redo->text()).hasMatch(),
             qPrintable(redo->text()));
    QVERIFY(asked.contains(kRunTime.match(redo->text()).captured()));  // the same run

    redo->trigger();
    QCOMPARE(w.asked.back(), Question::RedoRun);
    QVERIFY2(asked.startsWith("Redo this run, which was reverted?\r\nRename run of "), qPrintable(asked));
    QVERIFY(asked.endsWith(": 3 entries in " + QString::fromStdString(f.dir.path())));
    QCOMPARE(Content(f.path("a")), std::string("b"));
    QCOMPARE(Content(f.path("d")), std::string("c"));
    QCOMPARE(f.column(0), QStringList({"b", "a", "d"}));
    OpenFileMenu(w);
    QVERIFY(!redo->isEnabled());
}

void WindowJournalTest::anInterruptedRunIsAskedAboutAtStartUp_data() {
    QTest::addColumn<bool>("revert");
    QTest::newRow("Yes reverts it") << true;
    QTest::newRow("No keeps the disk") << false;
}

void WindowJournalTest::anInterruptedRunIsAskedAboutAtStartUp() {
    QFETCH(bool, revert);
    TempDir dir;
    dir.file("in/a", "a");
    AppState app;
    app.flags.journal.folder = dir.u16("state");
    std::u16string journal;
    {
        RecordingHost host;
        Workspace ws(app.settings, app.flags, host);
        RowSource s;
        s.name = u"a";
        s.folder = dir.u16("in");
        ws.list.appendRow(s);
        ws.list.setNewName(0, u"z");
        journal = ApplyChanges(ws, ApplyType::Originals).journal;
    }
    std::string text;
    QVERIFY(ReadFileBytes(journal, text, 1 << 20));
    QVERIFY(ReplaceFileContent(journal, text.substr(0, text.rfind("W\t"))));  // the run died before its end

    TestWindow w(app);
    w.answer = [revert](Question q, const QString& asked) {
        return q == Question::RevertInterrupted && asked.startsWith("An apply run ended before it was finished") && revert;
    };
    w.recoverInterruptedRuns();
    QVERIFY(w.asked == std::vector<Question>{Question::RevertInterrupted});
    QCOMPARE(Content(dir / (revert ? "in/a" : "in/z")), std::string("a"));
    QVERIFY(UnsettledJournals(app.flags.journal.folder).empty());
    w.recoverInterruptedRuns();
    QCOMPARE(w.asked.size(), size_t(1));  // settled either way: never asked again
}

void WindowJournalTest::rowsShowTheirFate() {
    WindowWithFiles f({"a", "b", "c", "held"}, true);
    TestWindow& w = f.w();
    w.workspace().list.removeRow(3);
    w.workspace().list.setNewName(0, u"held");
    w.workspace().list.setNewName(1, u"b2");
    w.refreshRowStatuses();
    QVERIFY(f.model()->index(0, 0).data(Qt::BackgroundRole).isNull());  // nothing until it arrives
    QTRY_VERIFY(!w.rowStatusesPending());
    const QColor base = f.list()->palette().color(QPalette::Base);
    QCOMPARE(f.model()->index(0, 1).data(Qt::BackgroundRole).value<QColor>(),
             NameListModel::statusTint(RowFate::TargetExists, base));
    QCOMPARE(f.model()->index(1, 0).data(Qt::BackgroundRole).value<QColor>(), NameListModel::statusTint(RowFate::Rename, base));
    QVERIFY(f.model()->index(2, 0).data(Qt::BackgroundRole).isNull());
    QCOMPARE(f.model()->index(0, 1).data(Qt::ToolTipRole).toString(),
             QString("held\nThe target exists on disk and this run does not free it"));
    QCOMPARE(f.model()->index(2, 0).data(Qt::ToolTipRole).toString(), QString("c\nUnchanged"));

    // A command refreshes them.
    w.workspace().list.setNewName(0, u"a");
    w.runCommand(menu::ShowFullPath);
    QTRY_VERIFY(!w.rowStatusesPending());
    QVERIFY(f.model()->index(0, 0).data(Qt::BackgroundRole).isNull());
}

// Over the lightest and the darkest backgrounds a tint keeps the lightness
// of the theme, so the theme's text colour stays legible on it.
void WindowJournalTest::tintsKeepTheThemesLightness() {
    for (QColor base : {QColor(255, 255, 255), QColor(30, 30, 30)}) {
        for (RowFate fate : {RowFate::Rename, RowFate::Numbered, RowFate::Chain, RowFate::TargetExists, RowFate::Duplicate}) {
            QColor tint = NameListModel::statusTint(fate, base);
            QVERIFY(tint.isValid());
            QVERIFY(tint != base);
            QVERIFY2(std::abs(tint.lightnessF() - base.lightnessF()) < 0.3, qPrintable(tint.name() + " on " + base.name()));
        }
    }
}

QTEST_MAIN(WindowJournalTest)
#include "window_journal_test.moc"
