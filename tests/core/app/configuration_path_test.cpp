#include "app/ConfigurationPath.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

#include "FakeEnvironment.h"
#include "TestSupport.h"

using namespace quirnel;
using quirnel::test::Env;

namespace {

// A file system of a few writable folders and existing paths.
PlaceProbe Places(std::set<std::u16string> writable, std::set<std::u16string> existing = {}) {
    PlaceProbe probe;
    probe.folderWritable = [writable](const std::u16string& f) { return writable.count(f) > 0; };
    probe.exists = [existing](const std::u16string& p) { return existing.count(p) > 0; };
    return probe;
}

TEST(ConfigurationPathRule, BesideTheExecutableWhenWritable) {
    const PathStyle& win = PathStyle::forWindows();
    EXPECT_EQ(ConfigurationPath(u"C:\\Tools\\Quirnel.exe", Env({}), Places({u"C:\\Tools"}), win), u"C:\\Tools\\Quirnel.ini");
    EXPECT_EQ(ConfigurationPath(u"C:\\Apps\\my.tools\\Quirnel", Env({}), Places({u"C:\\Apps\\my.tools"}), win),
              u"C:\\Apps\\my.tools\\Quirnel.ini");
    const PathStyle& posix = PathStyle::forPosix();
    EXPECT_EQ(ConfigurationPath(u"/opt/my.tools/quirnel", Env({}), Places({u"/opt/my.tools"}), posix),
              u"/opt/my.tools/quirnel.ini");
    EXPECT_EQ(ConfigurationPath(u"/quirnel.bin", Env({}), Places({u"/"}), posix), u"/quirnel.ini");
}

// Rows: where the program runs, what is there, where its configuration lives.
TEST(ConfigurationPathRule, InstalledProgramsUseTheUserFolderPortableOnesTheirOwn) {
    const auto env = Env({{"XDG_CONFIG_HOME", "/cfg"}, {"HOME", "/home/u"}});
    const std::u16string entry = u"/usr/share/applications/org.quirnel.Quirnel.desktop";
    struct Case {
        const char* what;
        PlaceProbe places;
        std::u16string expected;
    } cases[] = {
        {"installed, run as root: never beside", Places({u"/usr/bin"}, {entry}), u"/cfg/quirnel/quirnel.ini"},
        {"installed, with a file left beside", Places({u"/usr/bin"}, {entry, u"/usr/bin/quirnel.ini"}),
         u"/cfg/quirnel/quirnel.ini"},
        {"not installed, read-only, file beside (portable)", Places({}, {u"/usr/bin/quirnel.ini"}), u"/usr/bin/quirnel.ini"},
        {"not installed, writable (a build folder)", Places({u"/usr/bin"}), u"/usr/bin/quirnel.ini"},
        {"not installed, read-only, no file", Places({}), u"/cfg/quirnel/quirnel.ini"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ConfigurationPath(u"/usr/bin/quirnel", env, c.places, PathStyle::forPosix()), c.expected) << c.what;
}

TEST(ConfigurationPathRule, UserConfigFolderFromTheEnvironment) {
    const PlaceProbe readOnly = Places({});
    const PathStyle& posix = PathStyle::forPosix();
    EXPECT_EQ(ConfigurationPath(u"/usr/bin/quirnel", Env({{"HOME", "/home/u"}}), readOnly, posix),
              u"/home/u/.config/quirnel/quirnel.ini");
    EXPECT_EQ(ConfigurationPath(u"/usr/bin/quirnel", Env({{"XDG_CONFIG_HOME", "rel"}, {"HOME", "/home/u"}}), readOnly, posix),
              u"/home/u/.config/quirnel/quirnel.ini")
        << "a relative XDG_CONFIG_HOME is ignored";
    EXPECT_EQ(ConfigurationPath(u"/usr/bin/quirnel", Env({}), readOnly, posix), u"/usr/bin/quirnel.ini");
}

// A prefix laid out as `make install` lays it out, on disk.
TEST(ConfigurationPathRule, RealFolders) {
    test::TempDir dir;
    EXPECT_TRUE(IsFolderWritable(dir.u16()));
    EXPECT_FALSE(IsFolderWritable(dir.u16() + u"/missing"));
    dir.file("file", "x");
    EXPECT_FALSE(IsFolderWritable(dir.u16("file")));
    const auto env = Env({{"XDG_CONFIG_HOME", dir.path() + "/cfg"}});
    const std::u16string user = dir.u16("cfg/quirnel/quirnel.ini");

    dir.folder("prefix/bin");
    EXPECT_EQ(ConfigurationPath(dir.u16("prefix/bin/quirnel"), env), dir.u16("prefix/bin/quirnel.ini"));
    EXPECT_EQ(ConfigurationPath(dir.u16("missing/quirnel"), env), user);
    dir.file("prefix/share/applications/org.quirnel.Quirnel.desktop", "[Desktop Entry]\n");
    EXPECT_EQ(ConfigurationPath(dir.u16("prefix/bin/quirnel"), env), user) << "installed: not beside, even when writable";
    dir.file("prefix/bin/quirnel.ini", "UILanguage=korean\r\n");
    EXPECT_EQ(ConfigurationPath(dir.u16("prefix/bin/quirnel"), env), user) << "a file left beside is not taken up";
}

TEST(ConfigurationPathRule, JournalsInTheUserStateFolder) {
    const PathStyle& posix = PathStyle::forPosix();
    EXPECT_EQ(JournalFolder(Env({{"XDG_STATE_HOME", "/st"}, {"HOME", "/home/u"}}), posix), u"/st/quirnel/journal");
    EXPECT_EQ(JournalFolder(Env({{"HOME", "/home/u"}}), posix), u"/home/u/.local/state/quirnel/journal");
    EXPECT_EQ(JournalFolder(Env({{"XDG_STATE_HOME", "rel"}, {"HOME", "/home/u"}}), posix),
              u"/home/u/.local/state/quirnel/journal");
    EXPECT_EQ(JournalFolder(Env({}), posix), u"");
}

}  // namespace
