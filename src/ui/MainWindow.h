#pragma once
#include <QMainWindow>
#include <memory>

#include "app/AppState.h"
#include "base/Host.h"
#include "namelist/Workspace.h"

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QSplitter;

namespace quirnel {

class NameListView;
class NameListModel;
class UiIconProvider;

// The main window: the name list, the log pane under it, the status line.
class MainWindow : public QMainWindow, public Host {
    Q_OBJECT
public:
    explicit MainWindow(AppState& app, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Host: what the core tells the user.
    void AppendLog(const std::u16string& message) override;
    void SetStatusText(const std::u16string& text) override;
    void ShowMessageDialog(const std::u16string& text, const std::u16string& title) override;
    // Every question of the window and the core, its own exit question
    // included, comes here: a test answers them by overriding this.
    bool AskYesNo(Question question, const std::u16string& text) override;

    // One add batch of paths, as a drop or a picker delivers them.
    void addPaths(const std::vector<std::u16string>& paths);
    void dropPaths(const std::vector<std::u16string>& dropped);

    Workspace& workspace() { return ws_; }
    NameListView* listView() const { return list_; }
    QPlainTextEdit* logPane() const { return log_; }
    QLabel* statusLine() const { return status_; }

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenus();
    void buildLayout();
    void onAddFiles();
    void onAddFolders();

    AppState& app_;
    Workspace ws_;
    std::unique_ptr<UiIconProvider> icons_;
    NameListModel* model_ = nullptr;
    NameListView* list_ = nullptr;
    QPlainTextEdit* log_ = nullptr;
    QLabel* status_ = nullptr;
    QPushButton* stop_ = nullptr;
    QSplitter* splitter_ = nullptr;
};

}  // namespace quirnel
