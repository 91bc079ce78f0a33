#include <gtest/gtest.h>

#include <filesystem>
#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <iterator>
#include <sstream>

#include "TestSupport.h"
#include "cli/CliTestSupport.h"
#include "base/TextFile.h"
#include "run/CommandCatalogue.h"

using quirnel::FromNative;
using namespace quirnel::test;
namespace fs = std::filesystem;

#ifdef QUIRNEL_HAS_CLI
namespace {

struct CliFixture : ::testing::Test {
    CliFixture() {
        dir.file("in/a1.txt", "one");
        dir.file("in/b2.txt", "two");
        dir.file("in/c.log", "three");
    }
    std::string In() { return dir / "in"; }
    TempDir dir;
};

}  // namespace

TEST_F(CliFixture, PreviewListsProposalsWithoutTouchingTheDisk) {
    Result r = Cli({"--set", "LoadType=1", In(), "--task", "3", "21", "x_", ""});
    EXPECT_EQ(r.status, 0);
    std::string folder = In();
    EXPECT_EQ(r.out, "a1.txt\tx_a1.txt\t" + folder + "\t" + folder + "\n" +  //
                         "b2.txt\tx_b2.txt\t" + folder + "\t" + folder + "\n" +  //
                         "c.log\tx_c.log\t" + folder + "\t" + folder + "\n");
    EXPECT_EQ(Files(In()), (std::vector<std::string>{"a1.txt", "b2.txt", "c.log"}));
    Result json = Cli({"--set", "LoadType=1", In(), "--format", "json"});
    EXPECT_NE(json.out.find("\"Old Name\": \"a1.txt\""), std::string::npos);
    EXPECT_NE(json.out.find("\"IsFolder\": false"), std::string::npos);
}

// The PATHs first as one drop, then each list in the order given, its lines
// as they stand: numbering follows that order.
TEST_F(CliFixture, PathListsKeepTheirOrderAfterThePositionalPaths) {
    dir.file("first.lst", In() + "/b2.txt\n" + In() + "/a1.txt\n");
    dir.file("second.lst", In() + "/z\xE9.txt\n");  // a name that is not UTF-8
    dir.file("in/z\xE9.txt", "latin-1");
    Result r = Cli({"--set", "AutoSort=0", In() + "/c.log", "--paths-from", dir / "first.lst", "--paths-from",
                    dir / "second.lst", "--task", "10", "84", "", "1", "--columns", "basic"});
    EXPECT_EQ(r.status, 0);
    const std::string f = In();
    EXPECT_EQ(r.out, "c.log\t1c.log\t" + f + "\t" + f + "\n" + "b2.txt\t2b2.txt\t" + f + "\t" + f + "\n" +
                         "a1.txt\t3a1.txt\t" + f + "\t" + f + "\n" + "z\xE9.txt\t4z\xE9.txt\t" + f + "\t" + f + "\n");
    Result stdinList = Cli({"--set", "AutoSort=0", "--paths-from", "-", "--task", "10", "84", "", "1", "--apply"},
                           In() + "/z\xE9.txt\n" + In() + "/a1.txt");
    EXPECT_EQ(stdinList.status, 0);
    EXPECT_EQ(Files(In()), (std::vector<std::string>{"1z\xE9.txt", "2a1.txt", "b2.txt", "c.log"}));
}

TEST_F(CliFixture, CheckStopsAtADuplicateWithStatusTwo) {
    // Emptied names given one more extension collide: .txt.txt twice.
    Result dup = Cli({"--set", "LoadType=1", In(), "--task", "5", "0", "", "", "--task", "19", "21", ".txt", "",
                      "--check", "--apply"});
    EXPECT_EQ(dup.status, 2);
    // Every row's fate is printed all the same; the second is the duplicate of the first.
    EXPECT_NE(dup.out.find("2\tduplicate\t1\t" + In() + "/b2.txt\t" + In() + "/.txt.txt\n"), std::string::npos) << dup.out;
    // The reason, not only the status: which target collided.
    EXPECT_NE(dup.err.find("Detected duplication"), std::string::npos) << dup.err;
    EXPECT_NE(dup.err.find("(" + In() + "/.txt.txt)"), std::string::npos) << dup.err;
    EXPECT_EQ(Files(In()), (std::vector<std::string>{"a1.txt", "b2.txt", "c.log"}));
}

// --check says why it stops, naming the row, as --apply does.
TEST_F(CliFixture, FailedChecksSayWhyAndNameTheRow) {
    struct Case {
        std::vector<std::string> task;
        const char* message;
        const char* row;
    } cases[] = {
        {{"--task", "5", "0", "", "", "--task", "18", "0", "", ""}, "Found an item with no valid name.", "row 1: "},
        {{"--task", "3", "21", "x/", ""}, "A file name cannot include", "row 1: "},
        {{"--task", "2", "61", "b2", "a1"}, "Detected duplication:", "row 2: "},
    };
    for (const Case& c : cases) {
        for (const char* mode : {"--check", "--apply"}) {
            std::vector<std::string> args = {"--set", "LoadType=1", "--set", "AutoSort=1", In(), mode};
            args.insert(args.end(), c.task.begin(), c.task.end());
            Result r = Cli(args);
            EXPECT_EQ(r.status, 2) << mode << " " << c.message;
            EXPECT_NE(r.err.find(c.message), std::string::npos) << mode << ": " << r.err;
            EXPECT_NE(r.err.find(std::string("stopped at ") + c.row + In()), std::string::npos) << mode << ": " << r.err;
        }
    }
    EXPECT_EQ(Files(In()), (std::vector<std::string>{"a1.txt", "b2.txt", "c.log"}));
}

// A save target that cannot be written stops the run before anything changes.
TEST_F(CliFixture, AnUnwritableSaveTargetStopsTheRunBeforeAnyChange) {
    dir.folder("taken.ini");
    const std::vector<std::vector<std::string>> saves = {
        {"--save-config", In() + "/a1.txt/x.ini"},  // below a file
        {"--save-config", dir / "taken.ini"},       // a folder
        {"--save-presets", dir / "missing/p.qpx"},  // a folder the preset writer does not create
    };
    for (const auto& save : saves) {
        Result r = Cli({"--set", "LoadType=1", In(), "--task", "3", "21", "x_", "", "--apply", save[0], save[1]});
        EXPECT_EQ(r.status, 64) << save[1];
        EXPECT_NE(r.err.find("cannot write"), std::string::npos) << r.err;
        EXPECT_TRUE(r.out.empty()) << r.out;
        EXPECT_EQ(Files(In()), (std::vector<std::string>{"a1.txt", "b2.txt", "c.log"}));
    }
    Result created = Cli({"--set", "LoadType=1", In(), "--task", "3", "21", "x_", "", "--apply", "--save-config",
                          dir / "new/folder/q.ini"});
    EXPECT_EQ(created.status, 0);
    EXPECT_TRUE(fs::exists(dir / "new/folder/q.ini"));
    EXPECT_EQ(Files(In()), (std::vector<std::string>{"x_a1.txt", "x_b2.txt", "x_c.log"}));
}

TEST_F(CliFixture, ApplyRenamesAndCopyKeepsTheOriginals) {
    Result r = Cli({"--set", "LoadType=1", In(), "--task", "2", "61", "txt", "md", "--set", "IncludeExt=1", "--apply"});
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("Starting applying changes to originals."), std::string::npos);
    EXPECT_EQ(Files(In()), (std::vector<std::string>{"a1.md", "b2.md", "c.log"}));
    std::ifstream in(In() + "/a1.md");
    std::string content;
    in >> content;
    EXPECT_EQ(content, "one");

    Result c = Cli({"--set", "LoadType=1", In(), "--task", "4", "21", "_copy", "", "--copy"});
    EXPECT_EQ(c.status, 0);
    EXPECT_EQ(Files(In()), (std::vector<std::string>{"a1.md", "a1_copy.md", "b2.md", "b2_copy.md", "c.log",
                                                     "c_copy.log"}));
}

// A run that applies reads a file's times only when a command asks for
// them; the names still carry each file's own.
TEST_F(CliFixture, ApplyWithADateCommandReadsEachFilesOwnTime) {
    // noon on New Year's Day, UTC: the same year in every zone
    const struct timespec times[2][2] = {{{946728000, 0}, {946728000, 0}}, {{1262347200, 0}, {1262347200, 0}}};
    ASSERT_EQ(utimensat(AT_FDCWD, (In() + "/a1.txt").c_str(), times[0], 0), 0);  // 2000
    ASSERT_EQ(utimensat(AT_FDCWD, (In() + "/b2.txt").c_str(), times[1], 0), 0);  // 2010
    Result r = Cli({"--set", "LoadType=1", In(), "--task", "3", "117", "%Y_", "", "--apply"});
    EXPECT_EQ(r.status, 0) << r.out;
    const std::vector<std::string> got = Files(In());
    ASSERT_EQ(got.size(), 3u);
    EXPECT_EQ(got[0], "2000_a1.txt");
    EXPECT_EQ(got[1], "2010_b2.txt");
    EXPECT_EQ(got[2].substr(4), "_c.log");
}

TEST_F(CliFixture, CuttingAPairInHalfStopsTheRunBeforeTheDisk) {
    dir.file("in/\xF0\x9F\x98\x80" "1.txt", "smile");
    // Remove position 1 to 1 takes only the first half of the pair.
    Result r = Cli({In() + "/\xF0\x9F\x98\x80" "1.txt", In() + "/a1.txt", "--task", "6", "41", "1", "1", "--apply"},
                   dir / "err.txt");
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("A file name cannot include"), std::string::npos);
    EXPECT_EQ(Files(In()), (std::vector<std::string>{"a1.txt", "b2.txt", "c.log", "\xF0\x9F\x98\x80" "1.txt"}));
}

TEST_F(CliFixture, AnEmptyChangeFolderTargetEndsTheRunWithItsReason) {
    Result r = Cli({"--set", "LoadType=1", In(), "--task", "17", "69", "", "", "--apply"});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err, "Change Folder: Invalid folder\n");
    EXPECT_TRUE(r.out.empty());
    EXPECT_EQ(Files(In()), (std::vector<std::string>{"a1.txt", "b2.txt", "c.log"}));
}

TEST_F(CliFixture, PresetFileDrivesARunAndAutoApplyNeedsApply) {
    std::string presets = dir / "p.qpx";
    ASSERT_TRUE(quirnel::WriteTextFile(FromNative(presets),
                                       u"Preset_Name=tidy\r\nPreset_AutoApply=1\r\nPreset_ApplyType=0\r\n"
                                       u"PresetTask_Command=3\r\nPresetTask_SubCommand=21\r\n"
                                       u"PresetTask_Arg1=<2024 >\r\nPresetTask_Arg2=\r\n"));
    Result preview = Cli({"--presets", presets, "--preset", "1", "--set", "LoadType=1", In()});
    EXPECT_EQ(preview.status, 0);
    EXPECT_NE(preview.out.find("\t2024 a1.txt\t"), std::string::npos);
    EXPECT_EQ(Files(In()), (std::vector<std::string>{"a1.txt", "b2.txt", "c.log"}));  // no --apply: disk untouched
    Result run = Cli({"--presets", presets, "--preset", "1", "--set", "LoadType=1", In(), "--apply"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(Files(In()), (std::vector<std::string>{"2024 a1.txt", "2024 b2.txt", "2024 c.log"}));
}

TEST_F(CliFixture, FailedRowGivesStatusOneAndUsageErrorsSixtyFour) {
    dir.file("in/x_a1.txt", "occupied");
    Result r = Cli({"--set", "LoadType=1", In() + "/a1.txt", In() + "/b2.txt", "--task", "3", "21", "x_", "", "--apply"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.out.find("Failed to change: a1.txt"), std::string::npos);
    std::ifstream kept(In() + "/x_a1.txt");
    std::string content;
    kept >> content;
    EXPECT_EQ(content, "occupied");  // never overwritten
    EXPECT_TRUE(fs::exists(In() + "/x_b2.txt"));

    for (auto args : std::vector<std::vector<std::string>>{{"--bogus", In()},
                                                           {"--preset", "7", In()},
                                                           {"--task", "3", In()},
                                                           {"--config", dir / "missing.ini", In()},
                                                           {}}) {
        Result u = Cli(args);
        EXPECT_EQ(u.status, 64);
        EXPECT_TRUE(u.out.empty());
    }
}
// --help lists what --task takes from the catalogue itself: every command a
// preset runs, and each of its sub-commands under it.
TEST(CliHelp, ListsEveryTaskCommandAndItsSubCommands) {
    Result r = Cli({"--help"});
    ASSERT_EQ(r.status, 0);
    const size_t list = r.out.find("Commands for --task");
    ASSERT_NE(list, std::string::npos);
    for (const quirnel::CommandInfo& info : quirnel::Commands()) {
        const size_t at = r.out.find("\n  " + std::to_string(info.id) + "  ", list);
        EXPECT_EQ(at != std::string::npos, info.inPresets) << info.id;
        if (at == std::string::npos) continue;
        size_t next = at + 1;  // the next command's line: two blanks, then its number
        while ((next = r.out.find("\n  ", next)) != std::string::npos && !std::isdigit(r.out[next + 3])) ++next;
        const std::string block = r.out.substr(at, next == std::string::npos ? std::string::npos : next - at);
        for (const quirnel::SubCommandSpec& s : info.items)
            EXPECT_NE(block.find("\n      " + std::to_string(s.value) + "  "), std::string::npos) << info.id << "/" << s.value;
    }
}

// Names that break a line or a string, or are not UTF-8, in both formats;
// and a list long enough to be written out in several pieces.
TEST_F(CliFixture, ListOutputEscapesAndStreamsEveryRow) {
    TempDir odd;
    const std::vector<std::string> names = {"tab\there", "back\\slash", "quote\"d", "emoji\xF0\x9F\x98\x80", "bad\xFF",
                                            "line\nfeed"};
    for (const auto& n : names) {
        std::string p = odd.file("d/" + n + ".txt", "abc");
        struct timespec times[2] = {{1688461531, 0}, {1688461531, 0}};
        ASSERT_EQ(utimensat(AT_FDCWD, p.c_str(), times, 0), 0);
    }
    setenv("TZ", "UTC", 1);
    const std::string d = odd / "d";
    Result tsv = Cli({"--set", "LoadType=1", d, "--columns", "all"});
    Result json = Cli({"--set", "LoadType=1", d, "--format", "json"});
    unsetenv("TZ");
    auto cells = [&](const std::string& shown) {
        return shown + "\t" + shown + "\t" + d + "\t" + d + "\t3\t2023-07-04 09:05:31\t";
    };
    std::vector<std::string> lines;
    std::istringstream tsvLines(tsv.out);
    for (std::string line; std::getline(tsvLines, line);) lines.push_back(line);
    EXPECT_EQ(lines.size(), 6u);
    for (const std::string& shown : {std::string("tab\\there.txt"), std::string("back\\\\slash.txt"),
                                     std::string("quote\"d.txt"), std::string("emoji\xF0\x9F\x98\x80.txt"),
                                     std::string("bad\xFF.txt"), std::string("line\\nfeed.txt")}) {
        std::string start = cells(shown);
        auto startsLine = [&](const std::string& l) { return l.rfind(start, 0) == 0; };
        EXPECT_EQ(std::count_if(lines.begin(), lines.end(), startsLine), 1) << shown;
    }
    for (const char* shown : {"\"tab\\u0009here.txt\"", "\"back\\\\slash.txt\"", "\"quote\\\"d.txt\"",
                              "\"emoji\xF0\x9F\x98\x80.txt\"", "\"bad\\udcff.txt\"", "\"line\\u000afeed.txt\""})
        EXPECT_NE(json.out.find(std::string("{\"Old Name\": ") + shown + ", \"New Name\": " + shown), std::string::npos)
            << shown;
    EXPECT_NE(json.out.find("\"Size\": \"3\", \"Modified\": \"2023-07-04 09:05:31\", \"Created\": \"2"),
              std::string::npos);
    EXPECT_EQ(json.out.substr(0, 4), "[\n {");
    EXPECT_EQ(json.out.substr(json.out.size() - 4), "}\n]\n");

    TempDir many;
    const std::string m = many.folder("m");
    auto longName = [](int i) { return "a long name that fills the output buffer sooner, number " + std::to_string(i); };
    for (int i = 0; i < 600; ++i) close(open((m + "/" + longName(i)).c_str(), O_CREAT | O_WRONLY, 0644));
    Result big = Cli({"--set", "LoadType=1", m});
    std::vector<std::string> oldNames;
    std::istringstream in(big.out);
    for (std::string line; std::getline(in, line);) oldNames.push_back(line.substr(0, line.find('\t')));
    std::sort(oldNames.begin(), oldNames.end());
    std::vector<std::string> expected;
    for (int i = 0; i < 600; ++i) expected.push_back(longName(i));
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(oldNames, expected);
}

// Files read whole are bounded: an endless or huge one is refused with a
// reason instead of growing until the allocator gives up. A path list is
// streamed and ends at its first NUL byte.
TEST_F(CliFixture, OversizedConfigurationAndPresetFilesAreRefused) {
    std::string huge = dir.file("huge.ini", "");
    ASSERT_EQ(truncate(huge.c_str(), (16 << 20) + 1), 0);
    for (auto args : std::vector<std::vector<std::string>>{{"--config", "/dev/zero", In()},
                                                           {"--presets", "/dev/zero", In()},
                                                           {"--config", huge, In()}}) {
        Result r = Cli(args);
        EXPECT_EQ(r.status, 64) << args[1];
        EXPECT_NE(r.err.find("is larger than 16 MiB"), std::string::npos) << r.err;
        EXPECT_TRUE(r.out.empty());
    }
    Result list = Cli({"--paths-from", "/dev/zero", In() + "/a1.txt"});
    EXPECT_EQ(list.status, 0);
    EXPECT_EQ(list.out.substr(0, 7), "a1.txt\t");
}
#endif
