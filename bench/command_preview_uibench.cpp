// The command input dialog's preview with a million rows listed: the time
// from a keystroke in Replace's fields to the pane showing its rows again,
// painted, once with nothing selected and once with the last rows selected
// (so that finding them means passing every row). Opening the dialog, which
// copies the rows it shows, is timed on its own.
// Usage: command_preview_uibench [ROWS] [RUNS]
#include <QApplication>
#include <algorithm>
#include <QCheckBox>
#include <QTableWidget>
#include <QKeyEvent>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "BenchHost.h"
#include "BenchTree.h"
#include "base/AppSettings.h"
#include "base/CommandIds.h"
#include "namelist/NameList.h"
#include "platform/NativeText.h"
#include "ui/dialogs/CommandInputDialog.h"
#include "ui/dialogs/PresetPreviewPane.h"
#include "ui/widgets/ArgumentField.h"

using namespace quirnel;
using namespace quirnel::bench;

namespace {

// A key press and release as the window system delivers them.
void Press(QWidget* field, int key, const QString& text) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(field, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(field, &release);
}

void Press(QWidget* field, char c) { Press(field, QChar(c).toUpper().unicode(), QString(QChar(c))); }

// Rows named as MakeTree names them; the first folder is on disk, so the
// shown rows' targets are looked up in a real folder.
void Fill(NameList& list, const std::string& root, int rows) {
    RowSource source;
    for (int r = 0; r < rows; ++r) {
        if (r % 1000 == 0) source.folder = FromNative(root + "/album " + std::to_string(r / 1000));
        const int i = r % 1000;
        source.name = FromNative("IMG_2023" + std::to_string(100000 + i) + (i % 7 ? ".jpg" : ".mov"));
        list.appendRow(source);
    }
}

struct Figures {
    double open = 0;
    std::vector<double> keys;
};

// Types into both fields and takes them back, as a user tries a pattern.
Figures Type(const NameList& list) {
    Figures f;
    AppSettings settings;
    settings.InputPreview = 1;
    QuietHost host;
    auto t = Clock::now();
    CommandInputDialog dlg(CmdReplace, settings, host);
    dlg.setPreviewList(list);
    dlg.show();
    QApplication::processEvents();
    f.open = Seconds(t);
    QWidget* viewport = dlg.previewPane()->table()->viewport();
    auto timed = [&](auto press) {
        const int before = dlg.previewRuns();
        const auto start = Clock::now();
        press();
        while (dlg.previewRuns() == before) QApplication::processEvents();
        viewport->repaint();
        f.keys.push_back(Seconds(start));
    };
    for (char c : std::string("IMG_20231000")) timed([&] { Press(dlg.field1(), c); });
    for (char c : std::string("photo ")) timed([&] { Press(dlg.field2(), c); });
    for (int i = 0; i < 6; ++i) timed([&] { Press(dlg.field2(), Qt::Key_Backspace, QString()); });
    if (dlg.previewPane()->table()->rowCount() != CommandInputDialog::kPreviewRows)
        std::printf("  the pane shows %d rows, not %d\n", dlg.previewPane()->table()->rowCount(),
                    CommandInputDialog::kPreviewRows);
    dlg.reject();
    return f;
}

void Report(const char* what, const std::vector<Figures>& runs) {
    std::vector<double> opens, keys;
    for (const Figures& f : runs) {
        opens.push_back(f.open);
        keys.insert(keys.end(), f.keys.begin(), f.keys.end());
    }
    const double worst = keys.empty() ? 0 : *std::max_element(keys.begin(), keys.end());
    std::printf("  %-24s open %7.1f ms   keystroke median %6.2f ms, worst %6.2f ms over %zu   (goal: 50 ms)\n", what,
                Median(opens) * 1e3, Median(keys) * 1e3, worst * 1e3, keys.size());
}

}  // namespace

int main(int argc, char** argv) {
    const int rows = argc > 1 ? std::atoi(argv[1]) : 1000000;
    const int runs = argc > 2 ? std::atoi(argv[2]) : 3;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    int qtArgc = 1;
    char name[] = "command_preview_uibench";
    char* qtArgv[] = {name, nullptr};
    QApplication qt(qtArgc, qtArgv);

    const std::string root = "/tmp/quirnel-preview-bench";
    std::filesystem::remove_all(root);
    MakeTree(root, 1, 1000);
    NameList list;
    Fill(list, root, rows);
    std::printf("%d rows listed, %d runs\n", list.size(), runs);

    std::vector<Figures> plain, selected;
    for (int run = 0; run < runs; ++run) plain.push_back(Type(list));
    for (int r = list.size() - CommandInputDialog::kPreviewRows; r < list.size(); ++r) list.setSelected(r, true);
    for (int run = 0; run < runs; ++run) selected.push_back(Type(list));
    Report("nothing selected", plain);
    Report("last rows selected", selected);
    std::filesystem::remove_all(root);
    return 0;
}
