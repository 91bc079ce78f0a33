// A user's whole run through quirnel-cli beside what a bare loop written by
// hand costs, on trees of files in /dev/shm, timed in the same run:
//   add      quirnel-cli adding the tree and printing its tsv list, against a
//            bare opendir/readdir/statx walk of the same tree;
//   json     the same add with the list printed as json;
//   whole    add + Replace + Replace Ext. lower-case + checks + apply, against
//            the bare walk followed by a renameat2(RENAME_NOREPLACE) loop.
// Both sides run as programs of their own and are timed by wall clock and by
// processor time. Every rename run gets a fresh tree, and the final names are
// compared with the expected ones, so a fast wrong run fails the bench. Peak
// resident memory of the tsv and json runs is read by /usr/bin/time -f %M,
// beside an empty run.
// Usage: whole_run_bench [--runs N] [--cli PATH] [--dir TMPFS] [FILES...]
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

extern char** environ;

using quirnel::bench::BareEntry;
using quirnel::bench::BareWalk;

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kPerFolder = 1000;
const char* const kExts[] = {"JPG", "jpg", "MOV", "Png"};

std::string FolderName(int i) { return "album " + std::to_string(i / kPerFolder); }
std::string Number(int i) {
    char buf[16];
    snprintf(buf, sizeof buf, "%07d", i);
    return buf;
}
std::string OldName(int i) { return "IMG_" + Number(i) + "." + kExts[i % 4]; }
std::string NewName(int i) {
    std::string ext = kExts[i % 4];
    for (char& c : ext) c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
    return "photo_" + Number(i) + "." + ext;
}

std::string gTreeDir = "/dev/shm";

struct Tree {
    Tree(int files, const char* tag) : files(files) {
        std::string tmpl = gTreeDir + "/quirnel-" + tag + "-XXXXXX";
        if (!mkdtemp(tmpl.data())) throw std::runtime_error("cannot make a folder in " + gTreeDir);
        root = tmpl;
        for (int i = 0; i < files; ++i) {
            if (i % kPerFolder == 0) mkdir((root + "/" + FolderName(i)).c_str(), 0755);
            int fd = open((root + "/" + FolderName(i) + "/" + OldName(i)).c_str(), O_CREAT | O_WRONLY | O_EXCL, 0644);
            if (fd < 0) {
                std::string reason = strerror(errno);
                std::filesystem::remove_all(root);
                throw std::runtime_error("creating a tree of " + std::to_string(files) + " files: " + reason);
            }
            close(fd);
        }
    }
    ~Tree() { std::filesystem::remove_all(root); }
    // Exactly the expected names in every folder, nothing more or less.
    bool Holds(std::string (*name)(int)) const {
        std::vector<std::string> want, have;
        for (int i = 0; i < files; ++i) want.push_back(FolderName(i) + "/" + name(i));
        for (auto& e : std::filesystem::recursive_directory_iterator(root))
            if (!e.is_directory()) have.push_back(std::filesystem::relative(e.path(), root).string());
        std::sort(want.begin(), want.end());
        std::sort(have.begin(), have.end());
        return want == have;
    }
    int files;
    std::string root;
};

// --- the bare baselines, as one would write them by hand --------------------

// The walk, the new names computed in C, then one renameat2 per file.
int BareRename(const std::string& root) {
    std::vector<BareEntry> entries;
    BareWalk(root, entries);
    int failed = 0;
    std::string from, to;
    for (const BareEntry& e : entries) {
        std::string name = e.name;
        if (name.compare(0, 4, "IMG_") == 0) name.replace(0, 4, "photo_");
        size_t dot = name.rfind('.');
        for (size_t k = dot + 1; dot != std::string::npos && k < name.size(); ++k)
            name[k] = static_cast<char>(tolower(static_cast<unsigned char>(name[k])));
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
    a.insert(a.end(), {"--task", "2", "61", "IMG_", "photo_", "--task", "20", "110", "", "", "--apply"});
    return a;
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

bool Measure(const std::string& cli, int files, int runs) {
    std::vector<Timing> walk, add, json, bare, whole;
    long addRss = 0, jsonRss = 0, idleRss = 0;
    bool ok = true;
    {
        // Never more than two trees at once: a tmpfs has only so many inodes.
        Tree listed(files, "list"), empty(0, "empty");
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
            addRss = std::max(addRss, PeakKiB(AddArgs(cli, listed.root)));
            jsonRss = std::max(jsonRss, PeakKiB(jsonArgs));
            idleRss = std::max(idleRss, PeakKiB(AddArgs(cli, empty.root)));
            ok = ok && addRss > 0 && jsonRss > 0 && idleRss > 0;
        }
    }
    for (int run = 0; run < runs; ++run) {
        // Both trees are made before either is timed, and the two take turns
        // at going first, so neither gains from what the other left behind.
        Tree forBare(files, "bare"), forCli(files, "cli");
        auto runBare = [&] {
            Spawned b = Run(BareArgs("--bare-rename", forBare.root, files));
            bare.push_back(b.time);
            ok = ok && b.status == 0;
        };
        auto runCli = [&] {
            Spawned w = Run(WholeArgs(cli, forCli.root));
            whole.push_back(w.time);
            ok = ok && w.status == 0;
        };
        if (run % 2) {
            runCli();
            runBare();
        } else {
            runBare();
            runCli();
        }
        ok = ok && forBare.Holds(NewName) && forCli.Holds(NewName);
    }
    double n = files;
    auto line = [&](const char* what, Timing cli, Timing base) {
        printf("  %-6s %8.3f %8.3f %8.3f %8.3f %7.2f %7.2f %6.2fx %6.2fx\n", what, cli.wall, cli.cpu, base.wall, base.cpu,
               cli.wall / n * 1e6, base.wall / n * 1e6, cli.wall / base.wall, cli.cpu / base.cpu);
    };
    printf("%d files, %d folders, medians of %d runs (seconds; us per file of wall time):\n", files,
           (files + kPerFolder - 1) / kPerFolder, runs);
    printf("  %-6s %8s %8s %8s %8s %7s %7s %7s %7s\n", "step", "cli wall", "cli cpu", "bare", "bare cpu", "cli/f",
           "bare/f", "wall", "cpu");
    line("add", Median(add), Median(walk));
    line("whole", Median(whole), Median(bare));
    printf("  json   %8.3f %8.3f  (%.2fx the tsv run's wall, %.2fx its cpu)\n", Median(json).wall, Median(json).cpu,
           Median(json).wall / Median(add).wall, Median(json).cpu / Median(add).cpu);
    printf("  memory  idle %ld KiB, tsv %ld KiB (%.0f bytes/row over idle), json %ld KiB (%.0f bytes/row)\n", idleRss,
           addRss, (addRss - idleRss) * 1024.0 / n, jsonRss, (jsonRss - idleRss) * 1024.0 / n);
    if (!ok) printf("  WRONG RESULT: a run failed or left other names than expected\n");
    fflush(stdout);
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 4 && (!strcmp(argv[1], "--bare-walk") || !strcmp(argv[1], "--bare-rename"))) {
        if (!strcmp(argv[1], "--bare-rename")) return BareRename(argv[2]) == 0 ? 0 : 1;
        std::vector<BareEntry> entries;
        BareWalk(argv[2], entries);
        return static_cast<int>(entries.size()) == atoi(argv[3]) ? 0 : 1;
    }
    std::string cli = DefaultCli();
    int runs = 5;
    std::vector<int> sizes;
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        if (a == "--runs" && i + 1 < argc) runs = atoi(argv[++i]);
        else if (a == "--cli" && i + 1 < argc) cli = argv[++i];
        else if (a == "--dir" && i + 1 < argc) gTreeDir = argv[++i];
        else sizes.push_back(atoi(argv[i]));
    }
    if (sizes.empty()) sizes = {100000};
    bool ok = true;
    try {
        for (int files : sizes) ok = Measure(cli, files, runs) && ok;
    } catch (const std::exception& e) {
        fprintf(stderr, "whole_run_bench: %s\n", e.what());
        return 3;
    }
    return ok ? 0 : 1;
}
