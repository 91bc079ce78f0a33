// The window with a million rows beside the core doing the same work: adding
// a folder, one command pass, sorting by a column, removing every row, and the
// peak memory of each. Each side runs in a process of its own (forked for
// every repetition), so peaks stay apart and no toolkit state reaches the
// core's figures. The window's figures include telling the view and one
// paint of the visible rows.
// Usage: main_window_uibench [FOLDERS] [RUNS]: FOLDERS of 1,000 files each
// (1000, the default, makes a million rows).
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QHeaderView>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "BenchHost.h"
#include "BenchTree.h"
#include "app/AppState.h"
#include "base/MenuIds.h"
#include "namelist/AddItems.h"
#include "namelist/ListEditing.h"
#include "namelist/Sorting.h"
#include "platform/NativeText.h"
#include "run/RunCommand.h"
#include "ui/mainwindow/MainWindow.h"
#include "ui/mainwindow/NameListView.h"

using namespace quirnel;
using namespace quirnel::bench;

namespace {

struct Figures {
    double add = 0, command = 0, sort = 0, removeAll = 0;
    long peakKiB = 0;
    int rows = 0;
};

void Prepare(AppState& app) {
    app.settings.LoadType = 1;  // a folder's files
    app.settings.AutoSort = 0;  // sorting is measured on its own
}

Figures CoreSide(const std::string& root) {
    Figures f;
    AppState app;
    Prepare(app);
    QuietHost host(false);
    Workspace ws(app.settings, app.flags, host);
    auto t = Clock::now();
    AddPathList(ws, {FromNative(root)});
    f.add = Seconds(t);
    f.rows = ws.list.size();
    t = Clock::now();
    (void)RunCommand(ws, CmdAddPrefix, sub::AddString, u"x", u"");
    f.command = Seconds(t);
    t = Clock::now();
    SortList(ws, ColNewName, true);
    f.sort = Seconds(t);
    t = Clock::now();
    for (int r = 0; r < ws.list.size(); ++r) ws.list.setSelected(r, true);
    RemoveSelected(ws);
    f.removeAll = Seconds(t);
    return f;
}

Figures WindowSide(const std::string& root) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    int argc = 1;
    char name[] = "main_window_uibench";
    char* argv[] = {name, nullptr};
    QApplication qt(argc, argv);
    Figures f;
    AppState app;
    Prepare(app);
    app.presets[0].Tasks.push_back({CmdAddPrefix, sub::AddString, u"x", u""});
    MainWindow w(app);
    w.show();
    QApplication::processEvents();
    QWidget* viewport = w.listView()->viewport();

    auto t = Clock::now();
    w.addPaths({FromNative(root)});
    viewport->repaint();
    f.add = Seconds(t);
    f.rows = w.listView()->model()->rowCount();

    t = Clock::now();
    w.runCommand(menu::ApplyPreset1);  // the same one pass, through the dispatcher
    viewport->repaint();
    f.command = Seconds(t);

    t = Clock::now();
    emit w.listView()->horizontalHeader()->sectionClicked(ColNewName);
    viewport->repaint();
    f.sort = Seconds(t);

    t = Clock::now();
    w.listView()->selectAll();
    w.runCommand(menu::RemoveSelected);
    viewport->repaint();
    f.removeAll = Seconds(t);
    return f;
}

// Runs one side in a child process; its figures come back through a pipe,
// its peak resident set from the kernel.
Figures InChild(Figures (*side)(const std::string&), const std::string& root) {
    int fds[2];
    if (pipe(fds) != 0) return {};
    pid_t pid = fork();
    if (pid == 0) {
        close(fds[0]);
        Figures f = side(root);
        (void)!write(fds[1], &f, sizeof f);
        _exit(0);
    }
    close(fds[1]);
    Figures f;
    if (read(fds[0], &f, sizeof f) != sizeof f) f = {};
    close(fds[0]);
    int status = 0;
    struct rusage usage {};
    wait4(pid, &status, 0, &usage);
    f.peakKiB = usage.ru_maxrss;
    return f;
}

void Report(const char* what, double core, double window, const char* goal) {
    std::printf("  %-28s core %8.3f s   window %8.3f s   ratio %.2fx   (%s)\n", what, core, window,
                core > 0 ? window / core : 0.0, goal);
}

}  // namespace

int main(int argc, char** argv) {
    const int folders = argc > 1 ? std::atoi(argv[1]) : 1000;  // x 1000 files
    const int runs = argc > 2 ? std::atoi(argv[2]) : 3;
    // TMPDIR=/dev/shm keeps a million files off the disk
    const std::string root = (std::filesystem::temp_directory_path() / "quirnel-window-bench").string();
    std::filesystem::remove_all(root);
    std::printf("making %d files...\n", folders * 1000);
    MakeTree(root, folders, 1000);

    std::vector<double> cAdd, wAdd, cCmd, wCmd, cSort, wSort, cRemove, wRemove, cPeak, wPeak;
    int rows = 0;
    for (int run = 0; run < runs; ++run) {
        Figures c = InChild(CoreSide, root);
        Figures w = InChild(WindowSide, root);
        if (c.rows != w.rows || c.rows == 0) std::printf("  rows differ: core %d, window %d\n", c.rows, w.rows);
        rows = w.rows;
        cAdd.push_back(c.add), wAdd.push_back(w.add);
        cCmd.push_back(c.command), wCmd.push_back(w.command);
        cSort.push_back(c.sort), wSort.push_back(w.sort);
        cRemove.push_back(c.removeAll), wRemove.push_back(w.removeAll);
        cPeak.push_back(c.peakKiB / 1024.0), wPeak.push_back(w.peakKiB / 1024.0);
        std::printf("run %d: add %.2f/%.2f s, command %.3f/%.3f s, sort %.2f/%.2f s, remove all %.3f/%.3f s, "
                    "peak %.0f/%.0f MiB (core/window)\n",
                    run + 1, c.add, w.add, c.command, w.command, c.sort, w.sort, c.removeAll, w.removeAll,
                    c.peakKiB / 1024.0, w.peakKiB / 1024.0);
    }
    std::printf("medians of %d runs, %d rows:\n", runs, rows);
    Report("add a folder", Median(cAdd), Median(wAdd), "goal <= 1.5x");
    Report("one command pass + paint", Median(cCmd), Median(wCmd), "goal <= 1.3x");
    Report("sort by a header click", Median(cSort), Median(wSort), "goal <= 1.3x");
    Report("select all, remove selected", Median(cRemove), Median(wRemove), "goal: window under 1 s");
    std::printf("  %-28s core %8.0f MiB window %8.0f MiB ratio %.2fx   (goal <= 1.5x)\n", "peak memory", Median(cPeak),
                Median(wPeak), Median(wPeak) / Median(cPeak));
    std::filesystem::remove_all(root);
    return 0;
}
