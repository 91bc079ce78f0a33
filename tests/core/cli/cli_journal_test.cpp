#include <gtest/gtest.h>
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <map>
#include <random>
#include <thread>

#include "TestSupport.h"
#include "cli/CliTestSupport.h"

using namespace quirnel::test;
namespace fs = std::filesystem;

#ifdef QUIRNEL_CLI_PATH
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

        std::vector<std::string> args = {QUIRNEL_CLI_PATH, "--revert"};
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
            EXPECT_EQ(retry.status, 0) << retry.err << retry.out.substr(0, 2000);
            EXPECT_NE(retry.out.find(" / Reverted : 20000 / Skipped : 0"), std::string::npos) << retry.out.substr(0, 2000);
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

// SIGKILL at seeded random instants of a 20,000-rename run: afterwards every
// original file is there exactly once, under its old or new name (or, inside
// a cycle, under the temporary name its journal records), and --revert
// brings every old name back.
TEST(CliJournal, AKilledRunLosesNothingAndIsReverted) {
    constexpr int kSingles = 12000, kPairs = 4000;
    ShmDir dir;  // on tmpfs where there is one: the test is about instants, not disks
    const std::string in = dir / "in";
    fs::create_directories(in);
    std::map<std::string, std::string> before;  // name -> content
    auto make = [&](const std::string& name) {
        before[name] = name;
        std::ofstream(in + "/" + name) << name;
    };
    std::mt19937 random(20240611);
    int planMs = 0, changeMs = 0;
    const std::string journal = dir / "run.journal";
    const std::vector<std::string> args = {QUIRNEL_CLI_PATH, "--set", "LoadType=1", "--set", "AutoSort=0", in, "--task", "2",
                                           "106", "#", "", "--apply", "--journal", journal};
    for (int trial = 0; trial < 6; ++trial) {
        SCOPED_TRACE("trial " + std::to_string(trial));
        fs::remove_all(in);
        fs::create_directories(in);
        fs::remove(journal);
        before.clear();
        for (int i = 0; i < kSingles; ++i) make("s" + std::to_string(i) + "#t" + std::to_string(i));
        for (int i = 0; i < kPairs; ++i) {
            make("p" + std::to_string(i) + "#q" + std::to_string(i));
            make("q" + std::to_string(i) + "#p" + std::to_string(i));
        }
        std::vector<char*> argv;
        for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
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
        std::string journalText = Read(journal);
        std::map<std::string, std::string> seen;  // content -> name
        for (auto& e : fs::directory_iterator(in)) {
            std::string name = e.path().filename().string(), content = Read(e.path());
            EXPECT_TRUE(seen.emplace(content, name).second) << "twice: " << content;
            size_t hash = name.find('#');
            std::string flipped = hash == std::string::npos ? "" : name.substr(hash + 1) + "#" + name.substr(0, hash);
            bool old = name == content, renamed = flipped == content;
            bool inTemp = name.rfind(".quirnel-cycle-", 0) == 0 && journalText.find("/" + name) != std::string::npos;
            EXPECT_TRUE(old || renamed || inTemp) << name << " holds " << content;
        }
        EXPECT_EQ(seen.size(), before.size()) << "every file once";

        Result r = Cli({"--revert", journal, "--journal", dir / "revert.journal"});
        fs::remove(dir / "revert.journal");
        if (!fs::exists(journal)) {
            EXPECT_EQ(r.status, 2);  // killed before its journal: nothing was changed
        } else {
            EXPECT_EQ(r.status, 0) << r.out.substr(0, 3000);
        }
        EXPECT_EQ(Contents(in), before);
    }
}
#endif
