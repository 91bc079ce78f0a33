#include <gtest/gtest.h>
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <functional>
#include <map>
#include <random>
#include <thread>

#include "TestSupport.h"
#include "cli/CliTestSupport.h"

using namespace quirnel::test;
namespace fs = std::filesystem;

#ifdef QUIRNEL_HAS_CLI
namespace {

std::string Read(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// Name -> content of every file in a folder.
std::map<std::string, std::string> Contents(const std::string& dir) {
    std::map<std::string, std::string> out;
    for (auto& e : fs::directory_iterator(dir)) out[e.path().filename().string()] = Read(e.path());
    return out;
}

// A temporary folder on /dev/shm when it can be made there, else in /tmp.
struct ShmDir {
    ShmDir() {
        char shm[] = "/dev/shm/quirnel-test-XXXXXX";
        char tmp[] = "/tmp/quirnel-test-XXXXXX";
        const char* made = mkdtemp(shm);
        path = made ? made : mkdtemp(tmp);
    }
    ~ShmDir() { fs::remove_all(path); }
    std::string operator/(const std::string& rel) const { return path + "/" + rel; }
    std::string path;
};

}  // namespace

TEST(CliJournal, CheckPrintsEveryRowsFateAsTsvOrJson) {
    TempDir dir;
    for (const char* f : {"01", "02", "a#b", "b#a", "x#y", "y#z", "held", "z#y"}) dir.file(std::string("in/") + f, f);
    dir.file("in/held01", "");
    // Flipped around '#': a#b and b#a swap, so do y#z and z#y; x#y is renamed.
    Result tsv = Cli({"--set", "LoadType=1", "--set", "AutoSort=1", dir / "in", "--task", "2", "106", "#", "", "--check"});
    EXPECT_EQ(tsv.status, 0);
    const std::string in = dir / "in";
    EXPECT_EQ(tsv.out, "1\tunchanged\t\t" + in + "/01\t" + in + "/01\n" +
                           "2\tunchanged\t\t" + in + "/02\t" + in + "/02\n" +
                           "3\tcycle\t\t" + in + "/a#b\t" + in + "/b#a\n" +
                           "4\tcycle\t\t" + in + "/b#a\t" + in + "/a#b\n" +
                           "5\tunchanged\t\t" + in + "/held\t" + in + "/held\n" +
                           "6\tunchanged\t\t" + in + "/held01\t" + in + "/held01\n" +
                           "7\trename\t\t" + in + "/x#y\t" + in + "/y#x\n" +
                           "8\tcycle\t\t" + in + "/y#z\t" + in + "/z#y\n" +
                           "9\tcycle\t\t" + in + "/z#y\t" + in + "/y#z\n");
    Result json = Cli({"--set", "LoadType=1", in + "/x#y", in + "/01", "--task", "2", "106", "#", "", "--task", "3", "21",
                       "held", "", "--check", "--format", "json"});
    EXPECT_EQ(json.status, 1) << "a target is taken on disk";
    EXPECT_EQ(json.out, "[\n {\"Row\": 1, \"Status\": \"target-exists\", \"Detail\": null, \"Path\": \"" + in +
                            "/01\", \"Target\": \"" + in + "/held01\"},\n {\"Row\": 2, \"Status\": \"rename\", "
                            "\"Detail\": null, \"Path\": \"" + in + "/x#y\", \"Target\": \"" + in + "/heldy#x\"}\n]\n");
    EXPECT_EQ(Files(in).size(), 9u) << "nothing on disk changed";
}

TEST(CliJournal, ApplyThenRevertThroughTheNewestJournal) {
    TempDir dir;
    for (int i = 1; i <= 9; ++i) dir.file("in/0" + std::to_string(i), std::to_string(i));
    const std::string env = "XDG_STATE_HOME=" + Quote(dir / "state");
    const std::map<std::string, std::string> before = Contents(dir / "in");
    // Empty names numbered from 0 shift every file one down: 01->00 ... 09->08.
    Result run = Cli({"--set", "LoadType=1", "--set", "AutoSort=1", dir / "in", "--task", "5", "0", "", "", "--task",
                      "10", "83", "2", "0", "--apply"},
                     "", env);
    ASSERT_EQ(run.status, 0) << run.out;
    EXPECT_EQ(Read(dir / "in/00"), "1");
    EXPECT_EQ(Read(dir / "in/08"), "9");
    EXPECT_EQ(Files(dir / "state/quirnel/journal").size(), 1u);

    Result revert = Cli({"--revert"}, "", env);
    EXPECT_EQ(revert.status, 0) << revert.out;
    EXPECT_NE(revert.out.find(" Total : 9 / Reverted : 9 / Skipped : 0"), std::string::npos) << revert.out;
    EXPECT_EQ(revert.err.rfind("quirnel-cli: To revert: Rename run of ", 0), 0u) << revert.err;
    EXPECT_NE(revert.err.find(": 9 entries in " + dir / "in" + "\n"), std::string::npos) << revert.err;
    EXPECT_EQ(Contents(dir / "in"), before);

    // Twice is not a redo: there is nothing left to revert, and nothing moves.
    Result again = Cli({"--revert"}, "", env);
    EXPECT_EQ(again.status, 2);
    EXPECT_EQ(again.err, "quirnel-cli: Nothing to revert: every run recorded in " + dir / "state/quirnel/journal" +
                             " is reverted or changed nothing.\n");
    EXPECT_EQ(Contents(dir / "in"), before);

    // Naming the revert's own journal is a redo, and says so.
    std::vector<std::string> journals = Files(dir / "state/quirnel/journal");
    ASSERT_EQ(journals.size(), 2u);
    const std::string revertJournal = dir / ("state/quirnel/journal/" + journals.back());
    Result redo = Cli({"--revert", revertJournal, "--journal", dir / "own.journal"}, "", env);
    EXPECT_EQ(redo.status, 0) << redo.err;
    EXPECT_EQ(redo.err.rfind("quirnel-cli: To redo: Rename run of ", 0), 0u) << redo.err;
    EXPECT_NE(redo.out.find(revertJournal + " records a revert: reverting it redoes the run it reverted."), std::string::npos)
        << redo.out;
    EXPECT_EQ(Read(dir / "in/00"), "1");
    EXPECT_TRUE(fs::exists(dir / "own.journal"));
    EXPECT_EQ(Cli({"--revert", dir / "missing.journal"}, "", env).status, 2);
}

// SIGKILL at seeded random instants of the revert of a 20,000-rename run:
// the next --revert finishes it (every old name back), never reverses it,
// and the one after has nothing left to do.
TEST(CliJournal, AKilledRevertIsFinishedByTheNext) {
    constexpr int kFiles = 20000;
    ShmDir dir;
    const std::string in = dir / "in", journals = dir / "state/quirnel/journal";
    const std::string state = "XDG_STATE_HOME=" + dir / "state", env = "XDG_STATE_HOME=" + Quote(dir / "state");
    std::vector<std::string> envText;
    for (char** e = environ; *e; ++e)
        if (std::string(*e).rfind("XDG_STATE_HOME=", 0) != 0) envText.push_back(*e);
    envText.push_back(state);
    std::vector<char*> envp;
    for (auto& e : envText) envp.push_back(e.data());
    envp.push_back(nullptr);
    fs::create_directories(in);
    std::map<std::string, std::string> before;
    for (int i = 0; i < kFiles; ++i) {
        const std::string name = "s" + std::to_string(i) + "#t" + std::to_string(i);
        before[name] = name;
        std::ofstream(in + "/" + name) << name;
    }
    std::mt19937 random(20240612);
    int revertMs = 0;
    for (int trial = 0; trial < 5; ++trial) {
        SCOPED_TRACE("trial " + std::to_string(trial));
        Result run = Cli({"--set", "LoadType=1", "--set", "AutoSort=0", in, "--task", "2", "106", "#", "", "--apply"}, "",
                         env);
        ASSERT_EQ(run.status, 0) << run.err;
        ASSERT_EQ(Read(in + "/t0#s0"), "s0#t0");
        const size_t journalsBefore = Files(journals).size();

        std::vector<std::string> args = {::quirnel::test::CliPath(), "--revert"};
        std::vector<char*> argv;
        for (auto& a : args) argv.push_back(a.data());
        argv.push_back(nullptr);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
        pid_t pid;
        ASSERT_EQ(posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data()), 0);
        posix_spawn_file_actions_destroy(&actions);
        int status = 0;
        // From when the revert's own journal appears: the first trial times
        // the revert to its end, the others die at a random instant of it.
        while (Files(journals).size() == journalsBefore && waitpid(pid, &status, WNOHANG) == 0)
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        auto start = std::chrono::steady_clock::now();
        if (trial == 0) {
            waitpid(pid, &status, 0);
            revertMs = static_cast<int>(
                std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count());
            ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
        } else {
            std::this_thread::sleep_for(
                std::chrono::microseconds(std::uniform_int_distribution<int>(0, revertMs * 1000)(random)));
            kill(pid, SIGKILL);
            waitpid(pid, &status, 0);
            Result retry = Cli({"--revert"}, "", env);
            // On a busy machine the kill may come once the revert has done
            // everything: then the retry has nothing to finish, and the
            // names below say whether it was really done.
            if (retry.status != 2 || retry.err.find("Nothing to revert") == std::string::npos) {
                EXPECT_EQ(retry.status, 0) << retry.err << retry.out.substr(0, 2000);
                EXPECT_NE(retry.out.find(" / Reverted : 20000 / Skipped : 0"), std::string::npos)
                    << retry.out.substr(0, 2000);
            }
        }
        EXPECT_EQ(Contents(in), before) << "every old name back";
        for (int more = 0; more < 2; ++more) {
            Result after = Cli({"--revert"}, "", env);
            EXPECT_EQ(after.status, 2) << after.out.substr(0, 2000);
            EXPECT_NE(after.err.find("Nothing to revert"), std::string::npos) << after.err;
        }
        EXPECT_EQ(Contents(in), before) << "further retries change nothing";
    }
}

namespace {

// Every entry below a folder, relative name -> content ("<dir>" for a folder).
std::map<std::string, std::string> TreeContents(const std::string& dir) {
    std::map<std::string, std::string> out;
    for (auto& e : fs::recursive_directory_iterator(dir))
        out[fs::relative(e.path(), dir).string()] = e.is_directory() ? "<dir>" : Read(e.path());
    return out;
}

// A run quirnel-cli is killed in: what it starts from and how it is asked.
struct KilledRun {
    const char* name;
    int trials;
    std::function<void(const std::string& in)> make;  // fills the list's folder
    std::function<std::vector<std::string>(const std::string& in, const std::string& out)> args;
    bool checkMidway;  // a rename run: every file at its old, new or recorded temporary name
};

// Names flipped around '#'; loadType 1 adds a folder's files, 0 the folders given.
std::vector<std::string> FlipArgs(const char* loadType, std::vector<std::string> list, const char* mode) {
    std::vector<std::string> a = {"--set", std::string("LoadType=") + loadType, "--set", "AutoSort=0"};
    a.insert(a.end(), list.begin(), list.end());
    for (const char* x : {"--task", "2", "106", "#", "", mode}) a.emplace_back(x);
    return a;
}

void MakeFile(const std::string& path, const std::string& content) { std::ofstream(path) << content; }

}  // namespace

// SIGKILL at seeded random instants of runs of each kind: renames (with
// cycles), copies of files, copies of folders with files inside, and a move
// to another file system. After each, --revert brings back every original
// content exactly once under its old name, and nothing stays under a new
// or a hidden name. A rename run is also checked before the revert: every
// file is there exactly once, under its old or new name (or, inside a
// cycle, under the temporary name its journal records).
TEST(CliJournal, AKilledRunLosesNothingAndIsReverted) {
    ShmDir shm;  // on tmpfs where there is one: the test is about instants, not disks
    struct stat a, b;
    const bool otherFs = stat("/tmp", &a) == 0 && stat(shm.path.c_str(), &b) == 0 && a.st_dev != b.st_dev;
    const std::vector<KilledRun> kinds = {
        {"rename", 6,
         [](const std::string& in) {
             // a + i + b + i, built by appending (GCC 12 warns wrongly about "a" + to_string).
             auto make = [&](char a, int i, char b) {
                 std::string name(1, a);
                 name += std::to_string(i);
                 name += '#';
                 name += b;
                 name += std::to_string(i);
                 MakeFile(in + "/" + name, name);
             };
             for (int i = 0; i < 12000; ++i) make('s', i, 't');
             for (int i = 0; i < 4000; ++i) {
                 make('p', i, 'q');
                 make('q', i, 'p');
             }
         },
         [](const std::string& in, const std::string&) { return FlipArgs("1", {in}, "--apply"); }, true},
        {"file copy", 4,
         [](const std::string& in) {
             for (int i = 0; i < 1500; ++i) MakeFile(in + "/c" + std::to_string(i) + "#d", std::string(8000, 'c'));
         },
         [](const std::string& in, const std::string&) { return FlipArgs("1", {in}, "--copy"); }, false},
        {"folder copy", 4,
         [](const std::string& in) {
             for (int i = 0; i < 150; ++i) {
                 const std::string f = in + "/f" + std::to_string(i) + "#g";
                 fs::create_directories(f + "/inner");
                 for (int k = 0; k < 8; ++k) MakeFile(f + "/x" + std::to_string(k), std::string(4000, 'x'));
                 MakeFile(f + "/inner/y", "y");
             }
         },
         [](const std::string& in, const std::string&) {
             std::vector<std::string> folders;
             for (auto& e : fs::directory_iterator(in)) folders.push_back(e.path().string());
             std::sort(folders.begin(), folders.end());
             return FlipArgs("0", folders, "--copy");
         },
         false},
        // Few files: moving them back syncs each on the build tree's disk.
        {"move across file systems", otherFs ? 5 : 0,
         [](const std::string& in) {
             for (int i = 0; i < 300; ++i) MakeFile(in + "/m" + std::to_string(i), std::string(8000, 'm'));
         },
         [](const std::string& in, const std::string& out) {
             return std::vector<std::string>{"--set", "LoadType=1", in, "--task", "17", "69", out, "", "--apply"};
         },
         false},
    };
    std::mt19937 random(20240611);
    for (const KilledRun& kind : kinds) {
        SCOPED_TRACE(kind.name);
        // The move leaves the build tree's disk for tmpfs; the others stay on tmpfs.
        TempDir disk;
        const bool across = std::string(kind.name).rfind("move", 0) == 0;
        const std::string base = across ? disk.path() : shm.path, in = base + "/in", out = shm / "out";
        const std::string journal = shm / "run.journal";
        int planMs = 0, changeMs = 0;
        for (int trial = 0; trial < kind.trials; ++trial) {
            SCOPED_TRACE("trial " + std::to_string(trial));
            fs::remove_all(in);
            fs::remove_all(out);
            fs::create_directories(in);
            fs::create_directories(out);
            fs::remove(journal);
            kind.make(in);
            const std::map<std::string, std::string> before = TreeContents(in);
            std::vector<std::string> args = kind.args(in, out);
            args.insert(args.begin(), ::quirnel::test::CliPath());
            args.insert(args.end(), {"--journal", journal});
            std::vector<char*> argv;
            for (const auto& x : args) argv.push_back(const_cast<char*>(x.c_str()));
            argv.push_back(nullptr);
            posix_spawn_file_actions_t actions;
            posix_spawn_file_actions_init(&actions);
            posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
            posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
            pid_t pid;
            auto start = std::chrono::steady_clock::now();
            ASSERT_EQ(posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ), 0);
            posix_spawn_file_actions_destroy(&actions);
            // The first trial runs to its end and times it: until its journal
            // appears (adding and checking) and after (the changes). Trial 1
            // dies in the first part; the others at a random instant of the
            // changes, counted from when the journal appears.
            int status = 0;
            auto since = [](auto t) {
                return static_cast<int>(
                    std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - t).count());
            };
            auto waitForJournal = [&] {
                while (!fs::exists(journal) && waitpid(pid, &status, WNOHANG) == 0)
                    std::this_thread::sleep_for(std::chrono::microseconds(200));
            };
            if (trial == 0) {
                waitForJournal();
                planMs = since(start);
                auto changes = std::chrono::steady_clock::now();
                waitpid(pid, &status, 0);
                changeMs = since(changes);
                ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
            } else {
                if (trial == 1) {
                    std::this_thread::sleep_for(std::chrono::milliseconds(
                        std::uniform_int_distribution<int>(0, planMs)(random)));
                } else {
                    waitForJournal();
                    std::this_thread::sleep_for(std::chrono::microseconds(
                        std::uniform_int_distribution<int>(0, changeMs * 1000)(random)));
                }
                kill(pid, SIGKILL);
                waitpid(pid, &status, 0);
            }
            if (kind.checkMidway) {
                std::string journalText = Read(journal);
                std::map<std::string, std::string> seen;  // content (its old name) -> name
                for (auto& e : fs::directory_iterator(in)) {
                    std::string name = e.path().filename().string(), content = Read(e.path());
                    EXPECT_TRUE(seen.emplace(content, name).second) << "twice: " << content;
                    size_t hash = name.find('#');
                    std::string flipped = hash == std::string::npos ? "" : name.substr(hash + 1) + "#" + name.substr(0, hash);
                    bool inTemp = name.rfind(".quirnel-cycle-", 0) == 0 && journalText.find("/" + name) != std::string::npos;
                    EXPECT_TRUE(name == content || flipped == content || inTemp) << name << " holds " << content;
                }
                EXPECT_EQ(seen.size(), before.size()) << "every file once";
            }

            Result r = Cli({"--revert", journal, "--journal", shm / "revert.journal"});
            fs::remove(shm / "revert.journal");
            if (!fs::exists(journal)) {
                EXPECT_EQ(r.status, 2);  // killed before its journal: nothing was changed
            } else {
                EXPECT_EQ(r.status, 0) << r.out.substr(0, 3000);
            }
            EXPECT_EQ(TreeContents(in), before);
            EXPECT_TRUE(fs::is_empty(out)) << "nothing left where the move went";
        }
    }
    if (!otherFs) GTEST_SKIP() << "no second file system (/dev/shm) for the move; the other runs were tested";
}
#endif
