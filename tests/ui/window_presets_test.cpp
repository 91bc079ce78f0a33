#include <QAction>
#include <QFileDialog>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include "ModalHelpers.h"
#include "WindowTestSupport.h"
#include "app/Configuration.h"
#include "base/MenuIds.h"
#include "base/StringTable.h"
#include "ui/widgets/ArgumentField.h"
#include "ui/dialogs/CommandInputDialog.h"
#include "ui/dialogs/PresetEditorDialog.h"
#include "ui/dialogs/PresetPreviewPane.h"

using namespace quirnel;
using namespace quirnel::test;

class WindowPresetsTest : public QObject {
    Q_OBJECT
private slots:
    void init() { SetUiLanguage(UiLanguage::English); }
    void editorOpenedByItsHotkeyKeepsWhatEscLeavesAndTheMenuFollows();
    void presetGroupExportedAndImportedThroughTheMenuDialogs();
};

namespace {

void ChooseFile(const std::string& path) {
    WhenModalOpens<QFileDialog>(
        [path](QFileDialog* dialog) { AcceptFileDialog(dialog, QString::fromStdString(path)); });
}

PresetTable Sample() {
    PresetTable presets{};
    presets[0] = {u"Photos", 0, 1, 1, 0, 4, {{CmdAddPrefix, sub::AddString, u" trip ", u""}}};
    presets[2] = {u"Clean", 0, 0, 0, 1, 0, {{CmdEmptyExt, 0, u"", u""}, {CmdNumbersOnly, 0, u"", u""}}};
    return presets;
}

}  // namespace

void WindowPresetsTest::editorOpenedByItsHotkeyKeepsWhatEscLeavesAndTheMenuFollows() {
    WindowWithFiles f({"a.txt", "b.txt"});
    TestWindow& w = f.w();
    QVERIFY(!w.action(menu::ApplyPreset1)->isEnabled());
    QString previewed;
    WhenModalOpens<PresetEditorDialog>([&](PresetEditorDialog* editor) {
        QTest::mouseClick(editor->commandButton(CmdEmptyName), Qt::LeftButton);
        previewed = editor->preview()->findChild<QTableWidget*>()->item(0, 1)->text();
        WhenModalOpens<CommandInputDialog>([](CommandInputDialog* input) {
            input->field1()->setPlainText("Blank");
            input->okButton()->click();
        });
        QTest::mouseClick(editor->nameButton(), Qt::LeftButton);
        QTest::keyClick(editor->taskList(), Qt::Key_Escape);
    });
    Press(f.list(), Qt::Key_F11);  // Preset Settings...
    QCOMPARE(previewed, QString(".txt"));
    QCOMPARE(f.column(1), QStringList({"a.txt", "b.txt"}));  // the preview left the list alone
    QVERIFY(f.app.presets[0].Tasks == std::vector<PresetTask>({{CmdEmptyName, 0, u"", u""}}));
    QVERIFY(w.action(menu::ApplyPreset1)->isEnabled());
    QCOMPARE(w.action(menu::ApplyPreset1)->text(), QString("Apply Preset &1 : Blank\tF1"));

    Press(f.list(), Qt::Key_F1);  // the new preset runs from its hotkey
    QCOMPARE(f.column(1), QStringList({".txt", ".txt"}));
}

void WindowPresetsTest::presetGroupExportedAndImportedThroughTheMenuDialogs() {
    WindowWithFiles f;
    TestWindow& w = f.w();
    AppState source;
    source.presets = Sample();
    QVERIFY(ExportPresetGroup(f.dir.u16("sample.qpx"), source));
    QCOMPARE(w.action(menu::ApplyPreset1 + 2)->text(), QString("Apply Preset &3 : (No Name)\tF3"));

    ChooseFile(f.path("sample.qpx"));
    Press(f.list(), Qt::Key_F8);  // Import Preset Group...
    QVERIFY(f.app.presets == source.presets);
    QCOMPARE(w.action(menu::ApplyPreset1)->text(), QString("Apply Preset &1 : Photos\tF1"));
    QCOMPARE(w.action(menu::ApplyPreset1 + 2)->text(), QString("Apply Preset &3 : Clean\tF3"));
    QVERIFY(w.action(menu::ApplyPreset1 + 2)->isEnabled());
    QVERIFY(!w.action(menu::ApplyPreset1 + 1)->isEnabled());

    ChooseFile(f.path("again"));
    Press(f.list(), Qt::Key_F7);  // Export Preset Group...: ".qpx" is added
    AppState reread;
    QVERIFY(ImportPresetGroup(f.dir.u16("again.qpx"), reread));
    QVERIFY(reread.presets == source.presets);
}

QTEST_MAIN(WindowPresetsTest)
#include "window_presets_test.moc"
