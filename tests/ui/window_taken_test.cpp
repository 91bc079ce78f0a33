// The Date Taken column: shown and stored, filled off the window's thread,
// stopped by Esc, sorted by from the header, and telling why a row has no date.
#include <QAction>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <atomic>
#include <chrono>
#include <thread>

#include "../core/metadata/MediaSamples.h"
#include "ModalHelpers.h"
#include "WindowTestSupport.h"
#include "app/Configuration.h"
#include "base/MenuIds.h"
#include "metadata/MediaFields.h"
#include "ui/dialogs/CommandInputDialog.h"
#include "ui/dialogs/PresetPreviewPane.h"
#include <QTableWidget>
#include "ui/dialogs/SortDialog.h"
#include "ui/widgets/ArgumentField.h"

using namespace quirnel;
using namespace quirnel::test;

namespace {

// Photos taken in this order: c, a, then b and the text file hold no date.
struct Photos : WindowWithFiles {
    Photos() {
        WriteJpeg(path("a.jpg"), {{"Exif.Photo.DateTimeOriginal", "2021:05:06 07:08:09"}});
        WriteJpeg(path("b.jpg"), {{"Exif.Image.Make", "Nobody"}});
        WriteJpeg(path("c.jpg"), {{"Exif.Photo.DateTimeOriginal", "2019:01:02 03:04:05"}});
        WriteJpeg(path("whole.jpg"), {{"Exif.Photo.DateTimeOriginal", "2023:07:04 09:05:31"},
                                      {"Exif.Image.ImageDescription", std::string(3000, 'x')}});
        dir.file("cut.jpg", dir.read("whole.jpg").substr(0, 600));
        dir.file("notes.txt", "text");
        std::vector<std::u16string> paths;
        for (const char* name : {"a.jpg", "b.jpg", "c.jpg", "cut.jpg", "notes.txt"}) paths.push_back(dir.u16(name));
        window->addPaths(paths);
    }
    QString tip(int row) { return model()->index(row, ColTaken).data(Qt::ToolTipRole).toString(); }
    void clickHeader(int column) {
        QHeaderView* header = list()->horizontalHeader();
        QRect r(header->sectionViewportPosition(column), 0, header->sectionSize(column), header->height());
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, r.center());
    }
};

}  // namespace

class WindowTakenTest : public QObject {
    Q_OBJECT
private slots:
    void columnIsShownStoredAndRestored();
    void shownColumnFillsInTheBackgroundAndSaysWhy();
    void headerSortReadsFirstAndPutsUndatedRowsLast();
    void escStopsTheReadingWithoutClosing();
    void rowsATemplateLeftAloneSayWhyInTheirTooltip();
};

void WindowTakenTest::columnIsShownStoredAndRestored() {
    AppState app;
    {
        MainWindow w(app);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QVERIFY(w.listView()->horizontalHeader()->isSectionHidden(ColTaken));
        QVERIFY(!w.action(menu::ShowTaken)->isChecked());
        w.runCommand(menu::ShowTaken);
        QVERIFY(w.action(menu::ShowTaken)->isChecked());
        QCOMPARE(w.listView()->model()->headerData(ColTaken, Qt::Horizontal).toString(), QString("Date Taken"));
        w.listView()->setSharedWidths(false);  // as a divider dragged by the user does
        w.listView()->horizontalHeader()->resizeSection(ColTaken, 173);
        w.close();
    }
    QCOMPARE(app.settings.ShowColumnFlag, 255 | 1 << ColTaken);
    QCOMPARE(app.settings.TakenColWidth, 173);
    QCOMPARE(app.settings.ColWidths.size(), size_t(ColumnCount));

    // Through the file and back, as a restart does.
    AppState restarted;
    ApplyConfigurationText(FormatConfiguration(app.settings, app.presets, app.hotkeys),
                           {restarted.settings, restarted.presets, restarted.hotkeys});
    MainWindow again(restarted);
    again.show();
    QVERIFY(QTest::qWaitForWindowExposed(&again));
    QCOMPARE(again.listView()->columnWidthOrZero(ColTaken), 173);
    again.runCommand(menu::ShowTaken);
    QCOMPARE(again.listView()->columnWidthOrZero(ColTaken), 0);
    again.close();
    QCOMPARE(restarted.settings.ShowColumnFlag, 255);
    QCOMPARE(restarted.settings.TakenColWidth, 173);
}

void WindowTakenTest::shownColumnFillsInTheBackgroundAndSaysWhy() {
    Photos f;
    QCOMPARE(f.cell(0, ColTaken), QString());  // hidden: nothing is read
    QVERIFY(!f.w().takenReading());
    f.w().runCommand(menu::ShowTaken);
    QTRY_COMPARE(f.cell(0, ColTaken), QString("2021-05-06 07:08:09"));
    QTRY_VERIFY(!f.w().takenReading());
    QCOMPARE(f.column(ColTaken), QStringList({"2021-05-06 07:08:09", "", "2019-01-02 03:04:05", "", ""}));
    QCOMPARE(f.tip(0), QString("2021-05-06 07:08:09"));
    QCOMPARE(f.tip(1), QString("No date taken: the file holds none."));
    QVERIFY2(f.tip(3).startsWith("The file could not be read: ") && f.tip(3).size() > 28, qPrintable(f.tip(3)));
    QCOMPARE(f.tip(4), QString("No date taken: the file holds none."));
    QVERIFY(!f.w().stopButton()->isVisible());

    f.w().runCommand(menu::ShowTaken);
    f.w().runCommand(menu::ShowTaken);  // shown again: every date is still known, nothing is read
    QVERIFY(!f.w().takenReading());
    QCOMPARE(f.cell(2, ColTaken), QString("2019-01-02 03:04:05"));
}

void WindowTakenTest::headerSortReadsFirstAndPutsUndatedRowsLast() {
    Photos f;  // the column stays hidden: the sort alone has the files read
    WhenModalOpens<SortDialog>([](SortDialog* d) {
        d->columnBox()->setCurrentIndex(ColTaken);
        d->accept();
    });
    f.w().runCommand(menu::SortList);
    QTRY_COMPARE(f.column(ColOldName), QStringList({"c.jpg", "a.jpg", "b.jpg", "cut.jpg", "notes.txt"}));
    QHeaderView* header = f.list()->horizontalHeader();
    QCOMPARE(header->sortIndicatorSection(), int(ColTaken));
    QCOMPARE(header->sortIndicatorOrder(), Qt::AscendingOrder);
    QCOMPARE(f.app.settings.SortColumn, int(ColTaken));

    f.w().runCommand(menu::ShowTaken);
    f.clickHeader(ColTaken);  // descending; rows without a date stay last, in their order
    QTRY_COMPARE(f.column(ColOldName), QStringList({"a.jpg", "c.jpg", "b.jpg", "cut.jpg", "notes.txt"}));
    QCOMPARE(header->sortIndicatorOrder(), Qt::DescendingOrder);
    QTRY_COMPARE(f.cell(0, ColTaken), QString("2021-05-06 07:08:09"));
}

void WindowTakenTest::escStopsTheReadingWithoutClosing() {
    WindowWithFiles f;
    std::vector<std::string> names;
    for (int i = 0; i < 300; ++i) names.push_back("f" + std::to_string(i) + ".jpg");
    f.add(names);
    std::atomic<int> reads{0};
    f.w().workspace().media = MediaCache([&reads](const std::u16string& path) {
        ++reads;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        return ReadMediaFields(path);
    });
    f.w().runCommand(menu::ShowTaken);
    QVERIFY(f.w().takenReading());
    QTRY_VERIFY(f.w().stopButton()->isVisible());
    QTRY_VERIFY(f.w().statusLine()->text().startsWith("Reading what files hold: "));
    QTRY_VERIFY(reads > 0);
    QTest::keyClick(f.list(), Qt::Key_Escape);
    QVERIFY(!f.w().takenReading());
    QVERIFY(f.w().isVisible());  // Esc stopped the reading, not the window
    QVERIFY(f.w().logPane()->toPlainText().contains("Reading what files hold was stopped after "));
    QVERIFY(!f.w().statusLine()->text().startsWith("Reading"));
    const int readAtStop = reads;
    QVERIFY(readAtStop < 300);
    QTest::qWait(100);
    QCOMPARE(int(reads), readAtStop);  // no reader goes on

    f.w().runCommand(menu::MoveDown);  // other commands do not start it again
    QVERIFY(!f.w().takenReading());
    f.w().runCommand(menu::ShowTaken);
    f.w().runCommand(menu::ShowTaken);  // shown again: read again
    QVERIFY(f.w().takenReading());
}

QTEST_MAIN(WindowTakenTest)
// Add Prefix from the template "{make} ", chosen in the dialog as a user does.
void WindowTakenTest::rowsATemplateLeftAloneSayWhyInTheirTooltip() {
    Photos f;
    f.app.settings.InputPreview = 1;
    QString previewTip;
    WhenModalOpens<CommandInputDialog>([&](CommandInputDialog* d) {
        d->selector()->setCurrentIndex(10);
        d->field1()->setPlainText("{make} ");
        QTableWidget* pane = d->previewPane()->table();
        QTRY_VERIFY(pane->rowCount() == 5 && pane->item(0, 1) && pane->item(0, 1)->toolTip().contains("{make}"));
        previewTip = pane->item(0, 1)->toolTip();
        QTest::keyClick(d->okButton(), Qt::Key_Return);
    });
    f.w().runCommand(menu::AddPrefix);
    QTRY_COMPARE(f.column(ColNewName), QStringList({"a.jpg", "Nobody b.jpg", "c.jpg", "cut.jpg", "notes.txt"}));
    auto tip = [&](int row, int column) { return f.model()->index(row, column).data(Qt::ToolTipRole).toString(); };
    QCOMPARE(tip(0, ColOldName), QString("a.jpg\nLeft unchanged: the file holds no {make}."));
    QCOMPARE(previewTip, QString("a.jpg\nLeft unchanged: the file holds no {make}.\nUnchanged"));
    QCOMPARE(tip(0, ColNewName), QString("a.jpg\nLeft unchanged: the file holds no {make}."));
    QCOMPARE(tip(1, ColOldName), QString("b.jpg"));
    QVERIFY2(tip(3, ColOldName).startsWith("cut.jpg\nThe file could not be read: "), qPrintable(tip(3, ColOldName)));

    f.clickHeader(ColNewName);  // the note stays with its row
    QTRY_COMPARE(f.column(ColOldName), QStringList({"a.jpg", "c.jpg", "cut.jpg", "b.jpg", "notes.txt"}));
    QCOMPARE(tip(1, ColOldName), QString("c.jpg\nLeft unchanged: the file holds no {make}."));
}

#include "window_taken_test.moc"
