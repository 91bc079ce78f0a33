#include <gtest/gtest.h>

#include <utime.h>

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
#endif
