// What the run's check of every move costs: the same renames of a tree of
// 100 folders x 1,000 files in /dev/shm, through folder handles, once as a
// plain move and once checked (each folder's handle pinned to the folder of
// the plan, the source's identity looked at before the rename). Pairs are
// timed in turn on fresh trees, each first in every other pair; medians of 5 and the difference per file.
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "BareWalk.h"
#include "BenchTree.h"
#include "platform/EntryIds.h"
#include "platform/FileOps.h"
#include "platform/NativeText.h"

using namespace quirnel;
using namespace quirnel::bench;

namespace {

constexpr int kFolders = 100, kFiles = 1000, kPairs = 5;

struct Move {
    std::u16string from, to;
    EntryId id;
};

std::vector<Move> Plan(const std::string& root) {
    std::vector<BareEntry> entries;
    BareWalk(root, entries);
    std::vector<Move> out;
    for (const BareEntry& e : entries) {
        const std::string from = e.folder + "/" + e.name;
        out.push_back({FromNative(from), FromNative(e.folder + "/trip " + e.name), {}});
    }
    std::vector<std::u16string_view> paths;
    for (const Move& m : out) paths.push_back(m.from);
    std::vector<EntryId> ids = LookUpEntryIds(paths);
    for (size_t i = 0; i < out.size(); ++i) out[i].id = ids[i];
    return out;
}

double Run(const std::string& root, bool checked) {
    std::filesystem::remove_all(root);
    MakeTree(root, kFolders, kFiles);
    const std::vector<Move> plan = Plan(root);
    FolderHandles handles;
    int failed = 0;
    const Clock::time_point start = Clock::now();
    for (const Move& m : plan) {
        Result r = checked ? MoveEntry(m.from, m.to, handles, {}, m.id) : MoveEntry(m.from, m.to, handles);
        failed += !r;
    }
    const double s = Seconds(start);
    if (failed) std::fprintf(stderr, "%d moves failed\n", failed);
    return failed ? -1 : s;
}

}  // namespace

// "plain" or "checked" as the argument: one run of that kind alone, for strace or perf.
int main(int argc, char** argv) {
    const std::string root = "/dev/shm/quirnel-move-check";
    if (argc > 1) {
        const double s = Run(root, std::string(argv[1]) == "checked");
        std::filesystem::remove_all(root);
        std::printf("%.3f s\n", s);
        return s < 0;
    }
    std::vector<double> plain, checked;
    for (int i = 0; i < kPairs; ++i) {  // each goes first in turn
        const bool checkedFirst = i % 2;
        (checkedFirst ? checked : plain).push_back(Run(root, checkedFirst));
        (checkedFirst ? plain : checked).push_back(Run(root, !checkedFirst));
    }
    std::filesystem::remove_all(root);
    const double p = Median(plain), c = Median(checked), files = double(kFolders) * kFiles;
    std::printf("%d renames, medians of %d pairs\nplain   %.3f s\nchecked %.3f s\ncheck   %+.3f s (%+.0f ns a file, x%.3f)\n",
                kFolders * kFiles, kPairs, p, c, c - p, (c - p) / files * 1e9, c / p);
    return p < 0 || c < 0;
}
