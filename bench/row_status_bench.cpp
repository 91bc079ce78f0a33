// Every row's fate before applying, at 1,000,000 rows: without disk look-ups
// (goal: under 1 s), and with them beside a bare statx loop over the same
// target paths (goal: at most 1.5x). The rows are built by hand over 1,000
// existing, empty folders on tmpfs, so every target is looked up and missing;
// a few targets exist and must come out as taken. Medians of 5.
#include <fcntl.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "apply/RowStatus.h"
#include "platform/NativeText.h"

using namespace quirnel;

namespace {

constexpr int kRows = 1000000;
constexpr int kFolders = 1000;
constexpr int kTaken = 1000;  // rows whose target exists on disk
constexpr int kRuns = 5;

using Clock = std::chrono::steady_clock;
double Ms(Clock::time_point a, Clock::time_point b) { return std::chrono::duration<double, std::milli>(b - a).count(); }
double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

}  // namespace

int main() {
    char tmpl[] = "/dev/shm/quirnel-bench-XXXXXX";
    const std::string root = mkdtemp(tmpl);
    auto folder = [&](int i) { return root + "/album " + std::to_string(i % kFolders); };
    for (int f = 0; f < kFolders; ++f) mkdir(folder(f).c_str(), 0755);
    NameList list(PathStyle::forPosix());
    std::vector<std::string> targets;
    targets.reserve(kRows);
    for (int i = 0; i < kRows; ++i) {
        RowSource s;
        s.name = FromNative("IMG_" + std::to_string(i) + ".jpg");
        s.folder = FromNative(folder(i));
        list.appendRow(s);
        std::string name = "holiday " + std::to_string(i) + ".jpg";
        list.setNewName(i, FromNative(name));
        targets.push_back(folder(i) + "/" + name);
    }
    for (int i = 0; i < kRows; i += kRows / kTaken) close(open(targets[i].c_str(), O_CREAT | O_WRONLY, 0644));

    struct rusage before;
    getrusage(RUSAGE_SELF, &before);
    std::vector<double> bare, plain, disk;
    bool ok = true;
    for (int run = 0; run < kRuns; ++run) {
        auto t0 = Clock::now();
        int found = 0;
        struct statx sx;
        for (const std::string& t : targets)
            if (statx(AT_FDCWD, t.c_str(), AT_SYMLINK_NOFOLLOW, STATX_INO, &sx) == 0) ++found;
        auto t1 = Clock::now();
        ListRows rows(list);
        std::vector<RowStatus> a = RowStatuses(rows, {ApplyType::Originals, false, false});
        auto t2 = Clock::now();
        std::vector<RowStatus> b = RowStatuses(rows, {ApplyType::Originals, false, true});
        auto t3 = Clock::now();
        bare.push_back(Ms(t0, t1));
        plain.push_back(Ms(t1, t2));
        disk.push_back(Ms(t2, t3));
        int taken = 0, renamed = 0;
        for (const RowStatus& s : b) taken += s.fate == RowFate::TargetExists;
        for (const RowStatus& s : a) renamed += s.fate == RowFate::Rename;
        ok = ok && found == kTaken && taken == kTaken && renamed == kRows;
    }
    std::printf("row statuses, 1,000,000 rows over 1,000 folders on tmpfs (median of %d):\n", kRuns);
    std::printf("  without disk look-ups:   %8.1f ms  (goal < 1000 ms)\n", Median(plain));
    std::printf("  bare statx loop:         %8.1f ms\n", Median(bare));
    std::printf("  with disk look-ups:      %8.1f ms  (%.2fx bare, goal <= 1.5x)\n", Median(disk),
                Median(disk) / Median(bare));
    struct rusage after;
    getrusage(RUSAGE_SELF, &after);
    std::printf("  peak memory: %ld MiB with the list, %ld MiB once statuses were computed\n", before.ru_maxrss / 1024,
                after.ru_maxrss / 1024);
    if (!ok) std::printf("  WRONG RESULT: the statuses do not match the disk\n");
    std::filesystem::remove_all(root);
    return ok ? 0 : 1;
}
