#pragma once
#include <QColor>
#include <QFont>
#include <QMainWindow>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "app/AppState.h"
#include "app/ColumnState.h"
#include "app/CommandState.h"
#include "app/WindowGeometry.h"
#include "apply/ApplyEngine.h"
#include "base/Host.h"
#include "namelist/Workspace.h"
#include "run/CommandCatalogue.h"

class QAction;
class QKeyEvent;
class QLabel;
class QMenu;
class QMimeData;
class QPlainTextEdit;
class QPushButton;
class QTimer;

namespace quirnel {

class ApplyWorker;
class CommandPanel;
class RowStatusTask;
class KeyFilter;
class MediaFillTask;
class NameListModel;
class NameListView;
class SplitterBar;
class UiIconProvider;

// The main window: the name list between two panels of command buttons, the
// log pane under it, the status line with the Stop button. Every menu
// command, panel button and hotkey ends in runCommand. Its members live in
// several files by concern: opening and the host (MainWindow.cpp), menus and
// greying (MainWindowMenus.cpp), the dispatcher and list commands
// (MainWindowCommands.cpp), adding, clipboard and files
// (MainWindowTransfer.cpp), apply runs (MainWindowApply.cpp), journals and
// every row's fate (MainWindowJournal.cpp), layout, columns and the close
// path (MainWindowLayout.cpp), options, hotkeys, the preset editor and
// preset group files (MainWindowOptions.cpp), the date taken read in the
// background (MainWindowMedia.cpp).
class MainWindow : public QMainWindow, public Host {
    Q_OBJECT
public:
    explicit MainWindow(AppState& app, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Host: what the core tells the user.
    void AppendLog(const std::u16string& message) override;
    void appendLogLines(const std::vector<TimedLine>& lines) override;
    void SetStatusText(const std::u16string& text) override;
    void ShowMessageDialog(const std::u16string& text, const std::u16string& title) override;
    // Every question of the window and the core, its own exit question
    // included, comes here: a test answers them by overriding this.
    bool askYesNo(Question question, const std::u16string& text) override;
    void setProgress(int percent) override;
    void commandStateChanged() override;
    void rowsRemoved() override;
    void showPathLoadOptions() override;

    // The dispatcher: runs a menu command unless it is greyed, has no menu
    // item, or a run is busy. shift is whether Shift was held.
    void runCommand(int command, bool shift = false);
    // Whether runCommand would run it now; the menu, panels and context menu show the same.
    bool commandEnabled(int command) const;
    // Whether a menu command has a handler in this window at all.
    static bool hasRoute(int command);
    // An apply run is going: its worker is alive (also after a stop was
    // requested) or it runs on this thread.
    bool busy() const;

    // At start-up: one question for each apply run that was interrupted.
    void recoverInterruptedRuns();
    // The Redo item names the reverted run it would bring back, or is greyed;
    // looked up again whenever the File menu opens.
    void refreshRedoItem();
    // Every row's fate is looked up again, off this thread; the rows show it
    // as colours and tooltips once it arrives.
    void refreshRowStatuses();
    bool rowStatusesPending() const;
    // The Date Taken column is being read (or a sort by it waits for it).
    bool takenReading() const { return fill_ != nullptr; }

    // One add batch of paths, as a picker delivers them.
    void addPaths(const std::vector<std::u16string>& paths);
    // Paths dropped (or given on the command line): read as a drop, one batch.
    void dropPaths(const std::vector<std::u16string>& dropped);

    // What the options and hotkey dialogs change.
    void applyIconSize();
    void applyListFont();
    void applyListColors();
    void refreshMenuTexts();
    void layoutWindow();
    // The list's font while UseDefaultFont is 0; kept while the default font shows.
    const QFont& customListFont() const { return customListFont_; }
    void setCustomListFont(const QFont& font) { customListFont_ = font; }

    Workspace& workspace() { return ws_; }
    NameListView* listView() const { return list_; }
    QPlainTextEdit* logPane() const { return log_; }
    QLabel* statusLine() const { return status_; }
    QPushButton* stopButton() const { return stop_; }
    CommandPanel* leftPanel() const { return leftPanel_; }
    CommandPanel* rightPanel() const { return rightPanel_; }
    SplitterBar* splitterBar() const { return bar_; }
    QAction* action(int command) const;
    const MainLayout& currentLayout() const { return layout_; }
    // A run on the worker whose last change on disk is made (its updates may still wait).
    bool runChangesOver() const;
    int fontPoints() const { return fontPoints_; }

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

    // File choices, a seam a test can answer without a modal file dialog.
    // An empty answer means cancelled.
    virtual QStringList chooseFilesToAdd();
    QString rowFolder() const;  // where pickers start
    virtual QStringList chooseFoldersToAdd();
    virtual QString chooseTextFileToSave(const QString& title);
    virtual QString chooseTextFileToOpen(const QString& title);

private:
    struct Route;
    using Handler = void (MainWindow::*)(int command, bool shift);
    struct RowRange {
        int first, last;
    };

    // Opening (MainWindow.cpp).
    void buildControls();
    void placeFirstTime();
    void showStatus();
    void openWindowState();

    // Menus and greying (MainWindowMenus.cpp).
    void buildMenus();
    void addMenuEntries(QMenu* popup, const std::vector<struct MenuEntry>& entries);
    void updateCommandState();
    void markMenus();  // every item gets an access letter
    void showContextMenu(const QPoint& at);
    CommandState commandState() const;

    // Dispatch and list commands (MainWindowCommands.cpp).
    static const std::vector<Route>& routes();
    static Handler routeHandler(WindowRoute route);
    static Handler handlerOf(int command);
    bool handleKey(QWidget* target, QKeyEvent* event);
    void cmdExit(int, bool);
    void cmdRunPreset(int command, bool);
    void cmdApply(int, bool);
    void cmdUndo(int command, bool shift);
    void cmdClear(int command, bool shift);
    void cmdSortDialog(int, bool);
    void cmdEditName(int, bool);
    bool editCurrentRow();
    void cmdRemoveSelected(int, bool);
    void cmdMove(int command, bool);
    void cmdRename(int command, bool);
    void cmdToggleColumn(int command, bool);
    void cmdLanguage(int command, bool);
    void cmdToggleLog(int, bool);
    void cmdChangedOnly(int, bool);
    void cmdVersion(int, bool);
    void runListCommand(CommandId command, int subCommand, const std::u16string& arg1, const std::u16string& arg2);
    void showChanges(Changes changes, int rowsBefore, std::optional<RowRange> rows = std::nullopt);
    void afterRowsChanged();

    // The preset editor and preset group files (MainWindowOptions.cpp).
    void cmdPresetEditor(int, bool);
    void cmdExportPresets(int, bool);
    void cmdImportPresets(int, bool);

    // Adding, clipboard and text files (MainWindowTransfer.cpp).
    void cmdAddFiles(int, bool);
    void cmdAddFolders(int, bool);
    void cmdCopyText(int command, bool);
    void cmdPaste(int command, bool);
    void cmdSaveFile(int command, bool);
    void cmdLoadFile(int command, bool);
    void addBatch(const std::function<void()>& add);
    void addDroppedLater(std::vector<std::u16string> dropped);

    // Apply runs (MainWindowApply.cpp).
    void startApply(ApplyType applyType);
    void drainRun();
    void finishRun(const ApplyOutcome& outcome);
    void setRunControls(bool running);
    void askStop();
    void waitForRun();

    // Journals and row statuses (MainWindowJournal.cpp).
    void cmdRevertLastApply(int, bool);
    void cmdRedoRevertedApply(int, bool);
    bool offerRevertOfLastApply();
    void stopRowStatuses();
    void startRowStatuses();
    void takeRowStatuses();

    // The date taken, read off this thread (MainWindowMedia.cpp).
    void refreshTaken();
    void stopTaken();
    bool stopTakenByUser();  // false when nothing was being read
    void takeTaken();
    bool sortByTaken(bool ascending);  // false while the dates are still to be read

    // Options and hotkeys (MainWindowOptions.cpp).
    void cmdLoadOptions(int, bool);
    void cmdViewOptions(int, bool);
    void cmdOtherOptions(int, bool);
    void cmdHotkeys(int, bool);

    // Layout, columns, sorting by header, the close path (MainWindowLayout.cpp).
    void onSplitterDragged(int d);
    void onHeaderClicked(int column);
    void showSortIndicator();
    void sortRows(int column, bool ascending);
    ColumnWidths currentColumnWidths() const;
    void storeWindowState();

    AppState& app_;
    Workspace ws_;
    std::unique_ptr<UiIconProvider> icons_;
    NameListModel* model_ = nullptr;
    NameListView* list_ = nullptr;
    QWidget* client_ = nullptr;
    CommandPanel* leftPanel_ = nullptr;
    CommandPanel* rightPanel_ = nullptr;
    SplitterBar* bar_ = nullptr;
    QPlainTextEdit* log_ = nullptr;
    QLabel* status_ = nullptr;
    QString statusText_;  // what the core said last; the count of hidden rows follows it
    QPushButton* stop_ = nullptr;
    KeyFilter* keys_ = nullptr;
    std::map<int, QAction*> actions_;
    MainLayout layout_;
    int panelWidth_ = 0;
    int fontPoints_ = 9;  // the dialog font's point size (F)
    QFont defaultListFont_;
    QFont customListFont_;
    QColor systemBase_, systemText_;

    std::unique_ptr<ApplyWorker> worker_;
    std::unique_ptr<RowStatusTask> statusTask_;
    QTimer* statusDelay_ = nullptr;
    std::unique_ptr<MediaFillTask> fill_;
    std::optional<bool> sortWhenRead_;  // the direction of a sort by date taken that waits for the reading
    bool takenStopped_ = false;         // the user stopped the reading: it starts again only when asked
    QString statusBeforeFill_;
    bool syncRunning_ = false;
    bool redoable_ = false;  // a reverted run can be redone (refreshRedoItem)
    std::u16string lastApplyJournal_;  // the journal of this window's last apply that kept one
    bool draining_ = false;  // a worker's updates are being taken (a report may be open)
    bool tearingDown_ = false;
};

}  // namespace quirnel
