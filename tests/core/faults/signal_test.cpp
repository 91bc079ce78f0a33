// quirnel-cli stopped or killed in the middle of a large copy: nothing ever
// shows under the target's name unless it is complete.
#include <gtest/gtest.h>
#include <signal.h>

#include "ExfatImage.h"
#include "FaultSupport.h"

using namespace quirnel::test;

#ifdef QUIRNEL_HAS_CLI
namespace {

constexpr off_t kBig = 512ll * 1024 * 1024;

// Waits until the copy runs: its unnamed file is open in the target folder.
bool CopyRunning(pid_t pid, const std::string& folder) {
    for (int i = 0; i < 100000; ++i) {
        if (UnnamedFileOpenIn(folder, pid)) return true;
        usleep(100);
    }
    return false;
}

struct BigCopy {
    TempDir dir;
    std::string source, target;
    explicit BigCopy(const std::string& targetFolder = "") {
        source = dir.file("src/big", "");
        EXPECT_EQ(truncate(source.c_str(), kBig), 0);
        target = (targetFolder.empty() ? dir.folder("out") : targetFolder) + "/big";
    }
    std::string Folder() const { return target.substr(0, target.rfind('/')); }
    pid_t Start(const char* mode) {
        return StartCli({"--set", "LoadType=1", dir / "src", "--task", "17", "69", Folder(), "", mode}, dir / "log");
    }
    off_t SourceSize() const {
        struct stat st;
        return stat(source.c_str(), &st) == 0 ? st.st_size : -1;
    }
};

}  // namespace

TEST(Faults, SigtermSighupAndSigintStopACopyCleanlyWithItsSummary) {
    for (int signal : {SIGTERM, SIGHUP, SIGINT}) {
        BigCopy c;
        pid_t pid = c.Start("--copy");
        ASSERT_TRUE(CopyRunning(pid, c.Folder())) << signal;
        kill(pid, signal);
        int status = WaitForExit(pid);
        ASSERT_TRUE(WIFEXITED(status)) << signal << " must not end it outright";
        EXPECT_EQ(WEXITSTATUS(status), 1) << signal;
        const std::string log = Content(c.dir / "log");
        EXPECT_NE(log.find("Failed to change: big (Operation canceled)"), std::string::npos) << log;
        EXPECT_NE(log.find(" Total : 1 / Processed : 1 / Changed : 0"), std::string::npos) << log;
        EXPECT_FALSE(OnDisk(c.target)) << signal;
        EXPECT_TRUE(Entries(c.Folder()).empty()) << signal;
        EXPECT_EQ(c.SourceSize(), kBig) << signal;
    }
}

TEST(Faults, SigkillLeavesNoFileUnderTheTargetsName) {
    // A copy on the same disk, and a move to another file system.
    TempDir elsewhere("/dev/shm");
    struct stat tmp, shm;
    const bool otherFs = !elsewhere.path().empty() && stat("/tmp", &tmp) == 0 &&
                         stat(elsewhere.path().c_str(), &shm) == 0 && tmp.st_dev != shm.st_dev;
    for (const char* mode : {"--copy", "--apply"}) {
        if (std::string(mode) == "--apply" && !otherFs) continue;
        BigCopy c(std::string(mode) == "--apply" ? elsewhere.folder("out") : "");
        pid_t pid = c.Start(mode);
        ASSERT_TRUE(CopyRunning(pid, c.Folder())) << mode;
        kill(pid, SIGKILL);
        int status = WaitForExit(pid);
        EXPECT_TRUE(WIFSIGNALED(status)) << mode;
        EXPECT_FALSE(OnDisk(c.target)) << mode;
        EXPECT_TRUE(Entries(c.Folder()).empty()) << mode;
        EXPECT_EQ(c.SourceSize(), kBig) << mode << ": the source stays whole";
    }
    if (!otherFs) GTEST_SKIP() << "no room on a second file system (/dev/shm) for the move; the copy was tested";
}

// Where the file system has no unnamed files the copy is written under a
// hidden name; a SIGKILL leaves it, and the next run to that target removes
// it and says so.
TEST(Faults, AHiddenTemporaryLeftByAKillIsRemovedByTheNextRun) {
    ExfatImage exfat("96M");
    if (!exfat.ok()) GTEST_SKIP() << "no exFAT file system could be mounted here (needs root and exfat-fuse)";
    TempDir dir;
    const std::string source = dir / "src/big";
    std::filesystem::create_directories(dir / "src");
    PatternFile(source, 64 << 20);
    const std::string folder = exfat.path(), target = folder + "/big";
    const std::vector<std::string> args = {"--set", "LoadType=1", dir / "src", "--task", "17", "69", folder, "", "--copy"};
    pid_t pid = StartCli(args, dir / "log");
    std::string leftover;
    for (int i = 0; i < 100000 && leftover.empty(); ++i) {
        for (const std::string& name : Entries(folder)) {
            struct stat st;
            if (name.rfind(".quirnel-part-", 0) == 0 && stat((folder + "/" + name).c_str(), &st) == 0 && st.st_size > 0)
                leftover = folder + "/" + name;
        }
        if (leftover.empty()) usleep(100);
    }
    ASSERT_FALSE(leftover.empty()) << "the copy was not seen in progress";
    kill(pid, SIGKILL);
    WaitForExit(pid);
    EXPECT_FALSE(OnDisk(target));
    EXPECT_TRUE(OnDisk(leftover));

    pid = StartCli(args, dir / "log2");
    int status = WaitForExit(pid);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << Content(dir / "log2");
    EXPECT_NE(Content(dir / "log2").find("Removed what an interrupted earlier run left behind: " + leftover),
              std::string::npos)
        << Content(dir / "log2");
    EXPECT_FALSE(OnDisk(leftover));
    EXPECT_EQ(Content(target), Content(source));
    EXPECT_EQ(Entries(folder), std::set<std::string>{"big"});
}
#endif
