#pragma once
#include <QAbstractItemModel>
#include <QApplication>
#include <QPlainTextEdit>
#include <QTest>
#include <functional>
#include <string>
#include <vector>

#include "../core/TestSupport.h"
#include "ui/mainwindow/MainWindow.h"
#include "ui/mainwindow/NameListView.h"

namespace quirnel::test {

// The window with its seams answered by the test: questions by identity,
// file choices by the names the test sets.
class TestWindow : public MainWindow {
public:
    using MainWindow::MainWindow;
    bool askYesNo(Question question, const std::u16string& text) override {
        asked.push_back(question);
        return answer(question, QString::fromStdU16String(text));
    }
    std::function<bool(Question, const QString&)> answer = [](Question, const QString&) { return false; };
    std::vector<Question> asked;
    QString fileToSave, fileToOpen;
    QStringList fileTitles;

protected:
    QString chooseTextFileToSave(const QString& title) override {
        fileTitles << title;
        return fileToSave;
    }
    QString chooseTextFileToOpen(const QString& title) override {
        fileTitles << title;
        return fileToOpen;
    }
};

// A window over rows added by the real adding code from a temporary folder.
struct WindowWithFiles {
    TempDir dir;
    AppState app;
    std::unique_ptr<TestWindow> window;

    explicit WindowWithFiles(const std::vector<std::string>& files = {}, bool threaded = true) {
        app.settings.AutoSort = 0;  // rows in the order given
        app.settings.LoadType = 0;
        app.settings.UseThread = threaded ? 1 : 0;
        window = std::make_unique<TestWindow>(app);
        window->show();
        (void)QTest::qWaitForWindowExposed(window.get());
        add(files);
    }
    void add(const std::vector<std::string>& files) {
        std::vector<std::u16string> paths;
        for (const std::string& f : files) {
            dir.file(f, f);
            paths.push_back(dir.u16(f));
        }
        if (!paths.empty()) window->addPaths(paths);
    }
    TestWindow& w() { return *window; }
    NameListView* list() { return window->listView(); }
    QAbstractItemModel* model() { return window->listView()->model(); }
    QString cell(int row, int column) { return model()->index(row, column).data().toString(); }
    QStringList column(int c) {
        QStringList out;
        for (int r = 0; r < model()->rowCount(); ++r) out << cell(r, c);
        return out;
    }
    void select(std::initializer_list<int> rows) {
        list()->clearSelection();
        for (int r : rows)
            list()->selectionModel()->select(model()->index(r, 0),
                                             QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
    QStringList logLines() { return window->logPane()->toPlainText().split('\n'); }
    std::string path(const std::string& rel) { return dir / rel; }
};

// A key press as the user makes it: to the widget that has the focus.
inline void Press(QWidget* target, Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QTest::keyClick(target, key, mods);
}

}  // namespace quirnel::test
