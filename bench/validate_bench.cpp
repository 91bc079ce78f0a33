// Name checks over large lists: one million distinct rows, and ten thousand
// rows that all propose one name (numbered). Prints the median of five runs.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "BenchHost.h"
#include "app/AppState.h"
#include "apply/NameChecks.h"
#include "apply/WorkspaceSink.h"

using namespace quirnel;
using quirnel::bench::QuietHost;

namespace {

std::u16string Text(const std::string& s) { return std::u16string(s.begin(), s.end()); }

struct Fixture {
    AppState app;
    QuietHost host;
    Workspace ws{app.settings, app.flags, host, PathStyle::forPosix()};
};

void Fill(Fixture& f, int rows, bool oneName) {
    for (int i = 0; i < rows; ++i) {
        RowSource s;
        s.name = Text("IMG_" + std::to_string(i) + ".jpg");
        s.folder = Text("/home/user/photos/album" + std::to_string(i % 300));
        if (oneName) s.folder = u"/home/user/photos";
        f.ws.list.appendRow(s);
        f.ws.list.setNewName(i, oneName ? std::u16string(u"holiday.jpg") : Text("holiday " + std::to_string(i) + ".jpg"));
    }
}

double MedianMs(int rows, bool oneName, bool& ok) {
    std::vector<double> runs;
    for (int run = 0; run < 5; ++run) {
        Fixture f;
        Fill(f, rows, oneName);
        ListRows list(f.ws.list);
        WorkspaceSink sink(f.ws, ApplyOptions{});
        TargetPaths targets(list);
        auto t0 = std::chrono::steady_clock::now();
        CheckResult r = CheckNames(list, oneName, targets, sink);
        auto t1 = std::chrono::steady_clock::now();
        ok = r.ok && static_cast<int>(targets.size()) == rows && (!oneName || f.host.lines() == rows - 1);
        runs.push_back(std::chrono::duration<double, std::milli>(t1 - t0).count());
    }
    std::sort(runs.begin(), runs.end());
    return runs[runs.size() / 2];
}

}  // namespace

int main() {
    bool ok1 = false, ok2 = false;
    double million = MedianMs(1000000, false, ok1);
    double numbered = MedianMs(10000, true, ok2);
    std::printf("checks, 1,000,000 distinct rows: %.1f ms (goal < 1000 ms)%s\n", million, ok1 ? "" : " WRONG RESULT");
    std::printf("checks, 10,000 rows of one name numbered: %.1f ms (goal < 200 ms)%s\n", numbered,
                ok2 ? "" : " WRONG RESULT");
    return 0;
}
