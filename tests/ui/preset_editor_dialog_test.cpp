#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSizeGrip>
#include <QTableWidget>
#include <QTest>
#include <functional>

#include "../core/ListBuilder.h"
#include "../core/TestSupport.h"
#include "ModalHelpers.h"
#include "base/AppSettings.h"
#include "base/StringTable.h"
#include "ui/widgets/ArgumentField.h"
#include "ui/widgets/CommandBar.h"
#include "ui/dialogs/CommandInputDialog.h"
#include "ui/dialogs/PresetEditorDialog.h"
#include "ui/dialogs/PresetPreviewPane.h"
#include "ui/dialogs/SortDialog.h"

using namespace quirnel;
using quirnel::test::MessageBoxCatcher;
using quirnel::test::RecordingHost;
using quirnel::test::WhenModalOpens;

class PresetEditorDialogTest : public QObject {
    Q_OBJECT
private slots:
    void init() { SetUiLanguage(UiLanguage::English); }
    void addingATaskFollowsTheInputDialogAndItsChecks_data();
    void addingATaskFollowsTheInputDialogAndItsChecks();
    void newTasksGoToTheEndAndTasksWithoutInputCannotBeEdited();
    void editingOpensOnTheTaskAndKeepsItsCommand();
    void moveAndDeleteKeepASelectionAndTheButtonsFollowIt();
    void optionsAreWrittenAtOnce();
    void renamingShowsTheNameOrNoName();
    void retiredSubCommandIsConvertedWhenItsPresetIsShown();
    void escClosesAndKeepsEveryChange();
    void previewRunsThePresetOnCopiesOfTheFirstSelectedRows();
    void controlsStayWholeAndApartInBothLanguagesAndSizes();
};

namespace {

// The editor as the window opens it, over presets, settings and a host of its own.
struct Editor {
    explicit Editor(PresetTable initial = {}, const NameList* list = nullptr)
        : presets(std::move(initial)), dlg(presets, settings, host, list) {
        dlg.show();
    }
    bool exposed() { return QTest::qWaitForWindowExposed(&dlg); }
    QStringList row(int r) const {
        QStringList cells;
        for (int c = 0; c < dlg.taskList()->columnCount(); ++c) cells << dlg.taskList()->item(r, c)->text();
        return cells;
    }
    int selectedRow() const {
        const auto rows = dlg.taskList()->selectionModel()->selectedRows();
        return rows.isEmpty() ? -1 : rows.first().row();
    }
    void click(int command) { QTest::mouseClick(dlg.commandButton(command), Qt::LeftButton); }

    PresetTable presets;
    AppSettings settings;
    RecordingHost host;
    PresetEditorDialog dlg;
};

// Answers the next command input dialog: an entry and two texts, then OK (or Cancel).
void AnswerInput(int entry, const QString& arg1, const QString& arg2, bool ok = true) {
    WhenModalOpens<CommandInputDialog>([=](CommandInputDialog* input) {
        if (entry >= 0) input->selector()->setCurrentIndex(entry);
        input->field1()->setPlainText(arg1);
        input->field2()->setPlainText(arg2);
        (ok ? input->okButton() : input->cancelButton())->click();
    });
}

QString Describe(QWidget* w) {
    auto* button = qobject_cast<QAbstractButton*>(w);
    return QString("%1 '%2' %3,%4 %5x%6")
        .arg(w->metaObject()->className(), button ? button->text() : QString())
        .arg(w->x()).arg(w->y()).arg(w->width()).arg(w->height());
}

PresetTask Task(int command, int sub, const char16_t* a1 = u"", const char16_t* a2 = u"") {
    return {command, sub, a1, a2};
}

}  // namespace

void PresetEditorDialogTest::addingATaskFollowsTheInputDialogAndItsChecks_data() {
    QTest::addColumn<int>("command");
    QTest::addColumn<int>("entry");
    QTest::addColumn<QString>("arg1");
    QTest::addColumn<QString>("arg2");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QStringList>("row");  // empty: nothing added
    QTest::addColumn<QStringList>("messages");

    QTest::newRow("replace without Find what") << 2 << 0 << "" << "x" << true << QStringList() << QStringList();
    QTest::newRow("add numbers cancelled") << 10 << 0 << "3" << "1" << false << QStringList() << QStringList();
    QTest::newRow("add numbers") << 10 << 2 << "3" << "1" << true
                                 << QStringList({"Add Numbers", "Append tail numbers by folder", "3", "1"})
                                 << QStringList();
    QTest::newRow("positions the wrong way round") << 6 << 0 << "5" << "3" << true << QStringList()
                                                   << QStringList({"Invalid positions"});
    QTest::newRow("a long delimiter") << 6 << 2 << "((" << ")" << true << QStringList()
                                      << QStringList({"Delimiter must be a single character."});
    QTest::newRow("change folder keeps a path") << 17 << 0 << "/srv/out" << "" << true
                                                << QStringList({"Change Folder", "Move items to a different folder",
                                                                "/srv/out", ""})
                                                << QStringList();
}

void PresetEditorDialogTest::addingATaskFollowsTheInputDialogAndItsChecks() {
    QFETCH(int, command);
    QFETCH(int, entry);
    QFETCH(QString, arg1);
    QFETCH(QString, arg2);
    QFETCH(bool, ok);
    QFETCH(QStringList, row);
    QFETCH(QStringList, messages);

    Editor e;
    QVERIFY(e.exposed());
    MessageBoxCatcher boxes;
    AnswerInput(entry, arg1, arg2, ok);
    e.click(command);
    QCOMPARE(boxes.texts, messages);
    QVERIFY(e.host.dialogs.empty());
    QCOMPARE(e.dlg.taskList()->rowCount(), row.isEmpty() ? 0 : 1);
    QCOMPARE(e.presets[0].Tasks.size(), size_t(row.isEmpty() ? 0 : 1));
    if (row.isEmpty()) return;
    QCOMPARE(e.row(0), row);
    QCOMPARE(e.presets[0].Tasks[0].Command, command);
    QCOMPARE(QString::fromStdU16String(e.presets[0].Tasks[0].Arg1), arg1);
    QCOMPARE(e.selectedRow(), 0);
    QVERIFY(e.dlg.editButton()->isEnabled());
}

void PresetEditorDialogTest::newTasksGoToTheEndAndTasksWithoutInputCannotBeEdited() {
    Editor e;
    QVERIFY(e.exposed());
    QStringList captions;
    for (QPushButton* b : e.dlg.commandBar()->buttons()) captions << b->text();
    QCOMPARE(captions, QStringList({"Replace", "Add Prefix", "Add Suffix", "Empty Name", "Remove", "Numbers Only",
                                    "Del. Numbers", "Match Digits", "Add Numbers", "Change Folder", "Empty Ext.",
                                    "Add Ext.", "Replace Ext.", "Clear List"}));
    for (int command : {7, 18, 5}) e.click(command);  // no dialog for these
    QCOMPARE(e.row(2), QStringList({"Empty Name", "", "", ""}));
    QVERIFY(!e.dlg.editButton()->isEnabled());
    QVERIFY(e.dlg.deleteButton()->isEnabled());

    // Neither Edit nor a double click opens a dialog for a task without input.
    int opened = 0;
    QTimer watch;
    connect(&watch, &QTimer::timeout, [&] {
        if (auto* input = qobject_cast<CommandInputDialog*>(QApplication::activeModalWidget())) {
            ++opened;
            input->reject();
        }
    });
    watch.start(5);
    QTableWidget* list = e.dlg.taskList();
    const QRect cell = list->visualItemRect(list->item(2, 0));
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::qWait(30);
    watch.stop();
    QCOMPARE(opened, 0);

    list->setCurrentCell(0, 0);
    AnswerInput(0, "x", "");
    e.click(3);
    QCOMPARE(e.presets[0].Tasks.size(), size_t(4));
    QCOMPARE(e.presets[0].Tasks.back(), Task(3, 21, u"x"));
    QCOMPARE(e.selectedRow(), 3);
}

void PresetEditorDialogTest::editingOpensOnTheTaskAndKeepsItsCommand() {
    PresetTable presets{};
    presets[0].Tasks = {Task(4, 117, u"%H", u"2"), Task(11, 0, u"from a file")};
    Editor e(presets);
    QVERIFY(e.exposed());
    e.dlg.taskList()->setCurrentCell(0, 1);
    QString seen;
    WhenModalOpens<CommandInputDialog>([&](CommandInputDialog* input) {
        seen = input->selector()->currentText() + " | " + input->field1()->toPlainText() + " | " +
               input->field2()->toPlainText();
        input->selector()->setCurrentIndex(0);
        input->field1()->setPlainText("_end");
        input->okButton()->click();
    });
    QTest::mouseClick(e.dlg.editButton(), Qt::LeftButton);
    QCOMPARE(seen, QString("8) Add the date and time of modification | %H | 2"));
    QCOMPARE(e.presets[0].Tasks[0], Task(4, 21, u"_end"));
    QCOMPARE(e.row(0), QStringList({"Add Suffix", "Add string", "_end", ""}));

    // Cancel keeps the task; a command without items (read from a file) takes OK as Cancel.
    AnswerInput(-1, "other", "", false);
    QTest::mouseClick(e.dlg.editButton(), Qt::LeftButton);
    QCOMPARE(e.presets[0].Tasks[0], Task(4, 21, u"_end"));
    e.dlg.taskList()->setCurrentCell(1, 0);
    QVERIFY(e.dlg.editButton()->isEnabled());
    WhenModalOpens<CommandInputDialog>([](CommandInputDialog* input) { input->okButton()->click(); });
    QTest::mouseClick(e.dlg.editButton(), Qt::LeftButton);
    QCOMPARE(e.presets[0].Tasks[1], Task(11, 0, u"from a file"));
}

void PresetEditorDialogTest::moveAndDeleteKeepASelectionAndTheButtonsFollowIt() {
    PresetTable presets{};
    presets[0].Tasks = {Task(5, 0), Task(7, 0), Task(8, 0)};
    Editor e(presets);
    QVERIFY(e.exposed());
    auto order = [&] {
        QString s;
        for (const PresetTask& t : e.presets[0].Tasks) s += QString::number(t.Command);
        return s;
    };
    QCOMPARE(e.selectedRow(), 2);  // showing a preset leaves its last task selected
    QTest::mouseClick(e.dlg.downButton(), Qt::LeftButton);
    QCOMPARE(order(), QString("578"));
    QTest::mouseClick(e.dlg.upButton(), Qt::LeftButton);
    QCOMPARE(order(), QString("587"));
    QCOMPARE(e.selectedRow(), 1);
    QCOMPARE(e.row(1)[0], QString("Del. Numbers"));
    QTest::mouseClick(e.dlg.upButton(), Qt::LeftButton);
    QTest::mouseClick(e.dlg.upButton(), Qt::LeftButton);  // already first
    QCOMPARE(order(), QString("857"));
    QCOMPARE(e.selectedRow(), 0);

    e.dlg.taskList()->setCurrentCell(2, 0);
    QTest::mouseClick(e.dlg.deleteButton(), Qt::LeftButton);  // the last: the new last is selected
    QCOMPARE(order(), QString("85"));
    QCOMPARE(e.selectedRow(), 1);
    e.dlg.taskList()->setCurrentCell(0, 0);
    QTest::mouseClick(e.dlg.deleteButton(), Qt::LeftButton);  // the first: the next takes its place
    QCOMPARE(e.selectedRow(), 0);
    QCOMPARE(e.row(0)[0], QString("Empty Name"));
    QTest::mouseClick(e.dlg.deleteButton(), Qt::LeftButton);
    QCOMPARE(e.dlg.taskList()->rowCount(), 0);
    QVERIFY(e.presets[0].Tasks.empty());
    for (QPushButton* b : {e.dlg.upButton(), e.dlg.downButton(), e.dlg.editButton(), e.dlg.deleteButton()})
        QVERIFY(!b->isEnabled());
}

void PresetEditorDialogTest::optionsAreWrittenAtOnce() {
    Editor e;
    QVERIFY(e.exposed());
    QVERIFY(!e.dlg.sortButton()->isEnabled());
    QCOMPARE(e.dlg.sortButton()->text(), QString("Old Name / Ascending"));
    QTest::mouseClick(e.dlg.sortBox(), Qt::LeftButton);
    QCOMPARE(e.presets[0].AutoSort, 1);
    QVERIFY(e.dlg.sortButton()->isEnabled());
    WhenModalOpens<SortDialog>([](SortDialog* sort) {
        sort->columnBox()->setCurrentIndex(4);
        sort->descendingButton()->setChecked(true);
        sort->accept();
    });
    QTest::mouseClick(e.dlg.sortButton(), Qt::LeftButton);
    QCOMPARE(e.presets[0].SortColumn, 4);
    QCOMPARE(e.presets[0].SortAscend, 0);
    QCOMPARE(e.dlg.sortButton()->text(), QString("Size / Descending"));
    WhenModalOpens<SortDialog>([](SortDialog* sort) {
        sort->columnBox()->setCurrentIndex(0);
        sort->reject();
    });
    QTest::mouseClick(e.dlg.sortButton(), Qt::LeftButton);
    QCOMPARE(e.presets[0].SortColumn, 4);

    QCOMPARE(QStringList({e.dlg.applyModes()->itemText(0), e.dlg.applyModes()->itemText(1)}),
             QStringList({"Change Originals", "Making Copies (Keep Originals)"}));
    QVERIFY(!e.dlg.applyModes()->isEnabled());
    QTest::mouseClick(e.dlg.applyBox(), Qt::LeftButton);
    QCOMPARE(e.presets[0].AutoApply, 1);
    e.dlg.applyModes()->setFocus();
    QTest::keyClick(e.dlg.applyModes(), Qt::Key_Down);
    QCOMPARE(e.presets[0].ApplyType, 1);
    QTest::mouseClick(e.dlg.applyBox(), Qt::LeftButton);  // unticked: the mode stays
    QCOMPARE(e.presets[0].AutoApply, 0);
    QCOMPARE(e.presets[0].ApplyType, 1);
    QVERIFY(!e.dlg.applyModes()->isEnabled());

    // Another preset shows its own options, and coming back shows these unchanged.
    e.dlg.presetSelector()->setCurrentIndex(1);
    QVERIFY(!e.dlg.sortBox()->isChecked());
    QCOMPARE(e.dlg.applyModes()->currentIndex(), 0);
    e.dlg.presetSelector()->setCurrentIndex(0);
    QVERIFY(e.dlg.sortBox()->isChecked());
    QCOMPARE(e.dlg.applyModes()->currentIndex(), 1);
    QCOMPARE(e.presets[1], QuirnelPreset{});
}

void PresetEditorDialogTest::renamingShowsTheNameOrNoName() {
    PresetTable presets{};
    presets[2].Name = u"Old";
    Editor e(presets);
    QVERIFY(e.exposed());
    QCOMPARE(e.dlg.presetSelector()->itemText(2), QString("Preset 3 : Old"));
    e.dlg.presetSelector()->setCurrentIndex(2);
    QString shown;
    WhenModalOpens<CommandInputDialog>([&](CommandInputDialog* input) {
        shown = input->windowTitle() + " | " + input->field1()->toPlainText();
        input->field1()->setPlainText("a/b");
        input->okButton()->click();  // refused while open: the message dialog, then Cancel
        input->cancelButton()->click();
    });
    QTest::mouseClick(e.dlg.nameButton(), Qt::LeftButton);
    QCOMPARE(shown, QString("Preset Name | Old"));
    QCOMPARE(e.host.dialogs.size(), size_t(1));
    QCOMPARE(e.presets[2].Name, std::u16string(u"Old"));

    AnswerInput(-1, "", "");
    QTest::mouseClick(e.dlg.nameButton(), Qt::LeftButton);
    QCOMPARE(e.presets[2].Name, std::u16string());
    QCOMPARE(e.dlg.presetSelector()->itemText(2), QString("Preset 3 : (No Name)"));
    QCOMPARE(e.dlg.presetSelector()->currentIndex(), 2);
    AnswerInput(-1, "Photos", "");
    QTest::mouseClick(e.dlg.nameButton(), Qt::LeftButton);
    QCOMPARE(e.dlg.presetSelector()->currentText(), QString("Preset 3 : Photos"));
}

void PresetEditorDialogTest::retiredSubCommandIsConvertedWhenItsPresetIsShown() {
    PresetTable presets{};
    presets[1].Tasks = {Task(3, 89, u"A", u"B")};
    Editor e(presets);
    QVERIFY(e.exposed());
    QCOMPARE(e.presets[1].Tasks[0], Task(3, 89, u"A", u"B"));  // not shown yet
    e.dlg.presetSelector()->setCurrentIndex(1);
    QCOMPARE(e.presets[1].Tasks[0], Task(3, 116, u"A%Y-%m-%dB"));
    QCOMPARE(e.row(0), QStringList({"Add Prefix", "Add the date and time of creation", "A%Y-%m-%dB", ""}));
}

void PresetEditorDialogTest::escClosesAndKeepsEveryChange() {
    Editor e;
    QVERIFY(e.exposed());
    e.dlg.presetSelector()->setCurrentIndex(4);
    e.click(5);
    QTest::mouseClick(e.dlg.sortBox(), Qt::LeftButton);
    QTest::keyClick(e.dlg.taskList(), Qt::Key_Escape);
    QVERIFY(!e.dlg.isVisible());
    QCOMPARE(e.presets[4].Tasks, std::vector<PresetTask>{Task(5, 0)});
    QCOMPARE(e.presets[4].AutoSort, 1);
}

void PresetEditorDialogTest::previewRunsThePresetOnCopiesOfTheFirstSelectedRows() {
    auto list = test::MakeList({{u"a.txt"}, {u"b.txt"}, {u"c.txt"}, {u"d.txt"}});
    PresetTable presets{};
    presets[0].Tasks = {Task(3, 21, u"x_")};
    Editor e(presets, list.get());
    QVERIFY(e.exposed());
    auto previewed = [&] {
        QStringList cells;
        QTableWidget* table = e.dlg.preview()->table();
        for (int r = 0; r < table->rowCount(); ++r) cells << table->item(r, 0)->text() + ">" + table->item(r, 1)->text();
        return cells;
    };
    QCOMPARE(previewed(), QStringList({"a.txt>x_a.txt", "b.txt>x_b.txt", "c.txt>x_c.txt", "d.txt>x_d.txt"}));

    // A new task shows at once; the list keeps its names.
    list->setSelected(2, true);
    e.click(7);  // Numbers Only
    QCOMPARE(previewed(), QStringList({"c.txt>.txt"}));
    QVERIFY(e.dlg.preview()->caption()->text().contains("selected"));
    QCOMPARE(test::NewNames(*list), (std::vector<std::u16string>{u"a.txt", u"b.txt", u"c.txt", u"d.txt"}));

    // Another preset previews its own tasks, which here are none.
    e.dlg.presetSelector()->setCurrentIndex(1);
    QCOMPARE(previewed(), QStringList({"c.txt>c.txt"}));

    Editor noList;
    QCOMPARE(noList.dlg.preview()->table()->rowCount(), 0);
    QVERIFY(!noList.dlg.preview()->caption()->text().isEmpty());
}

void PresetEditorDialogTest::controlsStayWholeAndApartInBothLanguagesAndSizes() {
    const QString shots = qEnvironmentVariable("QUIRNEL_SCREENSHOT_DIR");
    auto list = test::MakeList({{u"holiday 01.jpg"}, {u"holiday 02.jpg"}});
    PresetTable presets{};
    presets[0].Name = u"Photos";
    presets[0].AutoSort = 1;
    presets[0].SortColumn = 5;
    presets[0].Tasks = {Task(2, 61, u"holiday", u"trip"), Task(10, 83, u"3", u"1"), Task(18, 0)};
    for (UiLanguage language : {UiLanguage::English, UiLanguage::Korean}) {
        SetUiLanguage(language);
        Editor e(presets, list.get());
        QVERIFY(e.exposed());
        QVERIFY(!e.dlg.windowTitle().isEmpty());
        for (QSize size : {e.dlg.size(), QSize(500, 400)}) {
            e.dlg.resize(size);
            QTest::qWait(10);
            QCOMPARE(e.dlg.size(), size);
            if (!shots.isEmpty())
                e.dlg.grab().save(QDir(shots).filePath(QString("preset_editor_%1_%2x%3.png")
                                                           .arg(language == UiLanguage::Korean ? "ko" : "en")
                                                           .arg(size.width())
                                                           .arg(size.height())));
            // Every visible control lies inside the window; texts of buttons and
            // boxes are never cut; siblings never overlap.
            QList<QWidget*> controls;
            for (QWidget* w : e.dlg.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
                if (w->isVisible() && !w->isWindow() && !qobject_cast<QSizeGrip*>(w)) controls << w;
            for (QPushButton* b : e.dlg.commandBar()->buttons()) controls << b;
            for (QWidget* w : controls) {
                const QRect r(w->mapTo(&e.dlg, QPoint(0, 0)), w->size());
                QVERIFY2(e.dlg.rect().contains(r), qPrintable(w->metaObject()->className()));
                auto* button = qobject_cast<QAbstractButton*>(w);
                if (button)
                    QVERIFY2(button->width() >= button->fontMetrics().horizontalAdvance(button->text()) + 8, qPrintable(QString("%1 at %2x%3").arg(button->text()).arg(size.width()).arg(size.height())));
            }
            for (QWidget* a : controls)
                for (QWidget* b : controls)
                    if (a != b && a->parentWidget() == b->parentWidget())
                        QVERIFY2(!a->geometry().intersects(b->geometry()),
                                 qPrintable(Describe(a) + " / " + Describe(b)));
        }
    }
}

QTEST_MAIN(PresetEditorDialogTest)
#include "preset_editor_dialog_test.moc"
