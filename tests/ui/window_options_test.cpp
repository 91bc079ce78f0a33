// The options and hotkey dialogs as the window's menu opens them, and what
// the window does with their results.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTreeWidget>

#include "ModalHelpers.h"
#include "WindowTestSupport.h"
#include "base/MenuIds.h"
#include "ui/widgets/ColorButton.h"
#include "ui/dialogs/CommandInputDialog.h"
#include "ui/dialogs/HotkeyCaptureDialog.h"
#include "ui/dialogs/HotkeyOptionsDialog.h"
#include "ui/dialogs/LoadOptionsDialog.h"
#include "ui/dialogs/OtherOptionsDialog.h"
#include "ui/dialogs/ViewOptionsDialog.h"

using namespace quirnel;
using namespace quirnel::test;

class WindowOptionsTest : public QObject {
    Q_OBJECT
private slots:
    void hotkeysEditedThroughTheMenuReachMenuAndKeys();
    void hotkeyResetAnsweredNoChangesNothing();
    void viewOptionsCancelChangesNothing();
    void viewOptionsColoursAndBackToSystemColours();
    void viewOptionsFontAndIconSize();
    void loadOptionsComeBeforeABatch();
    void otherOptionsStoreOnOk();
};

namespace {

const QString kPlus = QString(QChar(0xFF0B));

void Ok(QDialog* dialog) { dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click(); }
void Cancel(QDialog* dialog) { dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Cancel)->click(); }

QTreeWidgetItem* RowOf(HotkeyOptionsDialog* d, int32_t command) {
    for (int i = 0; i < d->list()->topLevelItemCount(); ++i)
        if (d->list()->topLevelItem(i)->data(0, Qt::UserRole).toInt() == command) return d->list()->topLevelItem(i);
    return nullptr;
}

struct ListLook {
    QColor base, text;
    QFont font;
    QSize icons;
    bool operator==(const ListLook&) const = default;
};
ListLook LookOf(NameListView* list) {
    return {list->palette().color(QPalette::Base), list->palette().color(QPalette::Text), list->font(),
            list->iconSize()};
}

}  // namespace

void WindowOptionsTest::hotkeysEditedThroughTheMenuReachMenuAndKeys() {
    WindowWithFiles f({"a.txt"});
    TestWindow& w = f.w();
    QString commandColumnText;
    WhenModalOpens<HotkeyOptionsDialog>([&](HotkeyOptionsDialog* d) {
        commandColumnText = RowOf(d, menu::ApplyChanges)->text(0);
        d->list()->setCurrentItem(RowOf(d, menu::ApplyChanges));
        d->clearButton()->click();
        d->list()->setCurrentItem(RowOf(d, menu::Replace));
        WhenModalOpens<HotkeyCaptureDialog>([](HotkeyCaptureDialog* capture) {
            QTest::keyClick(capture->windowHandle(), Qt::Key_F5, Qt::ControlModifier | Qt::ShiftModifier);
            QTest::keyClick(capture->windowHandle(), Qt::Key_Return);
        });
        d->editButton()->click();
        QTest::keyClick(d, Qt::Key_Escape);  // Esc closes and keeps the changes
    });
    w.action(menu::Hotkeys)->trigger();

    QCOMPARE(commandColumnText, QString("Apply Changes"));
    QVERIFY(w.action(menu::ApplyChanges)->text().endsWith("Apply Changes\t"));
    QCOMPARE(w.action(menu::Replace)->text().section('\t', 1), "Ctrl" + kPlus + "Shift" + kPlus + "F5");

    // The new key opens Replace's input; Ctrl+S no longer starts an apply.
    ModalCatcher modals;
    Press(f.list(), Qt::Key_S, Qt::ControlModifier);
    Press(f.list(), Qt::Key_F5, Qt::ControlModifier | Qt::ShiftModifier);
    QTRY_COMPARE(modals.opened, QStringList({"quirnel::CommandInputDialog"}));
}

void WindowOptionsTest::hotkeyResetAnsweredNoChangesNothing() {
    WindowWithFiles f;
    TestWindow& w = f.w();
    w.answer = [](Question, const QString&) { return false; };
    f.app.hotkeys.at(menu::SortList) = {menu::SortList, 0, 0, 0};
    const HotkeyTable before = f.app.hotkeys;
    QString shown;
    WhenModalOpens<HotkeyOptionsDialog>([&](HotkeyOptionsDialog* d) {
        d->resetButton()->click();
        shown = RowOf(d, menu::SortList)->text(1);
        d->closeButton()->click();
    });
    w.action(menu::Hotkeys)->trigger();
    QVERIFY(w.asked == std::vector<Question>{Question::ResetHotkeys});
    QCOMPARE(f.app.hotkeys, before);
    QCOMPARE(shown, QString("(No Hotkey)"));
}

void WindowOptionsTest::viewOptionsCancelChangesNothing() {
    WindowWithFiles f({"a.txt"});
    const AppSettings settings = f.app.settings;
    const ListLook look = LookOf(f.list());
    WhenModalOpens<ViewOptionsDialog>([](ViewOptionsDialog* d) {
        d->systemColors()->click();
        d->textColorButton()->setColor(Qt::red);
        d->systemFont()->click();
        d->fontSizeField()->setText("30");
        d->iconSizes()->setCurrentIndex(3);
        Cancel(d);
    });
    f.w().action(menu::ViewOptions)->trigger();
    QCOMPARE(f.app.settings, settings);
    QVERIFY(LookOf(f.list()) == look);
}

void WindowOptionsTest::viewOptionsColoursAndBackToSystemColours() {
    // A stored 0x0000FF is red.
    AppState app;
    app.settings.UseDefaultColor = 0;
    app.settings.ColorText = 0x0000FF;
    TestWindow red(app);
    QCOMPARE(red.listView()->palette().color(QPalette::Text), QColor(Qt::red));

    WindowWithFiles f({"a.txt"});
    const ListLook system = LookOf(f.list());
    WhenModalOpens<ViewOptionsDialog>([](ViewOptionsDialog* d) {
        d->systemColors()->click();
        d->textColorButton()->setColor(QColor(0x10, 0x20, 0x30));
        d->backgroundButton()->setColor(QColor(0xF0, 0xE0, 0xD0));
        Ok(d);
    });
    f.w().action(menu::ViewOptions)->trigger();
    QCOMPARE(f.app.settings.UseDefaultColor, 0);
    QCOMPARE(f.app.settings.ColorText, 0x302010);
    QCOMPARE(f.app.settings.ColorBk, 0xD0E0F0);
    QCOMPARE(f.list()->palette().color(QPalette::Text), QColor(0x10, 0x20, 0x30));
    QCOMPARE(f.list()->palette().color(QPalette::Base), QColor(0xF0, 0xE0, 0xD0));

    WhenModalOpens<ViewOptionsDialog>([](ViewOptionsDialog* d) {
        d->systemColors()->click();
        Ok(d);
    });
    f.w().action(menu::ViewOptions)->trigger();
    QVERIFY(LookOf(f.list()) == system);
    QCOMPARE(f.app.settings.ColorText, 0x302010);  // kept for later
}

void WindowOptionsTest::viewOptionsFontAndIconSize() {
    WindowWithFiles f({"a.txt"});
    QCOMPARE(f.app.settings.FontName, u"");
    // No font chosen: the custom font is the window's own at the typed size.
    WhenModalOpens<ViewOptionsDialog>([](ViewOptionsDialog* d) {
        d->systemFont()->click();
        d->fontSizeField()->setText("20");
        d->iconSizes()->setCurrentIndex(0);  // small icons
        Ok(d);
    });
    f.w().action(menu::ViewOptions)->trigger();
    QCOMPARE(f.list()->font().pointSize(), 20);
    QCOMPARE(f.app.settings.FontSize, 20);
    QCOMPARE(f.app.settings.IconType, 1);
    QCOMPARE(f.list()->iconSize(), QSize(16, 16));

    // A chosen font, with a size typed after choosing it: the list shows the
    // size that is stored.
    WhenModalOpens<ViewOptionsDialog>([](ViewOptionsDialog* d) {
        QCOMPARE(d->fontSizeField()->text(), QString("20"));
        WhenModalOpens<QFontDialog>([](QFontDialog* picker) {
            picker->setCurrentFont(QFont("DejaVu Serif", 11, QFont::Bold));
            picker->accept();
        });
        d->selectFontButton()->click();
        QCOMPARE(d->fontSizeField()->text(), QString("11"));
        d->fontSizeField()->setText("17");
        Ok(d);
    });
    f.w().action(menu::ViewOptions)->trigger();
    const QFont shown = f.list()->font();
    QCOMPARE(shown.family(), QString("DejaVu Serif"));
    QCOMPARE(shown.pointSize(), 17);
    QCOMPARE(shown.weight(), QFont::Bold);
    QCOMPARE(f.app.settings.FontName, u"DejaVu Serif");
    QCOMPARE(f.app.settings.FontSize, 17);
    QCOMPARE(f.app.settings.FontWeight, 700);

    // Back to the default font: the custom one stays stored.
    WhenModalOpens<ViewOptionsDialog>([](ViewOptionsDialog* d) {
        QCOMPARE(d->fontDescription()->text(), QString("DejaVu Serif / Bold"));
        d->systemFont()->click();
        Ok(d);
    });
    f.w().action(menu::ViewOptions)->trigger();
    QCOMPARE(f.list()->font(), f.w().font());
    QCOMPARE(f.app.settings.FontName, u"DejaVu Serif");
}

void WindowOptionsTest::loadOptionsComeBeforeABatch() {
    TempDir dir;
    dir.file("one/a.txt");
    dir.file("one/b.txt");
    dir.file("two/c.txt");
    AppState app;
    app.settings.ShowCFGLoad = 1;
    app.settings.LoadType = 2;  // ask
    TestWindow w(app);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));

    // OK: the choice governs the batch that follows; no folder question.
    WhenModalOpens<LoadOptionsDialog>([](LoadOptionsDialog* d) {
        d->loadTypeButton(1)->click();
        Ok(d);
    });
    w.addPaths({dir.u16("one")});
    QCOMPARE(w.listView()->model()->rowCount(), 2);
    QVERIFY(w.asked.empty());
    QCOMPARE(app.settings.LoadType, 1);

    // Cancel: the batch goes ahead with the settings as they were.
    WhenModalOpens<LoadOptionsDialog>([](LoadOptionsDialog* d) {
        d->loadTypeButton(2)->click();
        d->showBeforeLoading()->click();
        Cancel(d);
    });
    w.addPaths({dir.u16("two")});
    QCOMPARE(w.listView()->model()->rowCount(), 3);
    QVERIFY(w.asked.empty());
    QCOMPARE(app.settings.ShowCFGLoad, 1);

    // From the menu it only changes the settings.
    WhenModalOpens<LoadOptionsDialog>([](LoadOptionsDialog* d) {
        d->showBeforeLoading()->click();
        Ok(d);
    });
    w.action(menu::PathLoadOptions)->trigger();
    QCOMPARE(app.settings.ShowCFGLoad, 0);
    QCOMPARE(w.listView()->model()->rowCount(), 3);
}

void WindowOptionsTest::otherOptionsStoreOnOk() {
    WindowWithFiles f;
    WhenModalOpens<OtherOptionsDialog>([](OtherOptionsDialog* d) {
        d->boxes()[4]->click();  // Include extension when replacing
        Ok(d);
    });
    f.w().action(menu::OtherOptions)->trigger();
    QCOMPARE(f.app.settings.IncludeExt, 1);
    WhenModalOpens<OtherOptionsDialog>([](OtherOptionsDialog* d) {
        d->boxes()[4]->click();
        QTest::keyClick(d, Qt::Key_Escape);
    });
    f.w().action(menu::OtherOptions)->trigger();
    QCOMPARE(f.app.settings.IncludeExt, 1);
}

QTEST_MAIN(WindowOptionsTest)
#include "window_options_test.moc"
