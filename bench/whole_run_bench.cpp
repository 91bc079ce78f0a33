// A user's whole run through quirnel-cli beside what a bare loop written by
// hand costs and beside the command-line renamers a user would reach for, on
// trees of files in /dev/shm, timed in the same run:
//   add      quirnel-cli adding the tree and printing its tsv list, against a
//            bare opendir/readdir/statx walk of the same tree;
//   json     the same add with the list printed as json;
//   whole    add + Replace + Replace Ext. lower-case + checks + journal +
//            apply, against the bare walk followed by a
//            renameat2(RENAME_NOREPLACE) loop over the plan, mmv (two passes)
//            and perl rename (the names from find on standard input, -0).
// Every tool runs as a program of its own, timed by wall clock and by
// processor time. The renamers take turns at going first, each on a fresh
// tree of the same names, and the final names are compared with the
// expected ones, so a fast wrong run fails the bench. Peak resident memory
// is read by /usr/bin/time -f %M, beside an empty run.
// Usage: whole_run_bench [--runs N] [--cli PATH]... [--dir TMPFS]
//                        [--shape flat|tree|both] [FILES...]
// A second --cli adds another build to the same table (an older one, say).
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "BareWalk.h"
#include "RenamePlan.h"

extern char** environ;

using quirnel::bench::BareEntry;
using quirnel::bench::BareWalk;
using quirnel::bench::PlanNewName;
using quirnel::bench::PlanOldName;
using quirnel::bench::PlanRenamed;
using quirnel::bench::PlanTree;
using quirnel::bench::Shape;
using quirnel::bench::ShapeName;

namespace {

using Clock = std::chrono::steady_clock;

std::string gTreeDir = "/dev/shm";

// --- the bare baselines, as one would write them by hand --------------------

// The walk, the new names computed in C, then one renameat2 per changed file.
int BareRename(const std::string& root) {
    std::vector<BareEntry> entries;
    BareWalk(root, entries);
    int failed = 0;
    std::string from, to;
    for (const BareEntry& e : entries) {
        std::string name = PlanRenamed(e.name);
        if (name == e.name) continue;
        from = e.folder + "/" + e.name;
        to = e.folder + "/" + name;
        if (renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) != 0) ++failed;
    }
    return failed;
}

// --- quirnel-cli ------------------------------------------------------------

// Wall time, and the processor time spent (user and system): on a machine
// shared with other work, the second still compares the two sides fairly.
struct Timing {
    double wall = 0, cpu = 0;
};

double CpuSeconds(const struct rusage& u) {
    return u.ru_utime.tv_sec + u.ru_stime.tv_sec + (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

struct Spawned {
    Timing time;
    int status = -1;
};

// Runs the program with standard output to /dev/null (the output is still
// written).
Spawned Run(const std::vector<std::string>& args) {
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t fa;
    posix_spawn_file_actions_init(&fa);
    posix_spawn_file_actions_addopen(&fa, 1, "/dev/null", O_WRONLY, 0);
    Spawned s;
    auto t0 = Clock::now();
    pid_t pid;
    if (posix_spawn(&pid, argv[0], &fa, nullptr, argv.data(), environ) != 0) {
        perror("posix_spawn");
        exit(3);
    }
    int raw = 0;
    struct rusage usage {};
    wait4(pid, &raw, 0, &usage);
    s.time.wall = std::chrono::duration<double>(Clock::now() - t0).count();
    s.time.cpu = CpuSeconds(usage);
    posix_spawn_file_actions_destroy(&fa);
    s.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    return s;
}

// Peak resident memory in KiB, read by /usr/bin/time -f %M itself: a child
// of this (large) process would count the pages it shared with it.
long PeakKiB(std::vector<std::string> args) {
    char tmpl[] = "/dev/shm/quirnel-rss-XXXXXX";
    int fd = mkstemp(tmpl);
    close(fd);
    args.insert(args.begin(), {"/usr/bin/time", "-f", "%M", "-o", tmpl});
    long kib = Run(args).status == 0 ? 0 : -1;
    if (FILE* f = fopen(tmpl, "r")) {
        if (kib == 0 && fscanf(f, "%ld", &kib) != 1) kib = -1;
        fclose(f);
    }
    unlink(tmpl);
    return kib;
}

std::vector<std::string> AddArgs(const std::string& cli, const std::string& root) {
    return {cli, "--set", "LoadType=1", "--set", "AutoSort=0", root};
}

std::vector<std::string> WholeArgs(const std::string& cli, const std::string& root) {
    auto a = AddArgs(cli, root);
    a.insert(a.end(), {"--task", "2", "61", "holiday", "trip", "--task", "20", "110", "", "", "--apply"});
    return a;
}

// The peers, as a user would type them in the tree's folder.
const char* const kMmv = R"(cd "$1" && mmv ';*holiday*.*' '#1#2trip#3.#l4' && mmv ';*.JPG' '#1#2.jpg')";
const char* const kPerlRename = R"(cd "$1" && find . -type f -print0 | rename -0 -d 's/holiday/trip/; s/\.([^.]+)\z/.\L$1/')";

std::vector<std::string> ShellArgs(const char* script, const std::string& root) {
    return {"/bin/sh", "-c", script, "sh", root};
}

bool Installed(const char* program) {
    return Run({"/bin/sh", "-c", std::string("command -v ") + program + " >/dev/null"}).status == 0;
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

Timing Median(const std::vector<Timing>& v) {
    std::vector<double> wall, cpu;
    for (const Timing& t : v) {
        wall.push_back(t.wall);
        cpu.push_back(t.cpu);
    }
    return {Median(wall), Median(cpu)};
}

std::string SelfPath() {
    char buf[4096];
    ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n <= 0) return {};
    buf[n] = 0;
    return buf;
}

std::string DefaultCli() { return std::filesystem::path(SelfPath()).parent_path().parent_path() / "quirnel-cli"; }

// The bare baselines run as programs of their own, as a loop written by hand
// would: this very program, asked to be one of them.
std::vector<std::string> BareArgs(const char* what, const std::string& root, int files) {
    return {SelfPath(), what, root, std::to_string(files)};
}

// One renamer of the table: how it is started on a tree's root.
struct Tool {
    std::string name;
    std::vector<std::string> (*args)(const std::string& arg, const std::string& root, int files);
    std::string arg;
    std::vector<Timing> times;
};

std::vector<std::string> BareTool(const std::string&, const std::string& root, int files) {
    return BareArgs("--bare-rename", root, files);
}
std::vector<std::string> CliTool(const std::string& cli, const std::string& root, int) { return WholeArgs(cli, root); }
std::vector<std::string> ShellTool(const std::string& script, const std::string& root, int) {
    return ShellArgs(script.c_str(), root);
}

// The tsv and json lists of the first build beside the bare walk, and its
// peak memory; true when every run succeeded.
bool MeasureAdd(const std::string& cli, Shape shape, int files, int runs) {
    std::vector<Timing> walk, add, json;
    long addRss = 0, jsonRss = 0, idleRss = 0, wholeRss = 0, idleWholeRss = 0;
    bool ok = true;
    {
        // Never more than two trees at once: a tmpfs has only so many inodes.
        PlanTree listed(gTreeDir, shape, files, "list"), empty(gTreeDir, shape, 0, "empty");
        auto jsonArgs = AddArgs(cli, listed.root);
        jsonArgs.insert(jsonArgs.end(), {"--format", "json"});
        for (int run = 0; run < runs; ++run) {
            Spawned w = Run(BareArgs("--bare-walk", listed.root, files));
            walk.push_back(w.time);
            Spawned a = Run(AddArgs(cli, listed.root));
            add.push_back(a.time);
            Spawned j = Run(jsonArgs);
            json.push_back(j.time);
            ok = ok && w.status == 0 && a.status == 0 && j.status == 0;
        }
        addRss = PeakKiB(AddArgs(cli, listed.root));
        jsonRss = PeakKiB(jsonArgs);
        idleRss = PeakKiB(AddArgs(cli, empty.root));
        idleWholeRss = PeakKiB(WholeArgs(cli, empty.root));
    }
    {
        PlanTree renamed(gTreeDir, shape, files, "rss");
        wholeRss = PeakKiB(WholeArgs(cli, renamed.root));
        ok = ok && renamed.Holds(PlanNewName);
    }
    ok = ok && addRss > 0 && jsonRss > 0 && idleRss > 0 && wholeRss > 0 && idleWholeRss > 0;
    const double n = files;
    const Timing a = Median(add), w = Median(walk), j = Median(json);
    printf("%s, %d files: listing, medians of %d runs (seconds)\n", ShapeName(shape), files, runs);
    printf("  add  %8.3f wall %8.3f cpu; bare walk %8.3f wall %8.3f cpu: %5.2fx wall, %5.2fx cpu\n", a.wall, a.cpu,
           w.wall, w.cpu, a.wall / w.wall, a.cpu / w.cpu);
    printf("  json %8.3f wall %8.3f cpu (%.2fx the tsv run's wall)\n", j.wall, j.cpu, j.wall / a.wall);
    printf("  memory: tsv %ld KiB over idle %ld (%.0f bytes/row), json %ld KiB (%.0f bytes/row),\n"
           "          whole run %ld KiB over idle %ld (%.0f bytes/row)\n",
           addRss, idleRss, (addRss - idleRss) * 1024.0 / n, jsonRss, (jsonRss - idleRss) * 1024.0 / n, wholeRss,
           idleWholeRss, (wholeRss - idleWholeRss) * 1024.0 / n);
    return ok;
}

// Every renamer on fresh trees, taking turns at going first; true when every
// run succeeded and left exactly the planned names.
bool MeasureWhole(std::vector<Tool>& tools, Shape shape, int files, int runs) {
    bool ok = true;
    for (int run = 0; run < runs; ++run) {
        for (size_t k = 0; k < tools.size(); ++k) {
            Tool& tool = tools[(k + run) % tools.size()];
            // One tree at a time: a tmpfs has only so many inodes.
            PlanTree tree(gTreeDir, shape, files, "whole");
            Spawned s = Run(tool.args(tool.arg, tree.root, files));
            tool.times.push_back(s.time);
            if (s.status != 0 || !tree.Holds(PlanNewName)) {
                // A failure it reported (a row refused) differs from a silent wrong tree.
                printf("  WRONG RESULT: %s failed or left other names than planned (exit status %d)\n",
                       tool.name.c_str(), s.status);
                ok = false;
            }
        }
    }
    const Timing bare = Median(tools[0].times);
    printf("%s, %d files: whole run, medians of %d interleaved runs\n", ShapeName(shape), files, runs);
    printf("  | %-24s | shape | %7s | wall s | cpu s  | us/file | ratio |\n", "tool", "files");
    for (const Tool& tool : tools) {
        const Timing t = Median(tool.times);
        printf("  | %-24s | %-5s | %7d | %6.3f | %6.3f | %7.2f | %4.2fx |\n", tool.name.c_str(), ShapeName(shape), files,
               t.wall, t.cpu, t.wall / files * 1e6, t.wall / bare.wall);
    }
    fflush(stdout);
    return ok;
}

bool Measure(const std::vector<std::string>& clis, Shape shape, int files, int runs) {
    bool ok = MeasureAdd(clis[0], shape, files, runs);
    std::vector<Tool> tools{{"bare walk + renameat2", BareTool, "", {}}};
    for (const std::string& cli : clis)
        tools.push_back({clis.size() == 1 ? "quirnel-cli" : "quirnel-cli " + cli, CliTool, cli, {}});
    if (Installed("mmv")) tools.push_back({"mmv (2 passes)", ShellTool, kMmv, {}});
    else printf("  mmv is not installed (make bench-deps): left out\n");
    if (Installed("rename") && Installed("find")) tools.push_back({"perl rename -0", ShellTool, kPerlRename, {}});
    else printf("  perl rename is not installed (make bench-deps): left out\n");
    return MeasureWhole(tools, shape, files, runs) && ok;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 4 && (!strcmp(argv[1], "--bare-walk") || !strcmp(argv[1], "--bare-rename"))) {
        if (!strcmp(argv[1], "--bare-rename")) return BareRename(argv[2]) == 0 ? 0 : 1;
        std::vector<BareEntry> entries;
        BareWalk(argv[2], entries);
        return static_cast<int>(entries.size()) == atoi(argv[3]) ? 0 : 1;
    }
    std::vector<std::string> clis;
    std::vector<Shape> shapes{Shape::Flat, Shape::Tree};
    int runs = 5;
    std::vector<int> sizes;
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        if (a == "--runs" && i + 1 < argc) runs = atoi(argv[++i]);
        else if (a == "--cli" && i + 1 < argc) clis.push_back(argv[++i]);
        else if (a == "--dir" && i + 1 < argc) gTreeDir = argv[++i];
        else if (a == "--shape" && i + 1 < argc) {
            std::string v = argv[++i];
            shapes = v == "flat" ? std::vector{Shape::Flat} : v == "tree" ? std::vector{Shape::Tree} : shapes;
        } else sizes.push_back(atoi(argv[i]));
    }
    if (clis.empty()) clis.push_back(DefaultCli());
    if (sizes.empty()) sizes = {100000};
    bool ok = true;
    try {
        for (int files : sizes)
            for (Shape shape : shapes) ok = Measure(clis, shape, files, runs) && ok;
    } catch (const std::exception& e) {
        fprintf(stderr, "whole_run_bench: %s\n", e.what());
        return 3;
    }
    return ok ? 0 : 1;
}
