#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QTest>
#include <QTreeWidget>

#include "../core/TestSupport.h"
#include "ModalHelpers.h"
#include "app/VirtualKeys.h"
#include "base/MenuIds.h"
#include "base/StringTable.h"
#include "ui/dialogs/HotkeyCaptureDialog.h"
#include "ui/dialogs/HotkeyOptionsDialog.h"

using namespace quirnel;
using quirnel::test::RecordingHost;
using quirnel::test::WhenModalOpens;

class HotkeyDialogsTest : public QObject {
    Q_OBJECT
private slots:
    void captureTakesModifiersButNotTabSpaceAltOrF10();
    void enterSavesAndEscCancels();
    void listShowsMenuTextsAndHotkeys();
    void doubleClickEditsAndMarksTheConflict();
    void clearShowsNoHotkey();
    void resetAsksFirst();
    void koreanCaptions();
};

namespace {

const QString kPlus = QString(QChar(0xFF0B));

// The key goes where a user's key goes: to the window, then its focused control.
void Press(QWidget* dialog, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(dialog->windowHandle(), key, modifiers);
}

MenuTexts SomeMenuTexts() {
    return {{menu::ApplyPreset1, "Apply Preset1 : (No Name)\tF1"},
            {menu::ApplyChanges, "&Apply Changes\tCtrl+S"},
            {menu::AddFiles, "Add Files..."},
            {menu::CopyNewNames, "Copy && Paste"}};
}

QTreeWidgetItem* RowOf(QTreeWidget* list, int32_t commandId) {
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        if (list->topLevelItem(i)->data(0, Qt::UserRole).toInt() == commandId) return list->topLevelItem(i);
    return nullptr;
}

// A shown hotkey list over a table of its own, with a host that answers No.
struct OpenList {
    OpenList() : dlg(table, SomeMenuTexts(), host) { dlg.show(); }
    bool active() { return QTest::qWaitForWindowActive(&dlg); }
    QString shown(int32_t id, int column) { return RowOf(dlg.list(), id)->text(column); }
    void select(int32_t id) { dlg.list()->setCurrentItem(RowOf(dlg.list(), id)); }
    HotkeyTable table = DefaultHotkeys();
    RecordingHost host{false};
    HotkeyOptionsDialog dlg;
};

}  // namespace

void HotkeyDialogsTest::captureTakesModifiersButNotTabSpaceAltOrF10() {
    // A shortcut of the whole application must not take a key from the capture.
    QWidget other;
    int shortcutRuns = 0;
    auto* shortcut = new QShortcut(QKeySequence("Ctrl+Shift+F5"), &other, [&] { ++shortcutRuns; });
    shortcut->setContext(Qt::ApplicationShortcut);
    other.show();

    HotkeyCaptureDialog dlg({menu::ApplyChanges, 'S', 1, 0}, "Apply Changes");
    dlg.show();
    QCOMPARE(dlg.commandLabel()->text(), QString("Hotkey of Apply Changes"));
    QVERIFY(QTest::qWaitForWindowActive(&dlg));
    QCOMPARE(dlg.field()->text(), "Ctrl" + kPlus + "S");
    QVERIFY(dlg.field()->hasFocus());

    struct Step {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        QString shown;
    };
    const Step steps[] = {
        {Qt::Key_F5, Qt::ControlModifier | Qt::ShiftModifier, "Ctrl" + kPlus + "Shift" + kPlus + "F5"},
        {Qt::Key_Tab, Qt::ControlModifier, "Ctrl" + kPlus + "Tab"},
        {Qt::Key_Space, Qt::ShiftModifier, "Shift" + kPlus + "Space"},
        {Qt::Key_X, Qt::AltModifier, "Shift" + kPlus + "Space"},  // Alt combinations are never captured
        {Qt::Key_F10, Qt::NoModifier, "Shift" + kPlus + "Space"},
        {Qt::Key_Shift, Qt::ShiftModifier, "Shift" + kPlus + "Space"},
        {Qt::Key_Control, Qt::ControlModifier, "Shift" + kPlus + "Space"},
        {Qt::Key_Exclam, Qt::ShiftModifier, "Shift" + kPlus + "1"},
        {Qt::Key_Home, Qt::NoModifier, "Home"},
    };
    for (const Step& step : steps) {
        QWidget* focused = QApplication::focusWidget();
        Press(&dlg, step.key, step.modifiers);
        QCOMPARE(dlg.field()->text(), step.shown);
        QCOMPARE(QApplication::focusWidget(), focused);  // Ctrl+Tab does not move the focus
        QVERIFY(dlg.isVisible());
    }
    QCOMPARE(dlg.record(), (HotkeyRecord{menu::ApplyChanges, vk::Home, 0, 0}));
    QCOMPARE(shortcutRuns, 0);

    // Tab and Shift+Tab walk the controls, Space presses the focused button.
    Press(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), dlg.saveButton());
    Press(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), dlg.cancelButton());
    Press(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(QApplication::focusWidget(), dlg.saveButton());
    QCOMPARE(dlg.field()->text(), "Home");
    dlg.cancelButton()->setFocus();
    Press(dlg.cancelButton(), Qt::Key_Space);
    QVERIFY(!dlg.isVisible());
    QCOMPARE(dlg.result(), int(QDialog::Rejected));
    QCOMPARE(dlg.record(), (HotkeyRecord{menu::ApplyChanges, vk::Home, 0, 0}));
}

void HotkeyDialogsTest::enterSavesAndEscCancels() {
    WhenModalOpens<HotkeyCaptureDialog>([](HotkeyCaptureDialog* d) {
        Press(d, Qt::Key_Q, Qt::ControlModifier);
        Press(d, Qt::Key_Return);
    });
    QCOMPARE(HotkeyCaptureDialog::capture({menu::AddFiles, 'O', 1, 0}, "Add Files...", nullptr),
             (HotkeyRecord{menu::AddFiles, 'Q', 1, 0}));

    WhenModalOpens<HotkeyCaptureDialog>([](HotkeyCaptureDialog* d) {
        Press(d, Qt::Key_Q);
        Press(d, Qt::Key_Escape);
    });
    QCOMPARE(HotkeyCaptureDialog::capture({menu::AddFiles, 'O', 1, 0}, "Add Files...", nullptr), std::nullopt);

    // Saved without a key press: the record stays as it was, even without a key.
    WhenModalOpens<HotkeyCaptureDialog>([](HotkeyCaptureDialog* d) { d->saveButton()->click(); });
    const HotkeyRecord none{menu::PathLoadOptions, 0, 0, 0};
    QCOMPARE(HotkeyCaptureDialog::capture(none, "Path Load Options...", nullptr), none);
}

void HotkeyDialogsTest::listShowsMenuTextsAndHotkeys() {
    OpenList open;
    QTreeWidget* list = open.dlg.list();
    QCOMPARE(list->topLevelItemCount(), 44);
    QCOMPARE(list->headerItem()->text(0), QString("Command"));
    QCOMPARE(list->headerItem()->text(1), QString("Hotkey"));
    QCOMPARE(list->topLevelItem(0)->data(0, Qt::UserRole).toInt(), menu::PresetSettings);
    QCOMPARE(list->topLevelItem(43)->data(0, Qt::UserRole).toInt(), menu::ClearListInstantly);
    QCOMPARE(open.shown(menu::ApplyPreset1, 0), QString("Apply Preset1 : (No Name)"));
    QCOMPARE(open.shown(menu::ApplyChanges, 0), QString("Apply Changes"));
    QCOMPARE(open.shown(menu::CopyNewNames, 0), QString("Copy & Paste"));
    QCOMPARE(open.shown(menu::PresetSettings, 0), QString());  // no menu text given
    QCOMPARE(open.shown(menu::ApplyChanges, 1), "Ctrl" + kPlus + "S");
    QCOMPARE(open.shown(menu::PathLoadOptions, 1), QString("(No Hotkey)"));
    for (int i = 0; i < 44; ++i) QCOMPARE(list->topLevelItem(i)->text(2), QString());
}

void HotkeyDialogsTest::doubleClickEditsAndMarksTheConflict() {
    OpenList open;
    QVERIFY(open.active());
    QTreeWidget* list = open.dlg.list();
    QTreeWidgetItem* row = RowOf(list, menu::ApplyChanges);
    const QPoint at = list->visualItemRect(row).center();
    QString named;
    WhenModalOpens<HotkeyCaptureDialog>([&named](HotkeyCaptureDialog* d) {
        named = d->commandLabel()->text();
        Press(d, Qt::Key_F1);
        Press(d, Qt::Key_Return);
    });
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);

    QCOMPARE(named, QString("Hotkey of Apply Changes"));  // the row's command, as the list shows it
    QCOMPARE(open.table.at(menu::ApplyChanges), (HotkeyRecord{menu::ApplyChanges, vk::F1, 0, 0}));
    QCOMPARE(open.shown(menu::ApplyChanges, 1), QString("F1"));
    // Both holders of F1 say so; only preset 1 runs by it.
    QVERIFY(open.shown(menu::ApplyChanges, 2).contains("Does nothing"));
    QVERIFY(open.shown(menu::ApplyChanges, 2).contains("Apply Preset1 : (No Name)"));
    QVERIFY(open.shown(menu::ApplyPreset1, 2).contains("Apply Changes"));
    QVERIFY(!open.shown(menu::ApplyPreset1, 2).contains("Does nothing"));
    const QIcon mark = RowOf(list, menu::ApplyChanges)->icon(1);
    QCOMPARE(mark.pixmap(16).toImage(), RowOf(list, menu::ApplyPreset1)->icon(1).pixmap(16).toImage());
    QVERIFY(mark.pixmap(16).toImage() != RowOf(list, menu::AddFiles)->icon(1).pixmap(16).toImage());
    QCOMPARE(open.shown(menu::AddFiles, 2), QString());

    // A second edit ends the conflict on both rows.
    open.select(menu::ApplyChanges);
    WhenModalOpens<HotkeyCaptureDialog>([](HotkeyCaptureDialog* d) {
        Press(d, Qt::Key_F12);
        d->saveButton()->click();
    });
    open.dlg.editButton()->click();
    QCOMPARE(open.shown(menu::ApplyChanges, 1), QString("F12"));
    QCOMPARE(open.shown(menu::ApplyChanges, 2), QString());
    QCOMPARE(open.shown(menu::ApplyPreset1, 2), QString());
}

void HotkeyDialogsTest::clearShowsNoHotkey() {
    OpenList open;
    open.dlg.clearButton()->click();  // nothing selected: nothing happens
    QCOMPARE(open.table, DefaultHotkeys());

    open.select(menu::UndoSelectedOnly);
    open.dlg.clearButton()->click();
    QCOMPARE(open.table.at(menu::UndoSelectedOnly), (HotkeyRecord{menu::UndoSelectedOnly, 0, 0, 0}));
    QCOMPARE(open.shown(menu::UndoSelectedOnly, 1), QString("(No Hotkey)"));
    QCOMPARE(open.table.at(menu::UndoChanges), DefaultHotkeys().at(menu::UndoChanges));
}

void HotkeyDialogsTest::resetAsksFirst() {
    OpenList open;
    open.select(menu::ApplyChanges);
    open.dlg.clearButton()->click();
    const HotkeyTable edited = open.table;

    open.dlg.resetButton()->click();  // answered No
    QVERIFY(open.host.questionIds == std::vector<Question>{Question::ResetHotkeys});
    QCOMPARE(open.host.questions.back(), u"Do you want to reset all hotkeys to default?");
    QCOMPARE(open.table, edited);
    QCOMPARE(open.shown(menu::ApplyChanges, 1), QString("(No Hotkey)"));

    open.host.answer = true;
    open.dlg.resetButton()->click();
    QCOMPARE(open.table, DefaultHotkeys());
    QCOMPARE(open.shown(menu::ApplyChanges, 1), "Ctrl" + kPlus + "S");
    QCOMPARE(open.dlg.list()->topLevelItemCount(), 44);
}

void HotkeyDialogsTest::koreanCaptions() {
    SetUiLanguage(UiLanguage::Korean);
    HotkeyTable table = DefaultHotkeys();
    RecordingHost host;
    HotkeyOptionsDialog list(table, {}, host);
    HotkeyCaptureDialog capture({menu::PathLoadOptions, 0, 0, 0}, "x");
    SetUiLanguage(UiLanguage::English);
    QCOMPARE(list.list()->headerItem()->text(0), QString("명령"));
    QCOMPARE(list.list()->headerItem()->text(1), QString("단축키"));
    QCOMPARE(RowOf(list.list(), menu::PathLoadOptions)->text(1), QString("(단축키 없음)"));
    for (QPushButton* b : {list.editButton(), list.clearButton(), list.resetButton(), list.closeButton(),
                           capture.saveButton(), capture.cancelButton()})
        QVERIFY2(!b->text().isEmpty() && b->text().front().unicode() >= 0xAC00, qPrintable(b->text()));
}

QTEST_MAIN(HotkeyDialogsTest)
#include "hotkey_dialogs_test.moc"
