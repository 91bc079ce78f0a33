// The dispatcher, the greying and the keys of the main window, and the list
// commands it carries out through its dialogs.
#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSet>
#include <QScrollBar>
#include <QTest>
#include <QToolButton>
#include <QUrl>

#include "ModalHelpers.h"
#include "WindowTestSupport.h"
#include "app/VirtualKeys.h"
#include "base/MenuIds.h"
#include "base/StringTable.h"
#include "run/CommandCatalogue.h"
#include "ui/widgets/ArgumentField.h"
#include "ui/dialogs/CommandInputDialog.h"
#include "ui/widgets/CommandPanel.h"
#include "ui/mainwindow/MenuLayout.h"
#include "ui/dialogs/MessageDialog.h"
#include "ui/dialogs/SortDialog.h"

using namespace quirnel;
using namespace quirnel::test;

class WindowCommandsTest : public QObject {
    Q_OBJECT
private slots:
    void everyMenuCommandHasARouteAndCaptions();
    void greyedCommandsNeitherShowNorRun_data();
    void greyedCommandsNeitherShowNorRun();
    void hotkeysMatchTheTable();
    void ctrlNumberInTheInputDialogStaysThere();
    void logPaneKeepsTheKeysOfReading();
    void shiftChangesWhatPanelButtonsDo();
    void deleteRemovesTheSelectedRows();
    void inputReachesTheCommandCleanedOrNotAtAll_data();
    void inputReachesTheCommandCleanedOrNotAtAll();
    void editNameByDoubleClick();
    void keysWorkFromTheStartAndF2EditsTheCurrentRow();
    void onlyChangedRowsHidesTheRestButCommandsActOnAll();
    void pickersStartWhereTheUserIs();
    void everyItemAndDialogControlHasItsOwnAccessLetter();
    void moveKeepsSelectionAndScrollsToTheRow();
    void headerClicksSortAndTurnTheArrow();
    void sortDialogStoresAndSorts();
    void clipboardFileListWinsOverItsText();
    void namesGoToAFileAndComeBack();
    void menuTextsCarryHotkeysAndPresetNames();
    void languageSwitchYesCloses();
};

namespace {

// The state a window is put in before a key is pressed.
enum State { Empty, Rows, Selected };

}  // namespace

Q_DECLARE_METATYPE(State)

// A command of the catalogue or an item of the menu bar without a handler or a
// caption in both languages would be a dead button or a blank menu line.
void WindowCommandsTest::everyMenuCommandHasARouteAndCaptions() {
    for (const CommandInfo& info : Commands()) {
        QVERIFY2(MainWindow::hasRoute(info.menuCommand), qPrintable(QString::number(info.id)));
        if (info.altMenuCommand != 0) QVERIFY(MainWindow::hasRoute(info.altMenuCommand));
    }
    const UiLanguage before = CurrentUiLanguage();
    for (UiLanguage language : {UiLanguage::English, UiLanguage::Korean}) {
        SetUiLanguage(language);
        std::vector<MenuEntry> entries = LanguageSubmenu();
        for (const MenuPopup& popup : MenuBarLayout())
            entries.insert(entries.end(), popup.entries.begin(), popup.entries.end());
        for (const MenuEntry& e : entries) {
            if (e.command <= 0) continue;
            const QString id = QString::number(e.command);
            QVERIFY2(MainWindow::hasRoute(e.command), qPrintable(id));
            QVERIFY2(!MenuCaption(e.command).isEmpty(), qPrintable(id));
        }
        for (const CommandInfo& info : Commands()) QVERIFY(!MenuCaption(info.menuCommand).isEmpty());
    }
    SetUiLanguage(before);
}

void WindowCommandsTest::greyedCommandsNeitherShowNorRun_data() {
    QTest::addColumn<State>("state");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("mods");
    QTest::addColumn<int>("command");
    QTest::addColumn<bool>("runs");
    const int ctrl = Qt::ControlModifier, shift = Qt::ShiftModifier, ctrlShift = ctrl | shift;
    struct Key {
        const char* name;
        int key, mods, command;
        bool runs[3];  // empty list, rows, rows with a selection
    };
    const Key keys[] = {
        {"Ctrl+S apply", Qt::Key_S, ctrl, menu::ApplyChanges, {false, true, true}},
        {"Ctrl+Z undo", Qt::Key_Z, ctrl, menu::UndoChanges, {false, true, true}},
        {"Ctrl+Shift+Z undo selected", Qt::Key_Z, ctrlShift, menu::UndoSelectedOnly, {false, false, true}},
        {"Delete removes", Qt::Key_Delete, 0, menu::RemoveSelected, {false, false, true}},
        {"comma moves up", Qt::Key_Comma, 0, menu::MoveUp, {false, false, true}},
        {"Ctrl+1 replace", Qt::Key_1, ctrl, menu::Replace, {false, true, true}},
        {"Shift+1 empty ext", Qt::Key_Exclam, shift, menu::EmptyExt, {false, true, true}},
        {"Ctrl+C copies names", Qt::Key_C, ctrl, menu::CopyNewNames, {false, true, true}},
        {"Ctrl+Shift+V pastes paths", Qt::Key_V, ctrlShift, menu::PastePaths, {true, true, true}},
        {"Ctrl+R sort", Qt::Key_R, ctrl, menu::SortList, {false, true, true}},
        {"F1 empty preset", Qt::Key_F1, 0, menu::ApplyPreset1, {false, false, false}},
        {"F2 preset with a task", Qt::Key_F2, 0, menu::ApplyPreset1 + 1, {true, true, true}},
    };
    const char* states[] = {"empty", "rows", "selected"};
    for (const Key& k : keys)
        for (State s : {Empty, Rows, Selected})
            QTest::addRow("%s, %s", k.name, states[s]) << s << k.key << k.mods << k.command << k.runs[s];
}

// The menu's enabled state, the panel's and what a hotkey does all follow
// one table; a greyed command's hotkey does nothing.
void WindowCommandsTest::greyedCommandsNeitherShowNorRun() {
    QFETCH(State, state);
    QFETCH(int, key);
    QFETCH(int, mods);
    QFETCH(int, command);
    QFETCH(bool, runs);
    WindowWithFiles f(state == Empty ? std::vector<std::string>{} : std::vector<std::string>{"a.txt", "b.txt"});
    TestWindow& w = f.w();
    f.app.presets[1].Tasks.push_back({CmdEmptyName, 0, u"", u""});
    f.app.presets[1].AutoApply = 1;  // so that it shows even on an empty list
    for (int r = 0; r < w.workspace().list.size(); ++r) w.workspace().list.setNewName(r, u"proposed" + std::u16string(1, u'0' + r) + u".txt");
    if (state == Selected) f.select({1});
    f.dir.file("c.txt", "");
    const QString clip = QString::fromStdString(f.path("c.txt"));
    QGuiApplication::clipboard()->setText(clip);

    QAction* action = w.action(command);
    QVERIFY(action);
    for (QMenu* menu : w.menuBar()->findChildren<QMenu*>()) emit menu->aboutToShow();
    QCOMPARE(action->isEnabled(), runs);
    if (QToolButton* button = w.leftPanel()->button(command) ? w.leftPanel()->button(command)
                                                             : w.rightPanel()->button(command))
        QCOMPARE(button->isEnabled(), runs);

    ModalCatcher modals;
    const QStringList namesBefore = f.column(1), orderBefore = f.column(0), logBefore = f.logLines();
    f.list()->setFocus();
    Press(f.list(), Qt::Key(key), Qt::KeyboardModifiers(mods));
    QTRY_VERIFY(!w.busy());
    QTest::qWait(20);
    // What ran shows: a dialog opened, the rows, their names, the clipboard or the log changed.
    const bool ran = !modals.opened.isEmpty() || f.column(1) != namesBefore || f.column(0) != orderBefore ||
                     QGuiApplication::clipboard()->text() != clip || f.logLines() != logBefore;
    QCOMPARE(ran, runs);
    QVERIFY(w.isVisible());
}

void WindowCommandsTest::hotkeysMatchTheTable() {
    WindowWithFiles f({"a.txt", "b.txt", "c.txt"});
    TestWindow& w = f.w();
    NameList& list = w.workspace().list;
    auto propose = [&] {
        for (int r = 0; r < 3; ++r) list.setNewName(r, u"x" + std::u16string(1, char16_t(u'0' + r)));
    };

    // Ctrl+Z resets every row, Ctrl+Shift+Z the selected ones only.
    propose();
    f.select({1});
    Press(f.list(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(f.column(1), QStringList({"x0", "b.txt", "x2"}));
    Press(f.list(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(f.column(1), QStringList({"a.txt", "b.txt", "c.txt"}));

    // F1 given to Apply Changes too: preset 1 has the lower id and keeps it.
    f.app.presets[0].Tasks.push_back({CmdEmptyName, 0, u"", u""});
    f.app.hotkeys.at(menu::ApplyChanges) = {menu::ApplyChanges, vk::F1, 0, 0};
    ModalCatcher modals;
    Press(f.list(), Qt::Key_F1);
    QCOMPARE(f.column(1), QStringList({".txt", ".txt", ".txt"}));
    QVERIFY(modals.opened.isEmpty());  // no apply-mode chooser

    // The keys match wherever the focus is in the window, the log pane too.
    w.logPane()->setFocus();
    Press(w.logPane(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(f.column(1), QStringList({"a.txt", "b.txt", "c.txt"}));

    // Alt combinations and F10 never match, even when a hotkey names them.
    f.app.hotkeys.at(menu::EmptyName) = {menu::EmptyName, vk::F1 + 9, 0, 0};
    f.app.hotkeys.at(menu::EmptyExt) = {menu::EmptyExt, '1', 0, 0};
    Press(f.list(), Qt::Key_F10);
    Press(f.list(), Qt::Key_1, Qt::AltModifier);
    QCOMPARE(f.column(1), QStringList({"a.txt", "b.txt", "c.txt"}));
    Press(f.list(), Qt::Key_1);  // the same key without Alt does match
    QCOMPARE(f.column(1), QStringList({"a", "b", "c"}));

    // Enter in the list does nothing; the window stays.
    f.select({0});
    f.list()->setCurrentIndex(f.model()->index(0, 0));
    Press(f.list(), Qt::Key_Return);
    QTest::qWait(20);
    QVERIFY(modals.opened.isEmpty());
    QVERIFY(w.isVisible());
    QCOMPARE(f.model()->rowCount(), 3);
}

// Selecting and copying in the log pane act on its text, not on the list,
// although Ctrl+C is also the hotkey of Copy New Names.
void WindowCommandsTest::logPaneKeepsTheKeysOfReading() {
    WindowWithFiles f({"a.txt", "b.txt"});
    TestWindow& w = f.w();
    QClipboard* clip = QGuiApplication::clipboard();
    clip->setText("before");
    w.logPane()->setFocus();
    Press(w.logPane(), Qt::Key_A, Qt::ControlModifier);
    Press(w.logPane(), Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(clip->text(), w.logPane()->toPlainText());
    QVERIFY(clip->text().contains("] Added 2 item(s) to the list."));
    QVERIFY(f.list()->selectionModel()->selectedRows().isEmpty());  // Ctrl+A did not select the rows

    Press(w.logPane(), Qt::Key_Home, Qt::ControlModifier);
    Press(w.logPane(), Qt::Key_End, Qt::ShiftModifier);  // the first line only
    Press(w.logPane(), Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(clip->text(), f.logLines().first());

    f.list()->setFocus();
    Press(f.list(), Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(clip->text().split("\r\n").mid(0, 2), QStringList({"a.txt", "b.txt"}));
}

void WindowCommandsTest::ctrlNumberInTheInputDialogStaysThere() {
    WindowWithFiles f({"a.txt"});
    int chosen = -1;
    bool stillOpen = false;
    WhenModalOpens<CommandInputDialog>([&](CommandInputDialog* d) {
        QTest::keyClick(d->field1(), Qt::Key_3, Qt::ControlModifier);
        chosen = d->selector()->currentIndex();
        stillOpen = QApplication::activeModalWidget() == d;
        d->reject();
    });
    Press(f.list(), Qt::Key_1, Qt::ControlModifier);  // Replace
    QCOMPARE(chosen, 2);                              // "3) Convert to lowercase"
    QVERIFY(stillOpen);                               // and not Add Suffix of the main window
    QCOMPARE(f.column(1), QStringList({"a.txt"}));
}

// Undo with Shift resets the selected rows only; Clear with Shift empties the
// list without its dialog.
void WindowCommandsTest::shiftChangesWhatPanelButtonsDo() {
    WindowWithFiles f({"a.txt", "b.txt"});
    TestWindow& w = f.w();
    w.workspace().list.setNewName(0, u"x.txt");
    w.workspace().list.setNewName(1, u"y.txt");
    f.select({1});
    QTest::mouseClick(w.rightPanel()->button(menu::UndoChanges), Qt::LeftButton, Qt::ShiftModifier);
    QCOMPARE(f.column(1), QStringList({"x.txt", "b.txt"}));
    QTest::mouseClick(w.rightPanel()->button(menu::UndoChanges), Qt::LeftButton);
    QCOMPARE(f.column(1), QStringList({"a.txt", "b.txt"}));

    ModalCatcher modals;
    QTest::mouseClick(w.rightPanel()->button(menu::ClearOrFilterList), Qt::LeftButton, Qt::ShiftModifier);
    QCOMPARE(f.model()->rowCount(), 0);
    QVERIFY(modals.opened.isEmpty());
    QVERIFY(!w.rightPanel()->button(menu::ClearOrFilterList)->isEnabled());
}

void WindowCommandsTest::deleteRemovesTheSelectedRows() {
    WindowWithFiles f({"a.txt", "b.txt", "c.txt", "d.txt"});
    f.select({0, 2});
    Press(f.list(), Qt::Key_Delete);
    QCOMPARE(f.column(0), QStringList({"b.txt", "d.txt"}));
    QVERIFY(f.w().logPane()->toPlainText().endsWith("] Removed 2 item(s) from the list."));

    Press(f.list(), Qt::Key_A, Qt::ControlModifier);  // the list's own Select All
    Press(f.list(), Qt::Key_Delete);
    QCOMPARE(f.model()->rowCount(), 0);
    QVERIFY(f.w().logPane()->toPlainText().endsWith("] Removed 2 item(s) from the list."));
    f.add({"a.txt", "b.txt", "c.txt", "d.txt"});  // every removed path can come back
    QCOMPARE(f.model()->rowCount(), 4);
}

void WindowCommandsTest::inputReachesTheCommandCleanedOrNotAtAll_data() {
    QTest::addColumn<int>("command");
    QTest::addColumn<int>("item");  // 1-based, as Ctrl+number picks it
    QTest::addColumn<QString>("arg1");
    QTest::addColumn<QString>("arg2");
    QTest::addColumn<QStringList>("newNames");
    QTest::addColumn<QString>("boxText");  // a plain message box after the dialog closed
    const QStringList unchanged = {"a1.txt", "b22.txt"};
    QTest::newRow("prefix, tab removed") << int(menu::AddPrefix) << 1 << "x\ty" << "" << QStringList{"xya1.txt", "xyb22.txt"}
                                         << "";
    QTest::newRow("positions the wrong way round") << int(menu::Remove) << 1 << "5" << "2" << unchanged
                                                   << "Invalid positions";
    QTest::newRow("empty pattern refused silently") << int(menu::Replace) << 1 << "" << "z" << unchanged << "";
    QTest::newRow("too many digits") << int(menu::MatchDigits) << 1 << "11" << "" << unchanged
                                     << "Invalid digit length (Maximum digit length is 10)";
    QTest::newRow("numbers from 7") << int(menu::AddNumbers) << 1 << "2" << "7" << QStringList{"a107.txt", "b2208.txt"}
                                    << "";
}

void WindowCommandsTest::inputReachesTheCommandCleanedOrNotAtAll() {
    QFETCH(int, command);
    QFETCH(int, item);
    QFETCH(QString, arg1);
    QFETCH(QString, arg2);
    QFETCH(QStringList, newNames);
    QFETCH(QString, boxText);
    WindowWithFiles f({"a1.txt", "b22.txt"});
    MessageBoxCatcher boxes;
    WhenModalOpens<CommandInputDialog>([=](CommandInputDialog* d) {
        QTest::keyClick(d->field1(), Qt::Key(Qt::Key_0 + item), Qt::ControlModifier);
        d->field1()->setPlainText(arg1);
        d->field2()->setPlainText(arg2);
        QTest::keyClick(d->okButton(), Qt::Key_Return);
    });
    f.w().runCommand(command);
    QCOMPARE(f.column(1), newNames);
    QCOMPARE(boxes.texts, boxText.isEmpty() ? QStringList() : QStringList{boxText});
}

void WindowCommandsTest::editNameByDoubleClick() {
    WindowWithFiles f({"a.txt", "b.txt", "c.txt"});
    QString offered;
    WhenModalOpens<CommandInputDialog>([&](CommandInputDialog* d) {
        offered = d->field1()->toPlainText();
        d->field1()->setPlainText("b/new.txt");  // NameAutoFix removes the /
        QTest::keyClick(d->okButton(), Qt::Key_Return);
    });
    f.app.settings.NameAutoFix = 1;
    QRect cell = f.list()->visualRect(f.model()->index(1, 1));
    QTest::mouseClick(f.list()->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(f.list()->viewport(), Qt::LeftButton, {}, cell.center());
    QTRY_COMPARE(f.column(1), QStringList({"a.txt", "bnew.txt", "c.txt"}));
    QCOMPARE(offered, QString("b.txt"));

    // With nothing selected Edit Name is greyed and a double click on empty space does nothing.
    f.list()->clearSelection();
    ModalCatcher modals;
    QTest::mouseDClick(f.list()->viewport(), Qt::LeftButton, {}, QPoint(5, f.list()->viewport()->height() - 3));
    QTest::qWait(30);
    QVERIFY(modals.opened.isEmpty());
}

// The list has the focus once the window is up: Down moves, F2 edits the
// current row alone, whatever else is selected, while preset 2 that has F2
// by default has no tasks.
void WindowCommandsTest::keysWorkFromTheStartAndF2EditsTheCurrentRow() {
    WindowWithFiles f({"a.txt", "b.txt", "c.txt"});
    QVERIFY(QTest::qWaitForWindowActive(&f.w()));
    QCOMPARE(QApplication::focusWidget(), f.list());
    Press(f.list(), Qt::Key_Down);
    Press(f.list(), Qt::Key_Down);
    QCOMPARE(f.list()->currentIndex().row(), 1);
    f.list()->selectionModel()->select(f.model()->index(2, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);

    QString offered;
    WhenModalOpens<CommandInputDialog>([&](CommandInputDialog* d) {
        offered = d->field1()->toPlainText();
        d->field1()->setPlainText("new.txt");
        d->okButton()->click();
    });
    Press(f.list(), Qt::Key_F2);
    QCOMPARE(offered, QString("b.txt"));
    QCOMPARE(f.column(1), QStringList({"a.txt", "new.txt", "c.txt"}));

    // F2 given to a command that can run is that command's.
    f.app.hotkeys[menu::ApplyPreset1 + 1] = {menu::ApplyPreset1 + 1, 0, 0, 0};
    f.app.hotkeys[menu::SortList] = {menu::SortList, vk::F1 + 1, 0, 0};
    bool sortOpened = false;
    WhenModalOpens<SortDialog>([&](SortDialog* d) {
        sortOpened = true;
        d->reject();
    });
    Press(f.list(), Qt::Key_F2);
    QVERIFY(sortOpened);
}

void WindowCommandsTest::onlyChangedRowsHidesTheRestButCommandsActOnAll() {
    WindowWithFiles f({"a", "b", "c", "d"});
    TestWindow& w = f.w();
    w.workspace().list.setNewName(2, u"x");
    w.runCommand(menu::ShowChangedOnly);
    QVERIFY(w.action(menu::ShowChangedOnly)->isChecked());
    QCOMPARE(f.column(0), QStringList({"c"}));
    QCOMPARE(w.statusLine()->text(), QString("Number of items : 4  (3 unchanged rows hidden)"));

    // A view row selects the list row it shows; Move Down moves that row.
    f.select({0});
    QVERIFY(w.workspace().list.selected(2) && !w.workspace().list.selected(0));
    w.runCommand(menu::MoveDown);
    QCOMPARE(QString::fromStdU16String(std::u16string(w.workspace().list.oldName(3))), QString("c"));
    QCOMPARE(f.column(0), QStringList({"c"}));
    QVERIFY(f.list()->selectionModel()->isRowSelected(0, {}));

    // A command over every row: all of them change, none is hidden.
    w.runCommand(menu::EmptyName);
    QCOMPARE(f.column(0), QStringList({"a", "b", "d", "c"}));
    QCOMPARE(w.statusLine()->text(), QString("Number of items : 4"));
    w.runCommand(menu::UndoChanges);
    QCOMPARE(f.model()->rowCount(), 0);
    QCOMPARE(w.statusLine()->text(), QString("Number of items : 4  (4 unchanged rows hidden)"));

    w.runCommand(menu::ShowChangedOnly);
    QCOMPARE(f.column(0), QStringList({"a", "b", "d", "c"}));
    QCOMPARE(w.statusLine()->text(), QString("Number of items : 4"));
}

// Adding files and Change Folder start in the folder of the current row;
// the preset group pickers start where the last one ended.
void WindowCommandsTest::pickersStartWhereTheUserIs() {
    WindowWithFiles f({"one/a", "two/b"});
    TestWindow& w = f.w();
    f.select({1});
    f.list()->setCurrentIndex(f.model()->index(1, 0));
    QString started;
    WhenModalOpens<QFileDialog>([&](QFileDialog* d) {
        started = d->directory().absolutePath();
        d->reject();
    });
    w.runCommand(menu::AddFiles);
    QCOMPARE(started, QString::fromStdString(f.path("two")));

    f.select({0});
    WhenModalOpens<CommandInputDialog>([&](CommandInputDialog* d) {
        started = d->field1()->toPlainText();
        d->reject();
    });
    w.runCommand(menu::ChangeFolder);
    QCOMPARE(started, QString::fromStdString(f.path("one")));

    f.dir.folder("groups");
    WhenModalOpens<QFileDialog>([&](QFileDialog* d) { AcceptFileDialog(d, QString::fromStdString(f.path("groups/mine.qpx"))); });
    w.runCommand(menu::ExportPresetGroup);
    QVERIFY(QFile::exists(QString::fromStdString(f.path("groups/mine.qpx"))));
    WhenModalOpens<QFileDialog>([&](QFileDialog* d) {
        started = d->directory().absolutePath();
        d->reject();
    });
    w.runCommand(menu::ImportPresetGroup);
    QCOMPARE(started, QString::fromStdString(f.path("groups")));
}

// Letters are unique within each menu; Korean texts carry them as "(&X)"
// after the words. A dialog the window opens has them on its controls.
void WindowCommandsTest::everyItemAndDialogControlHasItsOwnAccessLetter() {
    struct BackToEnglish {
        ~BackToEnglish() { SetUiLanguage(UiLanguage::English); }
    } back;
    for (UiLanguage language : {UiLanguage::English, UiLanguage::Korean}) {
        SetUiLanguage(language);
        AppState app;
        TempDir dir;
        dir.file("a", "");
        TestWindow w(app);
        w.addPaths({dir.u16("a")});
        for (QMenu* menu : w.menuBar()->findChildren<QMenu*>()) {
            QSet<QChar> letters;
            for (QAction* a : menu->actions()) {
                if (a->isSeparator()) continue;
                const QString shown = a->text().section('\t', 0, 0);
                const qsizetype at = shown.indexOf(QRegularExpression("&[^&]"));
                QVERIFY2(at >= 0, qPrintable(shown));
                QVERIFY2(!letters.contains(shown[at + 1].toUpper()), qPrintable(shown));
                letters.insert(shown[at + 1].toUpper());
                const bool hangul = shown.contains(QRegularExpression("[\\x{AC00}-\\x{D7A3}]"));
                if (hangul && !shown[at + 1].isDigit())
                    QVERIFY2(shown.contains(QRegularExpression("\\(&[A-Z0-9]\\)(\\.*)$")), qPrintable(shown));
            }
        }
        QStringList buttons;
        WhenModalOpens<SortDialog>([&](SortDialog* d) {
            for (QAbstractButton* b : d->findChildren<QAbstractButton*>()) buttons << b->text();
            d->reject();
        });
        w.runCommand(menu::SortList);
        QVERIFY(!buttons.isEmpty());
        for (const QString& text : buttons) QVERIFY2(text.contains(QRegularExpression("&[^&]")), qPrintable(text));
    }
}

void WindowCommandsTest::moveKeepsSelectionAndScrollsToTheRow() {
    std::vector<std::string> files;
    for (int i = 0; i < 200; ++i) files.push_back(std::string("f") + char('0' + i / 100) + char('0' + i / 10 % 10) +
                                                  char('0' + i % 10));
    WindowWithFiles f(files);
    f.select({150, 151});
    f.list()->setCurrentIndex(f.model()->index(151, 0));
    f.list()->selectionModel()->select(f.model()->index(150, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    f.list()->scrollToTop();
    Press(f.list(), Qt::Key_Comma);  // Move Up
    QCOMPARE(f.cell(149, 0), QString("f150"));
    QCOMPARE(f.cell(150, 0), QString("f151"));
    QCOMPARE(f.cell(151, 0), QString("f149"));
    QModelIndexList rows = f.list()->selectionModel()->selectedRows();
    QCOMPARE(rows.size(), 2);
    QCOMPARE(std::min(rows[0].row(), rows[1].row()), 149);
    QCOMPARE(f.list()->currentIndex().row(), 150);
    QVERIFY(f.list()->viewport()->rect().intersects(f.list()->visualRect(f.model()->index(149, 0))));

    Press(f.list(), Qt::Key_Period);  // Move Down brings them back
    QCOMPARE(f.cell(150, 0), QString("f150"));
    QCOMPARE(f.cell(151, 0), QString("f151"));
}

void WindowCommandsTest::headerClicksSortAndTurnTheArrow() {
    WindowWithFiles f({"b10.txt", "b9.txt", "a.txt"});
    QHeaderView* header = f.list()->horizontalHeader();
    auto click = [&](int column) {
        QRect r(header->sectionViewportPosition(column), 0, header->sectionSize(column), header->height());
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, r.center());
    };
    click(0);  // Old Name is the sorted column (SortColumn 0, ascending): descending now
    QCOMPARE(f.column(0), QStringList({"b10.txt", "b9.txt", "a.txt"}));
    QCOMPARE(header->sortIndicatorSection(), 0);
    QCOMPARE(header->sortIndicatorOrder(), Qt::DescendingOrder);
    click(0);
    QCOMPARE(f.column(0), QStringList({"a.txt", "b9.txt", "b10.txt"}));
    QCOMPARE(header->sortIndicatorOrder(), Qt::AscendingOrder);
    click(1);  // another column starts ascending
    QCOMPARE(header->sortIndicatorSection(), 1);
    QCOMPARE(header->sortIndicatorOrder(), Qt::AscendingOrder);
}

void WindowCommandsTest::sortDialogStoresAndSorts() {
    WindowWithFiles f({"small", "large", "middle"});
    f.w().workspace().list.setNewName(0, u"z");
    WhenModalOpens<SortDialog>([](SortDialog* d) {
        d->columnBox()->setCurrentIndex(1);  // New Name
        d->descendingButton()->setChecked(true);
        d->accept();
    });
    f.w().runCommand(menu::SortList);
    QCOMPARE(f.column(1), QStringList({"z", "middle", "large"}));
    QCOMPARE(f.app.settings.SortColumn, 1);
    QCOMPARE(f.app.settings.SortAscend, 0);
    QCOMPARE(f.list()->horizontalHeader()->sortIndicatorSection(), 1);
}

// A file manager puts a text form beside the copied files; the file list wins,
// and text lines that are file URLs are decoded like it.
void WindowCommandsTest::clipboardFileListWinsOverItsText() {
    WindowWithFiles f({"a.txt", "b.txt"});
    f.dir.file("new one.txt", "");
    f.dir.file("other.txt", "");
    auto* mime = new QMimeData;
    mime->setUrls({QUrl::fromLocalFile(QString::fromStdString(f.path("other.txt"))),
                   QUrl::fromLocalFile(QString::fromStdString(f.path("new one.txt")))});
    mime->setText("not a name\nat all");
    QGuiApplication::clipboard()->setMimeData(mime);
    f.w().runCommand(menu::PasteNewNames);
    QCOMPARE(f.column(1), QStringList({"new one.txt", "other.txt"}));  // in logical order

    QGuiApplication::clipboard()->setText(QUrl::fromLocalFile(QString::fromStdString(f.path("new one.txt"))).toString(
                                              QUrl::FullyEncoded) +
                                          "\r\n");
    f.w().runCommand(menu::PastePaths);
    QCOMPARE(f.model()->rowCount(), 3);
    QCOMPARE(f.cell(2, 0), QString("new one.txt"));

    f.w().runCommand(menu::CopyPaths);
    QCOMPARE(QGuiApplication::clipboard()->text().split("\r\n").size(), 3);
}

void WindowCommandsTest::namesGoToAFileAndComeBack() {
    WindowWithFiles f({"a.txt", "b.txt"});
    TestWindow& w = f.w();
    w.workspace().list.setNewName(0, u"first.txt");
    w.fileToSave = QString::fromStdString(f.path("names.txt"));
    w.runCommand(menu::SaveNewNames);
    QCOMPARE(w.fileTitles.last(), QString("Export new news as a file"));
    Press(f.list(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(f.column(1), QStringList({"a.txt", "b.txt"}));
    w.fileToOpen = w.fileToSave;
    w.runCommand(menu::LoadNewNames);
    QCOMPARE(w.fileTitles.last(), QString("Import new names from a file"));
    QCOMPARE(f.column(1), QStringList({"first.txt", "b.txt"}));

    w.fileToOpen.clear();  // cancelled: nothing changes
    w.runCommand(menu::LoadNewNames);
    QCOMPARE(f.column(1), QStringList({"first.txt", "b.txt"}));
}

void WindowCommandsTest::menuTextsCarryHotkeysAndPresetNames() {
    AppState app;
    app.presets[1].Name = u"Tom & Jerry";
    app.presets[1].Tasks.push_back({CmdEmptyName, 0, u"", u""});
    app.hotkeys.at(menu::ApplyPreset1 + 1) = {menu::ApplyPreset1 + 1, 'P', 1, 1};
    MainWindow w(app);
    QCOMPARE(w.action(menu::Replace)->text(), QString("&Replace...\tCtrl\uFF0B1"));
    QCOMPARE(w.action(menu::Version)->text(), QString("&Version...\t"));
    QCOMPARE(w.action(menu::Exit)->text(), QString("E&xit\tEsc"));
    QCOMPARE(w.action(menu::ApplyPreset1 + 1)->text(), QString("Apply Preset &2 : Tom && Jerry\tCtrl\uFF0BShift\uFF0BP"));
    QCOMPARE(w.action(menu::ApplyPreset1)->text(), QString("Apply Preset &1 : (No Name)\tF1"));
    QVERIFY(w.action(menu::ToggleLog));  // the log toggle in English too
    QCOMPARE(w.action(menu::PresetSettings)->text(), QString("&Preset Settings...\tF11"));
    QCOMPARE(w.leftPanel()->button(menu::Replace)->toolTip(), QString("Replace (Ctrl\uFF0B1)"));
    QCOMPARE(w.leftPanel()->button(menu::Replace)->focusPolicy(), Qt::NoFocus);
}

void WindowCommandsTest::languageSwitchYesCloses() {
    WindowWithFiles f;
    TestWindow& w = f.w();
    w.runCommand(menu::LanguageEnglish);  // the setting "default" follows the system: a change
    QVERIFY(w.asked == std::vector<Question>{Question::RestartForLanguage});
    QVERIFY(w.isVisible());  // No: keeps running, the choice is kept for the next start
    QCOMPARE(QString::fromStdU16String(f.app.settings.UILanguage), QString("english"));
    w.answer = [](Question, const QString&) { return true; };
    w.runCommand(menu::LanguageKorean);
    QCOMPARE(QString::fromStdU16String(f.app.settings.UILanguage), QString("korean"));
    QVERIFY(!w.isVisible());
}

QTEST_MAIN(WindowCommandsTest)
#include "window_commands_test.moc"
