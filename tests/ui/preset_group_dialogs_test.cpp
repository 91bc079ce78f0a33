#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QListView>
#include <QTest>
#include <functional>

#include "../core/TestSupport.h"
#include "ModalHelpers.h"
#include "app/Configuration.h"
#include "base/StringTable.h"
#include "ui/dialogs/PresetGroupDialogs.h"

using namespace quirnel;
using quirnel::test::AcceptFileDialog;
using quirnel::test::RecordingHost;
using quirnel::test::TempDir;
using quirnel::test::WhenModalOpens;

class PresetGroupDialogsTest : public QObject {
    Q_OBJECT
private slots:
    void init() { SetUiLanguage(UiLanguage::English); }
    void exportedAndImportedThroughTheDialogsGivesTheSamePresets();
    void aFileWithoutPresetsKeepsThemAndIsLogged_data();
    void aFileWithoutPresetsKeepsThemAndIsLogged();
    void allFilesShowsNamesWithoutADot();
    void cancelChangesNothing();
};

namespace {

// What the next file dialog showed; it is then given `path` and accepted.
struct Seen {
    QString title, suffix;
    QStringList filters;
    QFileDialog::AcceptMode mode{};
};

void ChooseInFileDialog(const QString& path, Seen* seen = nullptr) {
    WhenModalOpens<QFileDialog>([=](QFileDialog* dialog) {
        if (seen) *seen = {dialog->windowTitle(), dialog->defaultSuffix(), dialog->nameFilters(), dialog->acceptMode()};
        AcceptFileDialog(dialog, path);
    });
}

// The names the dialog's file list shows once it has read its folder.
QStringList ListedNames(QFileDialog* dialog) {
    auto* view = dialog->findChild<QListView*>(QStringLiteral("listView"));
    QStringList names;
    for (int tries = 0; tries < 200 && names.isEmpty(); ++tries) {
        QTest::qWait(10);
        for (int r = 0; r < view->model()->rowCount(view->rootIndex()); ++r)
            names << view->model()->index(r, 0, view->rootIndex()).data().toString();
    }
    names.sort();
    return names;
}

PresetTable Sample() {
    PresetTable presets{};
    presets[0] = {u"Photos", 1, 1, 1, 0, 4, {{2, 61, u"  IMG_ ", u" "}, {10, 83, u"3", u"1"}}};
    presets[3] = {u"Folders", 0, 0, 0, 1, -1, {{17, 69, u"/srv/out", u""}, {5, 0, u"", u""}}};
    return presets;
}

}  // namespace

void PresetGroupDialogsTest::exportedAndImportedThroughTheDialogsGivesTheSamePresets() {
    TempDir dir;
    AppState source;
    source.presets = Sample();
    RecordingHost host;
    Seen saved;
    ChooseInFileDialog(QString::fromStdString(dir / "group"), &saved);
    ExportPresetGroupWithDialog(nullptr, source, host);
    QCOMPARE(saved.title, QString("Export current preset"));
    QCOMPARE(saved.mode, QFileDialog::AcceptSave);
    QCOMPARE(saved.filters, QStringList({"Quirnel Preset(*.qpx)", "All Files(*)"}));
    QCOMPARE(saved.suffix, QString("qpx"));
    QVERIFY(QFile::exists(QString::fromStdString(dir / "group.qpx")));

    AppState target;
    target.presets[2].Name = u"replaced";
    Seen opened;
    ChooseInFileDialog(QString::fromStdString(dir / "group.qpx"), &opened);
    QVERIFY(ImportPresetGroupWithDialog(nullptr, target, host));
    QCOMPARE(opened.title, QString("Import a preset"));
    QCOMPARE(opened.mode, QFileDialog::AcceptOpen);
    QCOMPARE(opened.filters, saved.filters);
    QCOMPARE(opened.suffix, QString());  // names without a dot open as they are
    QVERIFY(target.presets == source.presets);
    QVERIFY(host.log.empty());
}

void PresetGroupDialogsTest::aFileWithoutPresetsKeepsThemAndIsLogged_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("settings only") << QByteArray("ShowLog=0\r\n");
}

void PresetGroupDialogsTest::aFileWithoutPresetsKeepsThemAndIsLogged() {
    QFETCH(QByteArray, content);
    TempDir dir;
    const std::string path = dir.file("none.qpx", content.toStdString());
    AppState app;
    app.presets = Sample();
    RecordingHost host;
    ChooseInFileDialog(QString::fromStdString(path));
    QVERIFY(ImportPresetGroupWithDialog(nullptr, app, host));
    QVERIFY(app.presets == Sample());
    QCOMPARE(host.log.size(), size_t(1));
    QCOMPARE(QString::fromStdU16String(host.log[0]),
             QString::fromStdString(path) + " could not be read or holds no presets; the presets are unchanged.");
}

void PresetGroupDialogsTest::allFilesShowsNamesWithoutADot() {
    TempDir dir;
    AppState source;
    source.presets = Sample();
    QVERIFY(ExportPresetGroup(dir.u16("group"), source));
    dir.file("other.qpx");
    QStringList asGroups, asAll;
    WhenModalOpens<QFileDialog>([&](QFileDialog* dialog) {
        dialog->setDirectory(QString::fromStdString(dir.path()));
        asGroups = ListedNames(dialog);
        dialog->selectNameFilter(dialog->nameFilters().at(1));
        asAll = ListedNames(dialog);
        auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        name->clear();
        QTest::keyClicks(name, "group");
        static_cast<QDialog*>(dialog)->accept();  // QFileDialog::accept, as OK does
        if (dialog->isVisible()) dialog->reject();  // refused: fail below instead of hanging
    });
    AppState target;
    RecordingHost host;
    QVERIFY(ImportPresetGroupWithDialog(nullptr, target, host));
    QCOMPARE(asGroups, QStringList({"other.qpx"}));
    QCOMPARE(asAll, QStringList({"group", "other.qpx"}));
    QVERIFY(target.presets == source.presets);
}

void PresetGroupDialogsTest::cancelChangesNothing() {
    AppState app;
    app.presets = Sample();
    RecordingHost host;
    WhenModalOpens<QFileDialog>([](QFileDialog* dialog) { dialog->reject(); });
    QVERIFY(!ImportPresetGroupWithDialog(nullptr, app, host));
    QVERIFY(app.presets == Sample());
    QVERIFY(host.log.empty());
}

QTEST_MAIN(PresetGroupDialogsTest)
#include "preset_group_dialogs_test.moc"
