#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <utime.h>

#include <chrono>
#include <thread>

#include "TestSupport.h"
#include "cli/CliTestSupport.h"
#include "metadata/MediaSamples.h"

using namespace quirnel::test;

#ifdef QUIRNEL_HAS_CLI
// The command line takes the date taken, and its fallback through --set.
TEST(CliMedia, DateTakenAndItsFallbackSetting) {
    TempDir dir;
    dir.folder("in");
    WriteJpeg(dir / "in/shot.jpg", {{"Exif.Photo.DateTimeOriginal", "2023:07:04 09:05:31"}});
    dir.file("in/notes.txt", "x");
    struct utimbuf old{946728000, 946728000};  // 2000-01-01 12:00 UTC: the year is 2000 in every zone
    ASSERT_EQ(utime((dir / "in/notes.txt").c_str(), &old), 0);
    const std::string in = dir / "in";
    Result plain = Cli({"--set", "LoadType=1", "--set", "AutoSort=1", in, "--task", "3", "651", "%Y_", ""});
    EXPECT_EQ(plain.status, 0);
    EXPECT_NE(plain.out.find("shot.jpg\t2023_shot.jpg\t"), std::string::npos) << plain.out;
    EXPECT_NE(plain.out.find("notes.txt\tnotes.txt\t"), std::string::npos) << plain.out;
    Result fallback = Cli({"--set", "LoadType=1", "--set", "TakenFallback=1", in, "--task", "3", "651", "%Y_", ""});
    EXPECT_NE(fallback.out.find("notes.txt\t2000_notes.txt\t"), std::string::npos) << fallback.out;
}

namespace {

// Waits until someone opens the pipe to read it, as a reader of the list does.
int WriterOnceRead(const std::string& fifo, std::chrono::milliseconds patience) {
    const auto until = std::chrono::steady_clock::now() + patience;
    for (;;) {
        int fd = open(fifo.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
        if (fd >= 0 || std::chrono::steady_clock::now() > until) return fd;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
}

}  // namespace

// Two named pipes hold the readers up until the signal has come, so the
// stop falls inside the reading whatever the machine's speed: the files
// after them are never read, their rows stay as they were, and the run ends
// with nothing applied.
TEST(CliMedia, FirstSignalStopsTheReadingAndNothingIsApplied) {
    TempDir dir;
    dir.folder("in");
    ASSERT_EQ(mkfifo((dir / "in/a1.jpg").c_str(), 0600), 0);
    ASSERT_EQ(mkfifo((dir / "in/a2.jpg").c_str(), 0600), 0);
    for (int i = 0; i < 400; ++i) dir.file("in/f" + std::to_string(1000 + i) + ".jpg", "x");
    std::vector<std::string> args = {CliPath(), "--set", "LoadType=1", "--set", "AutoSort=1", "--set", "TakenFallback=1",
                                     dir / "in", "--task", "3", "651", "%Y_", "", "--apply"};
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    const std::string err = dir / "err.txt";
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    pid_t pid;
    ASSERT_EQ(posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ), 0);
    posix_spawn_file_actions_destroy(&actions);

    const int first = WriterOnceRead(dir / "in/a1.jpg", std::chrono::seconds(20));
    EXPECT_GE(first, 0) << "the first pipe was never read";
    kill(pid, SIGINT);
    std::this_thread::sleep_for(std::chrono::milliseconds(500));  // the stop is heard while the readers wait
    if (first >= 0) close(first);  // the reader sees the pipe end
    const int second = WriterOnceRead(dir / "in/a2.jpg", std::chrono::seconds(2));
    if (second >= 0) close(second);
    int status = 0;
    for (int i = 0; i < 2000 && waitpid(pid, &status, WNOHANG) == 0; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    if (waitpid(pid, &status, WNOHANG) == 0) {
        kill(pid, SIGKILL);
        waitpid(pid, &status, 0);
        FAIL() << "the run did not end after the pipes were closed";
    }
    ASSERT_TRUE(WIFEXITED(status)) << status;
    EXPECT_EQ(WEXITSTATUS(status), 2);
    const std::string said = dir.read("err.txt");
    EXPECT_NE(said.find("left unchanged: the reading was stopped before their files."), std::string::npos) << said;
    for (const std::string& name : Files(dir / "in")) EXPECT_EQ(name.find("_"), std::string::npos) << name;
    EXPECT_EQ(Files(dir / "in").size(), 402u);
}
#endif
