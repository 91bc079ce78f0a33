// The journal, the order of chains and revert, each beside a bare loop, in one
// run on fresh trees on tmpfs (medians of 5; every tree's final names checked):
//  - 100,000 renames over 300 folders: the synchronous apply run without and
//    with its journal;
//  - a 100,000-row shift chain n -> n-1 listed from the top (each row waits for
//    the next): the apply run beside a bare loop over the hand-ordered plan;
//  - revert of 100,000 renames: RevertJournal beside a bare loop renaming back.
#include <fcntl.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "BenchHost.h"
#include "app/AppState.h"
#include "apply/ApplyChanges.h"
#include "apply/Revert.h"
#include "platform/NativeText.h"

using namespace quirnel;
using quirnel::bench::QuietHost;

namespace {

constexpr int kFiles = 100000;
constexpr int kFolders = 300;
constexpr int kRuns = 5;

using Clock = std::chrono::steady_clock;
double Ms(Clock::time_point a, Clock::time_point b) { return std::chrono::duration<double, std::milli>(b - a).count(); }

// CPU time of the process, user and system, for the single-series mode.
struct CpuTime {
    double user = 0, system = 0;
};
CpuTime g_cpu;
CpuTime CpuNow() {
    struct rusage u;
    getrusage(RUSAGE_SELF, &u);
    return {u.ru_utime.tv_sec * 1e3 + u.ru_utime.tv_usec / 1e3, u.ru_stime.tv_sec * 1e3 + u.ru_stime.tv_usec / 1e3};
}
struct Timed {
    Timed() : cpu(CpuNow()), t(Clock::now()) {}
    double Stop() {
        auto end = Clock::now();
        CpuTime now = CpuNow();
        g_cpu = {now.user - cpu.user, now.system - cpu.system};
        return Ms(t, end);
    }
    CpuTime cpu;
    Clock::time_point t;
};

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// A fresh folder on tmpfs with the journal folder beside the files.
struct Root {
    Root() {
        char tmpl[] = "/dev/shm/quirnel-bench-XXXXXX";
        path = mkdtemp(tmpl);
        mkdir((path + "/files").c_str(), 0755);
    }
    ~Root() { std::filesystem::remove_all(path); }
    std::string files() const { return path + "/files"; }
    std::u16string journals() const { return FromNative(path + "/journal"); }
    std::string path;
};

void Touch(const std::string& p) { close(open(p.c_str(), O_CREAT | O_WRONLY, 0644)); }
bool Exists(const std::string& p) {
    struct stat st;
    return lstat(p.c_str(), &st) == 0;
}

// The renames: files in 300 folders, each to a new name in its folder.
struct Renames {
    explicit Renames(const Root& root) : root(root) {
        for (int f = 0; f < kFolders; ++f) mkdir(Folder(f).c_str(), 0755);
        for (int i = 0; i < kFiles; ++i) Touch(Old(i));
    }
    std::string Folder(int i) const { return root.files() + "/album " + std::to_string(i % kFolders); }
    std::string Old(int i) const { return Folder(i) + "/IMG_" + std::to_string(i) + ".jpg"; }
    std::string New(int i) const { return Folder(i) + "/holiday " + std::to_string(i) + ".jpg"; }
    bool All(bool renamed) const {
        for (int i = 0; i < kFiles; i += 97)
            if (!Exists(renamed ? New(i) : Old(i)) || Exists(renamed ? Old(i) : New(i))) return false;
        return true;
    }
    const Root& root;
};

// The chain: f1 ... f100000 in one folder, each to the name one below.
struct Chain {
    explicit Chain(const Root& root) : root(root) {
        for (int i = 1; i <= kFiles; ++i) Touch(Name(i));
    }
    std::string Name(int i) const { return root.files() + "/f" + std::to_string(i); }
    bool Shifted() const { return Exists(Name(0)) && Exists(Name(kFiles - 1)) && !Exists(Name(kFiles)); }
    const Root& root;
};

struct Session {
    Session() { app.settings.UseThread = 0; }
    void Row(const std::string& path, const std::string& newName) {
        size_t slash = path.rfind('/');
        RowSource s;
        s.name = FromNative(path.substr(slash + 1));
        s.folder = FromNative(path.substr(0, slash));
        ws.list.appendRow(s);
        ws.list.setNewName(ws.list.size() - 1, FromNative(newName));
    }
    AppState app;
    QuietHost host;
    Workspace ws{app.settings, app.flags, host, PathStyle::forPosix()};
};

int Bare(const std::vector<std::pair<std::string, std::string>>& plan) {
    int failed = 0;
    for (auto& [from, to] : plan)
        if (renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) != 0) ++failed;
    return failed;
}

std::string NameOf(const std::string& path) { return path.substr(path.rfind('/') + 1); }

// Each measure returns milliseconds and sets ok when the final names are right.
double BareRenames(bool& ok) {
    Root root;
    Renames t(root);
    std::vector<std::pair<std::string, std::string>> plan;
    for (int i = 0; i < kFiles; ++i) plan.emplace_back(t.Old(i), t.New(i));
    Timed timed;
    int failed = Bare(plan);
    double ms = timed.Stop();
    ok = failed == 0 && t.All(true);
    return ms;
}

double EngineRenames(bool journal, bool& ok) {
    Root root;
    Renames t(root);
    Session s;
    for (int i = 0; i < kFiles; ++i) s.Row(t.Old(i), NameOf(t.New(i)));
    if (journal) s.app.flags.journal.folder = root.journals();
    Timed timed;
    ApplyOutcome out = ApplyChanges(s.ws, ApplyType::Originals);
    double ms = timed.Stop();
    ok = out.counts.changed == kFiles && t.All(true) && journal == !out.journal.empty();
    return ms;
}

double BareChain(bool& ok) {
    Root root;
    Chain c(root);
    std::vector<std::pair<std::string, std::string>> plan;
    for (int i = 1; i <= kFiles; ++i) plan.emplace_back(c.Name(i), c.Name(i - 1));
    Timed timed;
    int failed = Bare(plan);
    double ms = timed.Stop();
    ok = failed == 0 && c.Shifted();
    return ms;
}

double EngineChain(bool& ok) {
    Root root;
    Chain c(root);
    Session s;
    for (int i = kFiles; i >= 1; --i) s.Row(c.Name(i), "f" + std::to_string(i - 1));  // from the top: every row waits
    Timed timed;
    ApplyOutcome out = ApplyChanges(s.ws, ApplyType::Originals);
    double ms = timed.Stop();
    ok = out.counts.changed == kFiles && c.Shifted();
    return ms;
}

double BareBack(bool& ok) {
    Root root;
    Renames t(root);
    std::vector<std::pair<std::string, std::string>> forth, back;
    for (int i = 0; i < kFiles; ++i) forth.emplace_back(t.Old(i), t.New(i));
    for (int i = kFiles; i-- > 0;) back.emplace_back(t.New(i), t.Old(i));
    ok = Bare(forth) == 0;
    Timed timed;
    int failed = Bare(back);
    double ms = timed.Stop();
    ok = ok && failed == 0 && t.All(false);
    return ms;
}

double Revert(bool& ok) {
    Root root;
    Renames t(root);
    Session s;
    for (int i = 0; i < kFiles; ++i) s.Row(t.Old(i), NameOf(t.New(i)));
    s.app.flags.journal.folder = root.journals();
    ApplyOutcome out = ApplyChanges(s.ws, ApplyType::Originals);
    Timed timed;
    RevertOutcome r = RevertJournal(out.journal, s.app.flags.journal, s.host);
    double ms = timed.Stop();
    ok = out.counts.changed == kFiles && r.reverted == kFiles && t.All(false);
    return ms;
}

struct Series {
    const char* what;
    std::function<double(bool&)> measure;
    std::vector<double> ms;
};

}  // namespace

// With an argument, only the series of that number (from 0) runs, once: for profiling.
int main(int argc, char** argv) {
    std::vector<Series> series = {
        {"bare renameat2 loop", BareRenames, {}},
        {"apply, no journal", [](bool& ok) { return EngineRenames(false, ok); }, {}},
        {"apply with journal", [](bool& ok) { return EngineRenames(true, ok); }, {}},
        {"bare loop, hand-ordered chain", BareChain, {}},
        {"apply, chain listed from the top", EngineChain, {}},
        {"bare loop renaming back", BareBack, {}},
        {"revert from the journal", Revert, {}},
    };
    bool allOk = true;
    if (argc > 1) {
        bool ok = false;
        Series& s = series.at(std::stoul(argv[1]));
        double ms = s.measure(ok);
        std::printf("%s: %.1f ms (cpu: user %.1f, system %.1f)%s\n", s.what, ms, g_cpu.user, g_cpu.system,
                    ok ? "" : " WRONG RESULT");
        return ok ? 0 : 1;
    }
    for (int run = 0; run < kRuns; ++run) {
        for (Series& s : series) {
            bool ok = false;
            s.ms.push_back(s.measure(ok));
            if (!ok) std::printf("  WRONG RESULT: %s (run %d)\n", s.what, run + 1);
            allOk = allOk && ok;
        }
    }
    auto m = [&](int i) { return Median(series[i].ms); };
    std::printf("100,000 entries on tmpfs, fresh trees, median of %d:\n", kRuns);
    std::printf("  %-34s %8.1f ms\n", series[0].what, m(0));
    std::printf("  %-34s %8.1f ms  (%.2fx bare)\n", series[1].what, m(1), m(1) / m(0));
    std::printf("  %-34s %8.1f ms  (%.2fx bare, %.3fx without journal; goal <= 1.10x)\n", series[2].what, m(2),
                m(2) / m(0), m(2) / m(1));
    std::printf("  %-34s %8.1f ms\n", series[3].what, m(3));
    std::printf("  %-34s %8.1f ms  (%.2fx, goal <= 1.3x)\n", series[4].what, m(4), m(4) / m(3));
    std::printf("  %-34s %8.1f ms\n", series[5].what, m(5));
    std::printf("  %-34s %8.1f ms  (%.2fx, goal <= 1.3x)\n", series[6].what, m(6), m(6) / m(5));
    return allOk ? 0 : 1;
}
