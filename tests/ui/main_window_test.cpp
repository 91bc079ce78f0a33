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

#include "ui/MainWindow.h"
#include "ui/NameListModel.h"
#include "ui/NameListView.h"

using namespace quirnel;

namespace {

// The window with its one question seam answered by the test, by identity.
class AnsweredWindow : public MainWindow {
public:
    using MainWindow::MainWindow;
    bool AskYesNo(Question question, const std::u16string& text) override {
        asked.push_back(question);
        return answer(question, QString::fromStdU16String(text));
    }
    std::function<bool(Question, const QString&)> answer = [](Question, const QString&) { return false; };
    std::vector<Question> asked;
};

}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT
private slots:
    void opensReadyWithEmptyList();
    void droppedFolderBecomesRowsAfterOneQuestion();
};

void MainWindowTest::opensReadyWithEmptyList() {
    AppState app;
    MainWindow dlg(app);
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    QVERIFY(dlg.logPane()->toPlainText().startsWith('['));
    QVERIFY(dlg.logPane()->toPlainText().endsWith("] Quirnel is ready."));
    QCOMPARE(dlg.statusLine()->text(), QString("Drag & Drop or use \"File\" menu to add files"));
    QCOMPARE(dlg.listView()->model()->columnCount(), 8);
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

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
