#include <QDropEvent>
#include <QLabel>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <fstream>
#include <functional>
#include <vector>

#include <QAction>
#include <QRegularExpression>
#include <QHeaderView>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QToolButton>

#include "ModalHelpers.h"
#include "WindowTestSupport.h"
#include "base/MenuIds.h"
#include "base/StringTable.h"
#include "ui/Application.h"
#include "ui/ScreenRect.h"
#include "ui/widgets/CommandPanel.h"
#include "ui/dialogs/MessageDialog.h"
#include "ui/mainwindow/NameListModel.h"
#include "ui/mainwindow/NameListView.h"
#include "ui/widgets/SplitterBar.h"

using namespace quirnel;
using namespace quirnel::test;
using AnsweredWindow = TestWindow;

class MainWindowTest : public QObject {
    Q_OBJECT
private slots:
    void opensReadyWithEmptyList();
    void droppedFolderBecomesRowsAfterOneQuestion();
    void escOnAnEmptyListClosesWithoutAsking();
    void windowStateSurvivesARestart();
    void columnsShareTheWidthUntilTheUserSetsOne();
    void longNamesStayApartAndTheListNeverScrollsSideways();
    void firstRectangleLeavesRoomForTheTitleBar();
    void offScreenRectangleIsIgnored();
    void panelsStackOrTakeTheRightEdge();
    void splitterDragsWithinItsLimits();
    void versionShowsTheBuild();
    void applicationIconIsThereEvenWhenNotInstalled();
    void koreanCaptionsAreThere();
};

namespace {

void DragBar(SplitterBar* bar, int y) {
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(5, 5), bar->mapToGlobal(QPointF(5, 5)), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(bar, &press);
    QMouseEvent move(QEvent::MouseMove, QPointF(5, y), bar->mapToGlobal(QPointF(5, y)), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QCoreApplication::sendEvent(bar, &move);
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(5, y), bar->mapToGlobal(QPointF(5, y)), Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(bar, &release);
}

}  // namespace

void MainWindowTest::opensReadyWithEmptyList() {
    AppState app;
    MainWindow dlg(app);
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    QVERIFY(dlg.logPane()->toPlainText().startsWith('['));
    QVERIFY(dlg.logPane()->toPlainText().endsWith("] Quirnel is ready."));
    QCOMPARE(dlg.statusLine()->text(), QString("Drag & Drop or use \"File\" menu to add files"));
    QCOMPARE(dlg.listView()->model()->columnCount(), 9);
    QCOMPARE(dlg.listView()->columnWidthOrZero(ColTaken), 0);  // the date taken is hidden until asked for
    QCOMPARE(dlg.listView()->model()->headerData(4, Qt::Horizontal).toString(), QString("Size"));
}

void MainWindowTest::droppedFolderBecomesRowsAfterOneQuestion() {
    QTemporaryDir dir;
    for (const char* rel : {"one/a.txt", "one/b.jpg", "two/c.txt"}) {
        QString path = dir.filePath(rel);
        QDir().mkpath(QFileInfo(path).path());
        std::ofstream(path.toStdString()) << "data";
    }
    AppState app;
    app.settings.LoadType = 2;
    AnsweredWindow dlg(app);
    int asked = 0;
    dlg.answer = [&](Question q, const QString&) {
        ++asked;
        return q != Question::AddFolderItself;  // No: the files in the folder
    };
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));

    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(dir.filePath("two")), QUrl::fromLocalFile(dir.filePath("one"))});
    QPoint at = dlg.rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&dlg, &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&dlg, &drop);
    QVERIFY(drop.isAccepted());
    QCOMPARE(asked, 0);  // added after the drag has ended, never inside it

    QTRY_COMPARE(asked, 1);
    QVERIFY(dlg.asked == std::vector<Question>{Question::AddFolderItself});
    QAbstractItemModel* model = dlg.listView()->model();
    QCOMPARE(model->rowCount(), 3);
    QStringList firstTwo = {model->index(0, 0).data().toString(), model->index(1, 0).data().toString()};
    firstTwo.sort();
    QCOMPARE(firstTwo, QStringList({"a.txt", "b.jpg"}));  // the drop is read in logical order: one before two
    QCOMPARE(model->index(2, 0).data().toString(), QString("c.txt"));
    QCOMPARE(model->index(0, 4).data().toString(), QString("4"));
    QCOMPARE(model->index(0, 4).data(Qt::TextAlignmentRole).toInt() & Qt::AlignRight, int(Qt::AlignRight));
    QCOMPARE(dlg.statusLine()->text(), QString("Number of items : 3"));
    QVERIFY(dlg.logPane()->toPlainText().endsWith("] Added 3 item(s) to the list."));
    QVERIFY(!model->index(0, 0).data(Qt::DecorationRole).value<QIcon>().isNull());

    if (qEnvironmentVariableIsSet("QUIRNEL_SCREENSHOT"))
        dlg.grab().save(qEnvironmentVariable("QUIRNEL_SCREENSHOT"));

    // Esc closes, but rows added since the last apply make it ask first.
    QStringList asked2;
    bool allowExit = false;
    dlg.answer = [&](Question, const QString& q) {
        asked2 << q;
        return allowExit;
    };
    QTest::keyClick(&dlg, Qt::Key_Escape);
    QCOMPARE(asked2, QStringList({"Do you want to exit?"}));
    QVERIFY(dlg.asked.back() == Question::ExitWithUnapplied);
    QVERIFY(dlg.isVisible());
    QCOMPARE(model->rowCount(), 3);
    allowExit = true;
    QTest::keyClick(&dlg, Qt::Key_Escape);
    QVERIFY(!dlg.isVisible());
    QCOMPARE(model->rowCount(), 0);  // the list is cleared on the way out
}

void MainWindowTest::escOnAnEmptyListClosesWithoutAsking() {
    WindowWithFiles f;
    f.app.flags.unappliedFlag = 1;  // only rows that are still listed make it ask
    Press(f.list(), Qt::Key_Escape);
    QVERIFY(!f.w().isVisible());
    QVERIFY(f.w().asked.empty());
}

// Columns, widths, the arrow and the normal (not maximised) rectangle come back.
void MainWindowTest::windowStateSurvivesARestart() {
    AppState app;
    {
        MainWindow w(app);
        w.setGeometry(40, 50, 640, 420);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.runCommand(menu::ShowFileSize);
        w.listView()->setSharedWidths(false);  // as a divider dragged by the user does
        w.listView()->horizontalHeader()->resizeSection(ColNewName, 251);
        w.listView()->horizontalHeader()->resizeSection(ColOldFolder, 77);
        w.workspace().sortColumn = ColModified;
        w.workspace().sortAscending = false;
        w.showMaximized();
        QTRY_VERIFY(w.isMaximized());
        QTRY_VERIFY(w.geometry().width() > 700);  // maximised for real
        w.close();
    }
    QCOMPARE(app.settings.RectMain, (Rect{40, 50, 680, 470}));
    QCOMPARE(app.settings.ShowColumnFlag, 255 & ~(1 << ColSize));

    MainWindow again(app);
    again.show();
    QVERIFY(QTest::qWaitForWindowExposed(&again));
    QCOMPARE(again.geometry(), QRect(40, 50, 640, 420));
    QHeaderView* header = again.listView()->horizontalHeader();
    QVERIFY(header->isSectionHidden(ColSize));
    QVERIFY(!again.action(menu::ShowFileSize)->isChecked());
    QCOMPARE(header->sectionSize(ColNewName), 251);
    QCOMPARE(header->sectionSize(ColOldFolder), 77);
    QCOMPARE(header->sortIndicatorSection(), int(ColModified));
    QCOMPARE(header->sortIndicatorOrder(), Qt::DescendingOrder);
    again.runCommand(menu::ShowFileSize);  // the hidden column comes back at its width
    QCOMPARE(again.listView()->columnWidthOrZero(ColSize), int(app.settings.ColWidths[ColSize]));
    QVERIFY(again.listView()->columnWidthOrZero(ColSize) > 0);

    // A name column cannot be dragged out of sight.
    header->resizeSection(ColOldName, 0);
    QVERIFY(header->sectionSize(ColOldName) >= again.listView()->nameColumnMinimum());
    QVERIFY(again.listView()->nameColumnMinimum() > 0);
}

// Without widths of the user's, the name and folder columns share the
// list's width as it grows and dates show a whole time; a double click on
// a divider fits that column and keeps it.
void MainWindowTest::columnsShareTheWidthUntilTheUserSetsOne() {
    TempDir dir;
    const std::string deep = "Pictures/2024/holiday-at-the-sea-with-everyone/day-three";
    dir.file(deep + "/IMG_20240612_101112.jpg");
    AppState app;
    app.settings.ShowColumnFlag = (1 << ColOldName) | (1 << ColNewName) | (1 << ColOldFolder) | (1 << ColModified);
    TestWindow w(app);
    w.answer = [](Question, const QString&) { return true; };
    w.resize(900, 500);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.addPaths({dir.u16(deep + "/IMG_20240612_101112.jpg")});
    NameListView* list = w.listView();
    QHeaderView* header = list->horizontalHeader();
    auto used = [&] { return header->length(); };
    QVERIFY2(std::abs(used() - list->viewport()->width()) < 8, qPrintable(QString("%1 %2").arg(used()).arg(list->viewport()->width())));
    const QString time = list->model()->index(0, ColModified).data().toString();
    QVERIFY(header->sectionSize(ColModified) > list->fontMetrics().horizontalAdvance(time));
    const int nameBefore = header->sectionSize(ColNewName);
    w.resize(1600, 700);
    QTRY_VERIFY(header->sectionSize(ColNewName) > nameBefore);
    QVERIFY(std::abs(used() - list->viewport()->width()) < 8);

    // The divider after Old Folder: a double click fits it to its content.
    const int divider = header->sectionViewportPosition(ColOldFolder) + header->sectionSize(ColOldFolder) - 1;
    QTest::mouseDClick(header->viewport(), Qt::LeftButton, {}, QPoint(divider, header->height() / 2));
    QVERIFY(!list->sharedWidths());
    const int fitted = header->sectionSize(ColOldFolder);
    const QString folder = list->model()->index(0, ColOldFolder).data().toString();
    QVERIFY(fitted > list->fontMetrics().horizontalAdvance(folder));  // the whole folder shows
    w.resize(1000, 600);
    QTRY_COMPARE(list->viewport()->width() < 900, true);
    QCOMPARE(header->sectionSize(ColOldFolder), fitted);  // the user's width stays
    w.close();
    QCOMPARE(app.settings.ColWidths.size(), size_t(ColumnCount));
}

// Every column shown, the default opening size: what tells the two names
// apart shows, times are whole, and nothing lies beyond the right edge. A
// wide window shows the names and folders whole.
void MainWindowTest::longNamesStayApartAndTheListNeverScrollsSideways() {
    TempDir dir;
    const std::string folder = "Pictures/2024 holiday/day three";
    for (const char* name : {"IMG_20240612_101512_HDR_holiday_beach.jpg", "IMG_20240612_101547_HDR_holiday_beach.jpg"})
        dir.file(folder + "/" + name);
    AppState app;
    TestWindow w(app);
    w.answer = [](Question, const QString&) { return false; };  // the files in the folder
    w.resize(1000, 640);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.addPaths({dir.u16(folder)});
    NameListView* list = w.listView();
    QHeaderView* header = list->horizontalHeader();
    QCOMPARE(list->model()->rowCount(), 2);
    QTRY_VERIFY2(header->length() <= list->viewport()->width(), qPrintable(QString::number(header->length())));
    auto shown = [&](int row, int column) {  // the text as the cell shows it
        const QString text = list->model()->index(row, column).data().toString();
        const int room = header->sectionSize(column) - 8 - (column == ColOldName ? list->iconSize().width() : 0);
        return list->fontMetrics().elidedText(text, Qt::ElideRight, room);
    };
    // The new rows are measured once the list has taken them in.
    for (int c : {int(ColOldName), int(ColNewName)}) QTRY_VERIFY2(shown(0, c) != shown(1, c), qPrintable(shown(0, c)));
    QVERIFY(header->length() <= list->viewport()->width());
    for (int c : {int(ColModified), int(ColCreated)})
        QCOMPARE(shown(0, c), list->model()->index(0, c).data().toString());

    w.resize(1900, 900);
    QTRY_VERIFY(list->viewport()->width() > 1700);
    QTRY_VERIFY(header->length() <= list->viewport()->width());
    for (int c : {int(ColOldName), int(ColNewName), int(ColOldFolder), int(ColNewFolder)})
        QVERIFY2(header->sectionSize(c) >= static_cast<QAbstractItemView*>(list)->sizeHintForColumn(c), qPrintable(QString::number(c)));
    QVERIFY(header->length() > list->viewport()->width() - 8);  // no blank half
}

void MainWindowTest::firstRectangleLeavesRoomForTheTitleBar() {
    struct Case {
        QRect screen;
        QRect expected;
    } cases[] = {
        {QRect(0, 0, 1920, 1040), QRect(460, 220, 1000, 640)},  // all it wants, the frame centred
        {QRect(0, 0, 800, 600), QRect(10, 40, 780, 560)},       // the frame's top at the screen's
        {QRect(100, 30, 700, 400), QRect(110, 70, 680, 360)},   // a panel above and to the left
    };
    for (const Case& c : cases) {
        const QRect r = FirstWindowRect(c.screen, QSize(1000, 640), QSize(300, 200));
        QCOMPARE(r, c.expected);
        QVERIFY(c.screen.contains(r.adjusted(0, -40, 0, 0)));
    }
    QCOMPARE(FirstWindowRect(QRect(0, 0, 200, 100), QSize(1000, 640), QSize(300, 200)).size(), QSize(300, 200));
}

void MainWindowTest::offScreenRectangleIsIgnored() {
    AppState app;
    app.settings.RectMain = {-3000, 40, -2150, 600};
    MainWindow w(app);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QVERIFY(w.geometry().left() > -3000);
    app.settings.RectMain = {0, 0, 150, 90};  // on screen, but too small to be a window
    MainWindow small(app);
    QVERIFY(small.width() > 150);
}

void MainWindowTest::panelsStackOrTakeTheRightEdge() {
    WindowWithFiles f({"a.txt"});
    TestWindow& w = f.w();
    const QWidget* client = w.centralWidget();
    const MainLayout& l = w.currentLayout();
    w.resize(900, 900);
    QTRY_COMPARE(client->height(), 900 - w.menuBar()->height());
    QVERIFY(l.stacked);
    QCOMPARE(w.rightPanel()->geometry().x(), 0);
    QVERIFY(w.rightPanel()->geometry().top() >= w.leftPanel()->geometry().bottom());
    QCOMPARE(f.list()->geometry().x(), w.leftPanel()->width());
    QCOMPARE(f.list()->geometry().right() + 1, client->width());

    w.resize(900, 320);
    QTRY_VERIFY(!l.stacked);
    QCOMPARE(w.rightPanel()->geometry().right() + 1, client->width());
    QCOMPARE(f.list()->geometry().right() + 1, w.rightPanel()->geometry().x());
    QCOMPARE(w.leftPanel()->width(), w.rightPanel()->width());
    for (CommandPanel* panel : {w.leftPanel(), w.rightPanel()})
        for (int command : panel->commands()) {  // every caption fits its button
            QToolButton* b = panel->button(command);
            QVERIFY2(b->width() >= b->fontMetrics().horizontalAdvance(b->text()), qPrintable(b->text()));
        }
    QVERIFY(!w.stopButton()->isVisible());
    QCOMPARE(w.statusLine()->width(), client->width());
}

void MainWindowTest::splitterDragsWithinItsLimits() {
    WindowWithFiles f;
    TestWindow& w = f.w();
    w.resize(800, 600);
    QTRY_COMPARE(w.currentLayout().logHeight, 50);
    DragBar(w.splitterBar(), 3);  // 5 pixels or less: nothing
    QCOMPARE(f.app.settings.LogHeight, 50);
    DragBar(w.splitterBar(), -40);  // up: a taller log
    QCOMPARE(f.app.settings.LogHeight, 90);
    QCOMPARE(w.logPane()->height(), 80);
    DragBar(w.splitterBar(), 80);  // would leave it 10 high
    QCOMPARE(f.app.settings.LogHeight, 90);

    // A huge stored height leaves the list visible and is not overwritten.
    f.app.settings.LogHeight = 100000;
    w.layoutWindow();
    QVERIFY(f.list()->height() > 0);
    QCOMPARE(f.app.settings.LogHeight, 100000);
    DragBar(w.splitterBar(), 20);  // a drag starts from what is shown
    QCOMPARE(f.app.settings.LogHeight, w.currentLayout().logHeight);
    QVERIFY(f.app.settings.LogHeight < 1000);

    // Hidden, the log keeps its lines and its height.
    const int height = f.app.settings.LogHeight;
    w.runCommand(menu::ToggleLog);
    QVERIFY(!w.logPane()->isVisible() && !w.splitterBar()->isVisible());
    QVERIFY(!w.action(menu::ToggleLog)->isChecked());
    w.AppendLog(u"while hidden");
    w.runCommand(menu::ToggleLog);
    QVERIFY(w.logPane()->isVisible());
    QVERIFY(w.logPane()->toPlainText().endsWith("] while hidden"));
    QCOMPARE(f.app.settings.LogHeight, height);
}

void MainWindowTest::versionShowsTheBuild() {
    WindowWithFiles f;
    QString title, text;
    WhenModalOpens<MessageDialog>([&](MessageDialog* d) {
        title = d->windowTitle();
        text = d->textField()->toPlainText();
        d->accept();
    });
    f.w().runCommand(menu::Version);
    QCOMPARE(title, QString("Version Infomation"));
    QVERIFY2(QRegularExpression("^Quirnel v\\d+\\.\\d+.* \\(\\d{4}-\\d\\d-\\d\\d Release\\)\n\n\\S").match(text).hasMatch(),
             qPrintable(text));
}

// Run from the build folder, where no icon theme knows the program.
void MainWindowTest::applicationIconIsThereEvenWhenNotInstalled() {
    const QIcon icon = ApplicationIcon();
    QVERIFY(!icon.isNull());
    for (int size : {16, 48, 256}) QVERIFY2(icon.availableSizes().contains(QSize(size, size)), qPrintable(QString::number(size)));
    QCOMPARE(icon.pixmap(QSize(48, 48)).size(), QSize(48, 48));
}

// Every menu item, button and the Stop button have their Korean text.
void MainWindowTest::koreanCaptionsAreThere() {
    SetUiLanguage(UiLanguage::Korean);
    AppState app;
    MainWindow w(app);
    for (QAction* menu : w.menuBar()->actions()) QVERIFY(!menu->text().isEmpty());
    QCOMPARE(w.menuBar()->actions().first()->text(), QString("파일(&F)"));
    for (QMenu* menu : w.menuBar()->findChildren<QMenu*>())
        for (QAction* a : menu->actions())
            if (!a->isSeparator()) QVERIFY2(!a->text().section('\t', 0, 0).isEmpty(), qPrintable(menu->title()));
    QCOMPARE(w.leftPanel()->button(menu::Replace)->text(), QString("문자열 교체"));
    QCOMPARE(w.stopButton()->text(), QString("중지(Esc)"));
    QCOMPARE(w.action(menu::ToggleLog)->text(), QString("작업 기록 보기(&A)"));
    QCOMPARE(w.action(menu::AddFiles)->text(), QString("파일 추가(&A)...\tCtrl\uFF0BO"));
    QCOMPARE(w.action(menu::Exit)->text(), QString("끝내기(&X)\tEsc"));  // the letter of "E&xit"
    SetUiLanguage(UiLanguage::English);
}

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
