#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include "../core/ListBuilder.h"
#include "../core/TestSupport.h"
#include "ModalHelpers.h"
#include "WindowTestSupport.h"
#include "apply/RowStatus.h"
#include "base/AppSettings.h"
#include "base/CommandIds.h"
#include "base/MenuIds.h"
#include "base/StringTable.h"
#include "base/TextIds.h"
#include "ui/QtText.h"
#include "ui/ScreenRect.h"
#include "ui/dialogs/CommandInputDialog.h"
#include "ui/dialogs/PresetPreviewPane.h"
#include "ui/widgets/ArgumentField.h"
#include "ui/widgets/StatusTint.h"

using namespace quirnel;
using namespace quirnel::test;

class CommandInputPreviewTest : public QObject {
    Q_OBJECT
private slots:
    void typingShowsOldAndNewNamesWithTheirFates();
    void refusedInputShowsItsMessageAtOnce_data();
    void refusedInputShowsItsMessageAtOnce();
    void aRegularExpressionIsPreviewedAndItsErrorNamesThePosition();
    void closedPaneLeavesTheDialogAsItWas();
    void theOpenPaneIsRememberedAndTheStoredRectIsTheClosedOne();
    void cancelLeavesTheListAndOkAppliesAsBefore();
};

namespace {

// Files on disk, all but the last in the list: b1.txt only holds a name.
struct Folder {
    Folder() {
        for (const char* name : {"a1.txt", "a2.txt", "b2.txt", "c.txt", "d2.txt", "b1.txt"}) dir.file(name, "x");
        AddRows(list, dir.u16(), {u"a1.txt", u"a2.txt", u"b2.txt", u"c.txt", u"d2.txt"});
    }
    TempDir dir;
    NameList list{PathStyle::forHost()};
};

// The dialog as the window opens it, over the folder's rows.
struct PreviewDialog {
    PreviewDialog(int command, const NameList& list, bool open) : dlg(command, settings, host) {
        settings.InputPreview = open ? 1 : 0;
        dlg.setPreviewList(list);
        dlg.show();
    }
    AppSettings settings;
    RecordingHost host;
    CommandInputDialog dlg;
};

QTableWidget& Table(CommandInputDialog& dlg) { return *dlg.previewPane()->table(); }

QStringList PaneColumn(CommandInputDialog& dlg, int c) {
    QStringList out;
    for (int r = 0; r < Table(dlg).rowCount(); ++r) {
        QTableWidgetItem* item = Table(dlg).item(r, c);
        out << (item ? item->text() : QString());
    }
    return out;
}

// Waits for the update that the last change scheduled.
bool Updated(CommandInputDialog& dlg, int runsBefore) {
    for (int waited = 0; dlg.previewRuns() <= runsBefore && waited < 1000; waited += 5) QTest::qWait(5);
    return dlg.previewRuns() > runsBefore;
}

QRect GeometryOf(QWidget* w) { return w->isHidden() ? QRect() : w->geometry(); }

}  // namespace

void CommandInputPreviewTest::typingShowsOldAndNewNamesWithTheirFates() {
    Folder folder;
    PreviewDialog p(CmdReplace, folder.list, true);
    CommandInputDialog& dlg = p.dlg;
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    QVERIFY(dlg.previewBox()->isChecked() && dlg.previewPane()->isVisible());
    QCOMPARE(dlg.previewPane()->caption()->text(), T(text::InputPreviewIncomplete));  // Find what is empty

    int runs = dlg.previewRuns();
    QTest::keyClicks(dlg.field1(), "2");
    QTest::keyClicks(dlg.field2(), "1");
    QVERIFY(Updated(dlg, runs));
    QCOMPARE(PaneColumn(dlg, 0), QStringList({"a1.txt", "a2.txt", "b2.txt", "c.txt", "d2.txt"}));
    QCOMPARE(PaneColumn(dlg, 1), QStringList({"a1.txt", "a1.txt", "b1.txt", "c.txt", "d1.txt"}));
    QVERIFY(dlg.previewPane()->caption()->text().startsWith(T(text::InputPreviewFirstItems)));

    // Each row's fate as the list tints it, and said in the tooltip.
    const QColor base = Table(dlg).palette().color(QPalette::Base);
    const struct {
        int row;
        RowStatus status;
    } fates[] = {{0, {RowFate::Unchanged}},
                 {1, {RowFate::Duplicate, 0}},  // of the first row, which keeps a1.txt
                 {2, {RowFate::TargetExists}},  // b1.txt is on disk
                 {3, {RowFate::Unchanged}},
                 {4, {RowFate::Rename}}};
    for (const auto& [row, status] : fates) {
        QTableWidgetItem* item = Table(dlg).item(row, 1);
        const QColor tint = StatusTint(status.fate, base);
        QCOMPARE(item->background().style() == Qt::NoBrush ? QColor() : item->background().color(), tint);
        QVERIFY2(item->toolTip().endsWith(Q(RowStatusText(status))), qPrintable(item->toolTip()));
    }

    // Another item: its fields go, the pane follows at once.
    runs = dlg.previewRuns();
    dlg.selector()->setCurrentIndex(3);  // convert to uppercase
    QVERIFY(Updated(dlg, runs));
    QCOMPARE(PaneColumn(dlg, 1), QStringList({"A1.txt", "A2.txt", "B2.txt", "C.txt", "D2.txt"}));
    QCOMPARE(std::u16string(folder.list.newName(1)), u"a2.txt");  // the list itself never changes
}

void CommandInputPreviewTest::refusedInputShowsItsMessageAtOnce_data() {
    QTest::addColumn<int>("command");
    QTest::addColumn<int>("item");
    QTest::addColumn<QString>("arg1");
    QTest::addColumn<QString>("arg2");
    QTest::addColumn<int>("message");
    QTest::addColumn<bool>("problem");
    QTest::newRow("wildcard alone") << int(CmdReplace) << 0 << "*" << "" << int(text::InvalidWildcardUsage) << true;
    QTest::newRow("unpaired wildcards") << int(CmdReplace) << 0 << "*.txt" << "*_*.txt"
                                        << int(text::WildcardsNotPaired) << true;
    QTest::newRow("forbidden character") << int(CmdAddPrefix) << 0 << "a/b" << "" << int(text::ForbiddenCharacters)
                                         << true;
    // The check the window makes after OK, here before it.
    QTest::newRow("positions the wrong way") << int(CmdRemove) << 0 << "5" << "2" << int(text::InvalidPositions)
                                             << true;
    QTest::newRow("silent refusal") << int(CmdRemove) << 0 << "0" << "0" << int(text::InputPreviewIncomplete)
                                    << false;
}

void CommandInputPreviewTest::refusedInputShowsItsMessageAtOnce() {
    QFETCH(int, command);
    QFETCH(int, item);
    QFETCH(QString, arg1);
    QFETCH(QString, arg2);
    QFETCH(int, message);
    QFETCH(bool, problem);
    Folder folder;
    PreviewDialog p(command, folder.list, true);
    CommandInputDialog& dlg = p.dlg;
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    dlg.selector()->setCurrentIndex(item);
    dlg.field1()->setPlainText(arg1);
    dlg.field2()->setPlainText(arg2);
    QCoreApplication::processEvents();  // one turn of the event loop, no waiting
    QCOMPARE(dlg.previewPane()->caption()->text(), T(static_cast<text::TextId>(message)));
    QCOMPARE(dlg.previewPane()->caption()->styleSheet().isEmpty(), !problem);
    QCOMPARE(Table(dlg).rowCount(), 0);
    QVERIFY(dlg.isVisible());
}

// The pane says what OK would refuse with, details included, and shows what
// a pattern makes of the rows once it is whole.
void CommandInputPreviewTest::aRegularExpressionIsPreviewedAndItsErrorNamesThePosition() {
    Folder folder;
    PreviewDialog p(CmdReplace, folder.list, true);
    CommandInputDialog& dlg = p.dlg;
    dlg.setInitialInput(sub::RegexReplace, {}, {});
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    dlg.field1()->setPlainText("([a-c])(\\d");
    dlg.field2()->setPlainText("\\U$1\\E_$2");
    QCoreApplication::processEvents();
    QCOMPARE(dlg.previewPane()->caption()->text(),
             QString("The regular expression is invalid at character 11:\nmissing closing parenthesis"));
    QCOMPARE(Table(dlg).rowCount(), 0);

    const int runs = dlg.previewRuns();
    dlg.field1()->setPlainText("([a-c])(\\d)");
    QVERIFY(Updated(dlg, runs));
    QCOMPARE(PaneColumn(dlg, 1), QStringList({"A_1.txt", "A_2.txt", "B_2.txt", "c.txt", "d2.txt"}));
}

void CommandInputPreviewTest::closedPaneLeavesTheDialogAsItWas() {
    Folder folder;
    AppSettings settings;
    RecordingHost host;
    CommandInputDialog plain(CmdReplace, settings, host);  // as the preset editor opens it: no preview
    plain.show();
    PreviewDialog p(CmdReplace, folder.list, false);
    CommandInputDialog& dlg = p.dlg;
    QVERIFY(QTest::qWaitForWindowExposed(&plain) && QTest::qWaitForWindowExposed(&dlg));
    QVERIFY(plain.previewBox()->isHidden());
    QVERIFY(dlg.previewBox()->isVisible() && !dlg.previewBox()->isChecked());
    QVERIFY(dlg.previewPane()->isHidden());
    QCOMPARE(dlg.size(), plain.size());
    QCOMPARE(dlg.minimumSize(), plain.minimumSize());
    auto controls = [](CommandInputDialog& d) {
        return QList<QRect>{GeometryOf(d.selector()), GeometryOf(d.label1()), GeometryOf(d.field1()),
                            GeometryOf(d.label2()),   GeometryOf(d.field2()), GeometryOf(d.okButton()),
                            GeometryOf(d.cancelButton())};
    };
    QCOMPARE(controls(dlg), controls(plain));
    // The box sits left of OK, in the row of the buttons.
    QVERIFY(dlg.previewBox()->geometry().right() < dlg.okButton()->x());
    QCOMPARE(dlg.previewBox()->geometry().center().y(), dlg.okButton()->geometry().center().y());

    // Alt+P opens the pane below the fields, which keep their place and size.
    const QSize closed = dlg.size();
    dlg.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&dlg));
    QTest::keyClick(dlg.field1(), Qt::Key_P, Qt::AltModifier);
    QTRY_VERIFY(dlg.previewBox()->isChecked());  // the toolkit animates a click by its access letter
    QCOMPARE(QApplication::focusWidget(), dlg.field1());  // typing goes on where it was
    QVERIFY(dlg.previewPane()->isVisible());
    QVERIFY(dlg.height() > closed.height() + 8 * Table(dlg).verticalHeader()->defaultSectionSize());
    QCOMPARE(controls(dlg).mid(0, 5), controls(plain).mid(0, 5));
    QVERIFY(dlg.previewPane()->geometry().top() > dlg.field2()->geometry().bottom());
    QVERIFY(dlg.previewPane()->geometry().bottom() < dlg.okButton()->y());
    QCOMPARE(dlg.previewPane()->caption()->text(), T(text::InputPreviewIncomplete));  // Find what is still empty
    dlg.previewBox()->click();
    QCOMPARE(dlg.size(), closed);
    QCOMPARE(controls(dlg), controls(plain));
}

void CommandInputPreviewTest::theOpenPaneIsRememberedAndTheStoredRectIsTheClosedOne() {
    Folder folder;
    AppSettings settings;
    RecordingHost host;
    QSize closed;
    {
        CommandInputDialog dlg(CmdReplace, settings, host);
        dlg.setPreviewList(folder.list);
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        closed = dlg.size();
        dlg.previewBox()->click();
        QCOMPARE(settings.InputPreview, 1);
        dlg.reject();
        QCOMPARE(ToQRect(settings.RectInput).size(), closed);
    }
    {
        CommandInputDialog dlg(CmdAddPrefix, settings, host);
        dlg.setPreviewList(folder.list);
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        QVERIFY(dlg.previewBox()->isChecked() && dlg.previewPane()->isVisible());
        QVERIFY(Table(dlg).columnWidth(0) > dlg.width() / 4);  // laid out before the first show too
        QVERIFY(dlg.height() > closed.height());
        QCOMPARE(dlg.width(), closed.width());
        QCOMPARE(dlg.geometry().x(), ToQRect(settings.RectInput).x());
        QTest::keyClicks(dlg.field1(), "new_");
        QTest::keyClick(dlg.field1(), Qt::Key_Return);
        QVERIFY(!dlg.isVisible());
        QCOMPARE(ToQRect(settings.RectInput).size(), closed);
        QCOMPARE(settings.InputPreview, 1);
    }
}

void CommandInputPreviewTest::cancelLeavesTheListAndOkAppliesAsBefore() {
    WindowWithFiles f({"a.txt", "b.txt"});
    f.app.settings.InputPreview = 1;
    for (bool ok : {false, true}) {
        QStringList shown;
        WhenModalOpens<CommandInputDialog>([&](CommandInputDialog* d) {
            const int runs = d->previewRuns();
            QTest::keyClicks(d->field1(), "a");
            QTest::keyClicks(d->field2(), "x");
            if (Updated(*d, runs)) shown = PaneColumn(*d, 1);
            ok ? d->okButton()->click() : d->cancelButton()->click();
        });
        f.w().runCommand(menu::Replace);
        QCOMPARE(shown, QStringList({"x.txt", "b.txt"}));
        QCOMPARE(f.column(1), ok ? QStringList({"x.txt", "b.txt"}) : QStringList({"a.txt", "b.txt"}));
    }
}

QTEST_MAIN(CommandInputPreviewTest)
#include "command_input_preview_test.moc"
