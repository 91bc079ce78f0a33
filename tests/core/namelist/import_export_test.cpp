#include "app/AppState.h"
#include "namelist/ImportExport.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "ListBuilder.h"
#include "TestSupport.h"
#include "base/TextFile.h"
#include "platform/FileSystem.h"
#include "platform/PathText.h"

using namespace quirnel;
using namespace quirnel::test;

namespace {

TEST(ListExport, OneLinePerRowWithoutATrailingBreak) {
    NameList list(PathStyle::forWindows());
    EXPECT_EQ(ExportList(list, ListExport::NewNames), u"");
    AddRows(list, u"C:\\data", {u"a.txt", u"b.txt", u"c.txt"});
    list.setNewName(1, u"");
    list.setNewFolder(2, u"D:\\out");
    EXPECT_EQ(ExportList(list, ListExport::NewNames), u"a.txt\r\n\r\nc.txt");
    EXPECT_EQ(ExportList(list, ListExport::TargetPaths), u"C:\\data\\a.txt\r\nC:\\data\\\r\nD:\\out\\c.txt");
}

TEST(ListImport, LinesGiveNewNamesRowByRow) {
    struct Case {
        std::u16string text;
        std::vector<std::u16string> expected;
        const char* what;
    };
    const Case cases[] = {
        {u"a.txt\nb.txt\n", {u"a.txt", u"b.txt", u""}, "a final line feed gives a last empty line"},
        {u"x\r\ny\r\nz", {u"x", u"y", u"z"}, "CR LF and LF give the same"},
        {u"  x \t\ny", {u"x", u"y", u"3"}, "blanks dropped, rows beyond the lines kept"},
        {u"C:\\photos\\img 1.jpg", {u"img 1.jpg", u"2", u"3"}, "a pasted path gives its name"},
        {u"", {u"", u"2", u"3"}, "an empty text is one empty line"},
        {u"\uFEFFm\nn", {u"m", u"n", u"3"}, "a byte-order mark is no part of the first name"},
        {u"p\nq\nr\ns\nt", {u"p", u"q", u"r"}, "extra lines are ignored"},
    };
    for (const Case& c : cases) {
        NameList list(PathStyle::forWindows());
        AddRows(list, u"C:\\data", {u"1", u"2", u"3"});
        ImportNewNames(list, c.text);
        EXPECT_EQ(NewNames(list), c.expected) << c.what;
    }
    NameList posix(PathStyle::forPosix());
    AddRows(posix, u"/data", {u"1"});
    ImportNewNames(posix, u"/home/u/img 2.jpg\n");
    EXPECT_EQ(posix.newName(0), u"img 2.jpg");
}

TEST(ListImport, ExportThenImportRestoresNamesWithoutOuterBlanks) {
    test::TempDir dir;
    NameList list(PathStyle::forPosix());
    AddRows(list, u"/data", {u"one", u"two", u"three"});
    list.setNewName(0, u" padded ");
    list.setNewName(1, u"");
    list.setNewName(2, u"한글 이름.txt");
    ASSERT_TRUE(ExportListToFile(list, ListExport::NewNames, dir.u16("names.txt")));
    EXPECT_EQ(dir.read("names.txt").substr(0, 2), "\xFF\xFE");
    NameList back(PathStyle::forPosix());
    AddRows(back, u"/data", {u"one", u"two", u"three"});
    ASSERT_TRUE(ImportNewNamesFromFile(back, dir.u16("names.txt")));
    EXPECT_EQ(NewNames(back), (std::vector<std::u16string>{u"padded", u"", u"한글 이름.txt"}));

    EXPECT_FALSE(ImportNewNamesFromFile(back, dir.u16("missing.txt")));
    EXPECT_EQ(back.newName(0), u"padded") << "an unreadable file changes nothing";
}

// Lines are added in the order they stand; a name that is not UTF-8 keeps its
// bytes, in a UTF-8 list as in a UTF-16 one.
TEST(ListImport, PathListAddsExistingPathsInOrderByteForByte) {
    test::TempDir dir;
    dir.file("b.txt", "b");
    dir.file("a.txt", "a");
    dir.file("caf\xE9.txt", "latin-1 name");
    const std::string d = dir.path();
    std::string utf8 = d + "/b.txt\r\n\r\n  " + d + "/caf\xE9.txt  \r\n" + d + "/missing.txt\n" + d + "/a.txt\n" +
                       d + "/b.txt";  // mixed line ends, blanks, an empty line, a duplicate
    dir.file("list.lst", utf8);
    ASSERT_TRUE(WriteTextFile(dir.u16("list16.lst"), dir.u16("a.txt\n") + dir.u16("caf\xE9.txt")));
    for (const char* list : {"list.lst", "list16.lst"}) {
        AppState app;
        app.settings.AutoSort = 0;
        quirnel::test::RecordingHost host;
        Workspace ws(app.settings, app.flags, host, PathStyle::forPosix());
        ASSERT_TRUE(ImportPathsFromFile(ws, dir.u16(list)));
        std::vector<std::string> names;
        for (int r = 0; r < ws.list.size(); ++r) names.push_back(ToNative(ws.list.oldName(r)));
        if (std::string(list) == "list.lst")
            EXPECT_EQ(names, (std::vector<std::string>{"b.txt", "caf\xE9.txt", "a.txt"}));
        else
            EXPECT_EQ(names, (std::vector<std::string>{"a.txt", "caf\xE9.txt"}));
        for (int r = 0; r < ws.list.size(); ++r) EXPECT_EQ(ws.list.oldFolder(r), dir.u16());
        EXPECT_FALSE(ImportPathsFromFile(ws, dir.u16("nothing.lst")));
        EXPECT_EQ(ws.list.size(), static_cast<int>(names.size()));
    }
}

// A line without a folder (a.txt, ./b.txt) names a file of the working
// folder; the row must say which, or its target would be the root folder.
TEST(ListImport, RelativePathLinesGetTheWorkingFolder) {
    test::TempDir dir;
    dir.file("a.txt", "a");
    dir.file("b.txt", "b");
    std::string before = std::filesystem::current_path().string();
    ASSERT_EQ(chdir(dir.path().c_str()), 0);
    AppState app;
    app.settings.AutoSort = 0;
    quirnel::test::RecordingHost host;
    Workspace ws(app.settings, app.flags, host, PathStyle::forPosix());
    ImportPaths(ws, u"a.txt\n./b.txt");
    ASSERT_EQ(chdir(before.c_str()), 0);
    ASSERT_EQ(ws.list.size(), 2);
    for (int r = 0; r < 2; ++r) {
        EXPECT_EQ(ws.list.oldFolder(r), dir.u16());
        EXPECT_EQ(NewFullPath(ws.list, r), dir.u16() + u"/" + std::u16string(ws.list.oldName(r)));
    }
}

TEST(ListImport, FileUrlLinesBecomePaths) {
    EXPECT_EQ(WithFileUrlsAsPaths(u"file:///tmp/a%20b.txt\r\n  file:///tmp/c.txt\nplain\n"),
              u"/tmp/a b.txt\n/tmp/c.txt\nplain\n");
    NameList list(PathStyle::forPosix());
    AddRows(list, u"/data", {u"x.txt", u"y.txt"});
    ImportNewNames(list, WithFileUrlsAsPaths(u"file:///tmp/new%20one.txt\nfile:///tmp/%41.txt"));
    EXPECT_EQ(list.newName(0), u"new one.txt");
    EXPECT_EQ(list.newName(1), u"A.txt");
}

TEST(ListImport, RandomInputIsHandledSafely) {
    std::mt19937 rng(777);
    const std::u16string alphabet = u"ab \t\r\n\\/.\uFFFD\xD800";
    for (int round = 0; round < 200; ++round) {
        std::u16string text;
        for (int i = static_cast<int>(rng() % 80); i > 0; --i) text += alphabet[rng() % alphabet.size()];
        NameList list(round % 2 ? PathStyle::forWindows() : PathStyle::forPosix());
        AddRows(list, u"/d", {u"1", u"2", u"3", u"4"});
        ImportNewNames(list, text);
        size_t lines = SplitImportLines(text).size();
        for (int r = 0; r < list.size(); ++r) {
            EXPECT_EQ(list.newName(r).find(list.style().separator), std::u16string::npos);
            if (static_cast<size_t>(r) >= lines) {
                EXPECT_EQ(list.newName(r), list.oldName(r));
            }
        }
    }
    // Random bytes as a path-list file: whatever happens to exist may be
    // added (LoadType 0 never descends into a folder), nothing else.
    test::TempDir dir;
    AppState app;
    app.settings.LoadType = 0;
    quirnel::test::RecordingHost host;
    Workspace ws(app.settings, app.flags, host, PathStyle::forPosix());
    for (int round = 0; round < 100; ++round) {
        std::string bytes;
        for (int i = static_cast<int>(rng() % 200); i > 0; --i) bytes += static_cast<char>(rng() % 256);
        dir.file("random.lst", bytes);
        EXPECT_TRUE(ImportPathsFromFile(ws, dir.u16("random.lst")));
    }
    for (int r = 0; r < ws.list.size(); ++r) EXPECT_TRUE(GetPathAttributes(ws.list.fullPath(r)).exists);
}

}  // namespace
