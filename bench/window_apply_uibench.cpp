// How long after an apply run of many renames the window shows its Result
// Report, beside the same run on the core alone: the difference is what the
// window adds (taking the worker's updates, the log pane, the rows' repaint).
// Usage: window_apply_uibench [ROWS...] (default 100000). Each figure is one
// run over a fresh tree; run it when the machine is quiet.
#include <QApplication>
#include <QPushButton>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "BenchHost.h"
#include "BenchTree.h"
#include "app/AppState.h"
#include "apply/ApplyChanges.h"
#include "base/CommandIds.h"
#include "base/MenuIds.h"
#include "namelist/AddItems.h"
#include "platform/NativeText.h"
#include "run/RunCommand.h"
#include "ui/dialogs/ApplyModeDialog.h"
#include "ui/mainwindow/MainWindow.h"

using namespace quirnel;
using namespace quirnel::bench;

namespace {

void Prepare(AppState& app, const std::string& journal) {
    app.settings.LoadType = 1;  // a folder's files
    app.settings.AutoSort = 0;
    app.settings.UseThread = 1;
    app.settings.ShowDoneDialog = 1;  // the Result Report
    app.flags.journal.folder = FromNative(journal);
}

// The window with its report and questions answered without a dialog.
class TimedWindow : public MainWindow {
public:
    using MainWindow::MainWindow;
    void ShowMessageDialog(const std::u16string&, const std::u16string&) override { reported = Clock::now(); }
    bool askYesNo(Question, const std::u16string&) override { return true; }
    Clock::time_point reported{};
};

double CoreRun(const std::string& root, int rows) {
    AppState app;
    Prepare(app, root + "-journal");
    QuietHost host(true);
    Workspace ws(app.settings, app.flags, host);
    AddPathList(ws, {FromNative(root)});
    (void)RunCommand(ws, CmdAddPrefix, sub::AddString, u"x", u"");
    const auto t = Clock::now();
    (void)ApplyChanges(ws, ApplyType::Originals);
    return Seconds(t);
}

double WindowRun(const std::string& root) {
    AppState app;
    Prepare(app, root + "-journal");
    TimedWindow w(app);
    w.resize(1000, 640);
    w.show();
    QApplication::processEvents();
    w.addPaths({FromNative(root)});
    (void)RunCommand(w.workspace(), CmdAddPrefix, sub::AddString, u"x", u"");
    QApplication::processEvents();
    const auto t = Clock::now();
    // The apply mode dialog is answered with Rename as soon as it opens.
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&] {
        if (auto* d = qobject_cast<ApplyModeDialog*>(QApplication::activeModalWidget())) d->renameButton()->click();
    });
    answer.start(1);
    w.runCommand(menu::ApplyChanges);
    while (w.busy()) QApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    return std::chrono::duration<double>(w.reported - t).count();
}

}  // namespace

int main(int argc, char** argv) {
    QApplication qt(argc, argv);
    std::vector<int> sizes;
    for (int i = 1; i < argc; ++i) sizes.push_back(std::atoi(argv[i]));
    if (sizes.empty()) sizes.push_back(100000);
    const std::string base = std::filesystem::temp_directory_path() / "quirnel-window-apply-bench";
    for (int rows : sizes) {
        const int folders = std::max(1, rows / 1000);
        std::filesystem::remove_all(base);
        MakeTree(base + "/core", folders, rows / folders);
        MakeTree(base + "/window", folders, rows / folders);
        const double core = CoreRun(base + "/core", rows);
        const double window = WindowRun(base + "/window");
        std::printf("%8d rows: core run %.2f s, window report after %.2f s (%.2f s more)\n", rows, core, window,
                    window - core);
        std::fflush(stdout);
    }
    std::filesystem::remove_all(base);
    return 0;
}
