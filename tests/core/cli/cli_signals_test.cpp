#include "cli/CliSignals.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>

namespace {

// Whether the child ended within the time, and how.
bool Ended(pid_t pid, int& status, std::chrono::milliseconds within) {
    auto until = std::chrono::steady_clock::now() + within;
    while (std::chrono::steady_clock::now() < until) {
        if (waitpid(pid, &status, WNOHANG) == pid) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return false;
}

}  // namespace

// A child that asks for clean stops and then waits in a system call, as a
// run stuck on a slow file system would: the first signal only asks, the
// second ends it.
TEST(CliSignals, TheFirstSignalAsksForAStopTheSecondEndsTheProcess) {
    for (int signal : {SIGTERM, SIGINT}) {
        int ready[2];
        ASSERT_EQ(pipe(ready), 0);
        pid_t pid = fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            std::atomic<int> stop{0};
            quirnel::cli::StopOnSignals signals(stop);
            (void)!write(ready[1], "r", 1);
            while (stop.load() == 0) usleep(1000);
            (void)!write(ready[1], "s", 1);
            for (;;) pause();
        }
        close(ready[1]);
        char c = 0;
        ASSERT_EQ(read(ready[0], &c, 1), 1);
        kill(pid, signal);
        ASSERT_EQ(read(ready[0], &c, 1), 1);
        EXPECT_EQ(c, 's') << "the first signal asks for a stop";
        int status = 0;
        EXPECT_FALSE(Ended(pid, status, std::chrono::milliseconds(200))) << "and leaves the process running";
        kill(pid, signal);
        bool ended = Ended(pid, status, std::chrono::seconds(5));
        if (!ended) {
            kill(pid, SIGKILL);
            waitpid(pid, &status, 0);
        }
        EXPECT_TRUE(ended);
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal);
        close(ready[0]);
    }
}
