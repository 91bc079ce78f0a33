#pragma once
#include <QMainWindow>
#include <functional>
#include <memory>

#include "app/AppState.h"
#include "app/Host.h"
#include "namelist/Workspace.h"

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QSplitter;

namespace quirnel {

class CNameListCtrl;
class NameListModel;
class UiIconProvider;

// The main window: the name list, the log pane under it, the status line.
class CQuirnelDlg : public QMainWindow, public Host {
    Q_OBJECT
public:
    explicit CQuirnelDlg(AppState& app, QWidget* parent = nullptr);
    ~CQuirnelDlg() override;

    // Host: what the core tells the user.
    void AppendLog(const std::u16string& message) override;
    void SetStatusText(const std::u16string& text) override;
    void ShowMessageDialog(const std::u16string& text, const std::u16string& title) override;
    bool AskYesNo(const std::u16string& question) override;

    // Tests answer the window's questions here instead of a message box.
    void setQuestionAnswerer(std::function<bool(const QString&)> answerer) { answerer_ = std::move(answerer); }

    // One add batch of paths, as a drop or a picker delivers them.
    void addPaths(const std::vector<std::u16string>& paths);
    void dropPaths(const std::vector<std::u16string>& dropped);

    Workspace& workspace() { return ws_; }
    CNameListCtrl* listView() const { return list_; }
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
    CNameListCtrl* list_ = nullptr;
    QPlainTextEdit* log_ = nullptr;
    QLabel* status_ = nullptr;
    QPushButton* stop_ = nullptr;
    QSplitter* splitter_ = nullptr;
    std::function<bool(const QString&)> answerer_;
};

}  // namespace quirnel
