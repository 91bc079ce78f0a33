// Adding a folder of 100,000 files (LoadType 1) beside a bare enumeration of
// the same tree with plain system calls, and the memory a row of the list costs.
#include <fcntl.h>
#include <malloc.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "BareWalk.h"
#include "BenchHost.h"
#include "BenchTree.h"
#include "app/AppState.h"
#include "base/Host.h"
#include "namelist/AddItems.h"
#include "platform/NativeText.h"

using namespace quirnel;
using namespace quirnel::bench;

namespace {

void MeasureMemory(int rows) {
    AppState app;
    QuietHost host(false);
    size_t before = mallinfo2().uordblks;
    {
        Workspace ws(app.settings, app.flags, host, PathStyle::forPosix());
        RowSource s;
        for (int i = 0; i < rows; ++i) {
            s.name = FromNative("IMG_2023" + std::to_string(1000000 + i) + (i % 7 ? ".jpg" : ".mov"));
            s.folder = FromNative("/home/user/Pictures/2023/album " + std::to_string(i / 1000));
            s.size = 1234567;
            s.modified = s.created = 1688461531 + i;
            ws.list.appendRow(s);
        }
        size_t after = mallinfo2().uordblks;
        printf("memory: %d rows, %.0f bytes per row (heap in use, path set included)\n", rows,
               double(after - before) / rows);
        struct rusage usage;
        getrusage(RUSAGE_SELF, &usage);
        printf("peak resident set of the whole process: %.0f MiB (%.0f bytes per row)\n", usage.ru_maxrss / 1024.0,
               usage.ru_maxrss * 1024.0 / rows);
    }
}

}  // namespace

int main(int argc, char** argv) {
    int folders = 100, perFolder = 1000, runs = 5;
    std::string root = "/dev/shm/quirnel-add-bench";
    std::filesystem::remove_all(root);
    MakeTree(root, folders, perFolder);
    std::vector<double> bare, add;
    size_t rows = 0, names = 0;
    for (int run = 0; run < runs; ++run) {
        std::vector<BareEntry> n;
        auto t0 = Clock::now();
        BareWalk(root, n);
        names = n.size();
        bare.push_back(Seconds(t0));

        AppState app;
        app.settings.LoadType = 1;
        app.settings.AutoSort = 0;
        QuietHost host(false);
        Workspace ws(app.settings, app.flags, host, PathStyle::forPosix());
        auto t1 = Clock::now();
        AddPathList(ws, {FromNative(root)});
        add.push_back(Seconds(t1));
        rows = ws.list.size();
    }
    printf("bare enumeration: %zu entries, median %.3f s\n", names, Median(bare));
    printf("AddPathList LoadType 1: %zu rows, median %.3f s\n", rows, Median(add));
    printf("ratio: %.2fx\n", Median(add) / Median(bare));
    std::filesystem::remove_all(root);
    MeasureMemory(argc > 1 ? atoi(argv[1]) : 1000000);
    return 0;
}
