// A small tmpfs that fills while quirnel-cli copies or moves files into it:
// the originals stay whole, and every file under a name is complete.
#include <gtest/gtest.h>

#include "FaultSupport.h"

using namespace quirnel::test;

#ifdef QUIRNEL_HAS_CLI
TEST(Faults, ASmallFileSystemFillsDuringCopyAndCrossDeviceMove) {
    constexpr size_t kFileSize = 300 * 1024;
    for (const char* mode : {"--copy", "--apply"}) {
        TempDir dir;
        const std::string src = dir.folder("src"), small = dir.folder("small");
        TestMount mount = TestMount::Tmpfs(small, 1024 * 1024);
        if (!mount.ok()) GTEST_SKIP() << mount.why();
        std::string sources[6];
        for (int i = 0; i < 6; ++i) {
            PatternFile(sources[i] = src + "/" + Name("file", i), kFileSize);
            std::ofstream(src + "/" + Name("file", i), std::ios::app) << i;  // each one different
        }
        std::string wholeSource[6];
        for (int i = 0; i < 6; ++i) wholeSource[i] = Content(sources[i]);

        pid_t pid = StartCli({"--set", "LoadType=1", src, "--task", "17", "69", small, "", mode}, dir / "out");
        int status = WaitForExit(pid);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1) << mode << " " << status;
        const std::string out = Content(dir / "out");
        EXPECT_NE(out.find("(No space left on device)"), std::string::npos) << out;

        int arrived = 0;
        for (int i = 0; i < 6; ++i) {
            const std::string target = small + "/" + Name("file", i);
            const bool there = OnDisk(target);
            arrived += there;
            if (there) {
                EXPECT_EQ(Content(target), wholeSource[i]) << mode << " " << i << ": a partial file";
            }
            // A copy keeps its original; a move keeps it unless it arrived whole.
            if (std::string(mode) == "--copy" || !there) {
                EXPECT_EQ(Content(sources[i]), wholeSource[i]) << mode << " " << i;
            } else {
                EXPECT_FALSE(OnDisk(sources[i])) << mode << " " << i;
            }
        }
        EXPECT_GT(arrived, 0) << mode;
        EXPECT_LT(arrived, 6) << mode;
        EXPECT_EQ(Entries(small).size(), static_cast<size_t>(arrived)) << mode << ": nothing else stays";
    }
}
#endif
