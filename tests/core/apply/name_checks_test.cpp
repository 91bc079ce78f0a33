#include "apply/NameChecks.h"

#include <gtest/gtest.h>

#include <optional>

#include "app/AppState.h"
#include "apply/WorkspaceSink.h"
#include "base/StringTable.h"
#include "../TestSupport.h"

using namespace quirnel;
using quirnel::test::RecordingHost;
using quirnel::test::Utf8;

namespace {

struct Item {
    Item(std::u16string folder, std::u16string name, std::optional<std::u16string> newName = std::nullopt,
         bool isFolder = false)
        : folder(std::move(folder)), name(std::move(name)), newName(std::move(newName)), isFolder(isFolder) {}
    std::u16string folder;
    std::u16string name;
    std::optional<std::u16string> newName;  // none: unchanged
    bool isFolder;
};

struct Checked {
    CheckResult result;
    std::vector<std::string> targets;
    std::vector<std::string> newNames;
    std::vector<std::string> log;
};

Checked Check(const PathStyle& style, const std::vector<Item>& items, bool autoNumber) {
    AppState app;
    RecordingHost host;
    Workspace ws(app.settings, app.flags, host, style);
    for (const Item& item : items) {
        RowSource s;
        s.name = item.name;
        s.folder = item.folder;
        s.isFolder = item.isFolder;
        ws.list.appendRow(s);
        if (item.newName) ws.list.setNewName(ws.list.size() - 1, *item.newName);
    }
    ListRows rows(ws.list);
    WorkspaceSink sink(ws, ApplyOptions{});
    TargetPaths targets(rows);
    Checked out;
    out.result = CheckNames(rows, autoNumber, targets, sink);
    for (auto& t : targets.all()) out.targets.push_back(Utf8(t));
    for (int r = 0; r < ws.list.size(); ++r) out.newNames.push_back(Utf8(ws.list.newName(r)));
    for (auto& l : host.log) out.log.push_back(Utf8(l));
    return out;
}

const PathStyle& Win = PathStyle::forWindows();
const PathStyle& Posix = PathStyle::forPosix();

}  // namespace

TEST(NameChecks, DuplicatesAreNumbered) {
    struct Case {
        const char* what;
        const PathStyle& style;
        std::vector<Item> items;
        std::vector<std::string> targets;
        size_t logLines;
    };
    const std::vector<Case> cases = {
        {"three files", Win,
         {{u"C:\\data", u"x1", u"a.txt"}, {u"C:\\data", u"x2", u"a.txt"}, {u"C:\\data", u"x3", u"a.txt"}},
         {"C:\\data\\a.txt", "C:\\data\\a (2).txt", "C:\\data\\a (3).txt"}, 2},
        {"a number that is taken", Win,
         {{u"C:\\data", u"x1", u"a.txt"}, {u"C:\\data", u"x2", u"a.txt"}, {u"C:\\data", u"x3", u"a (2).txt"}},
         {"C:\\data\\a.txt", "C:\\data\\a (2).txt", "C:\\data\\a (2) (2).txt"}, 2},
        {"numbers skip a name given earlier", Win,
         {{u"C:\\d", u"1", u"a.txt"}, {u"C:\\d", u"2", u"a (3).txt"}, {u"C:\\d", u"3", u"a.txt"},
          {u"C:\\d", u"4", u"a.txt"}, {u"C:\\d", u"5", u"a.txt"}},
         {"C:\\d\\a.txt", "C:\\d\\a (3).txt", "C:\\d\\a (2).txt", "C:\\d\\a (4).txt", "C:\\d\\a (5).txt"}, 3},
        {"no extension", Win, {{u"C:\\d", u"notes"}, {u"C:\\d", u"x", u"notes"}}, {"C:\\d\\notes", "C:\\d\\notes (2)"}, 1},
        {"dot-file", Win, {{u"C:\\d", u".profile"}, {u"C:\\d", u"x", u".profile"}},
         {"C:\\d\\.profile", "C:\\d\\ (2).profile"}, 1},
        {"folder keeps its dot", Win,
         {{u"C:\\d", u"photos.old", std::nullopt, true}, {u"C:\\d", u"x", u"photos.old", true}},
         {"C:\\d\\photos.old", "C:\\d\\photos.old (2)"}, 1},
        {"a file and a folder of one name", Win,
         {{u"C:\\d", u"a.b"}, {u"C:\\d", u"x", u"a.b", true}, {u"C:\\d", u"y", u"a.b"}},
         {"C:\\d\\a.b", "C:\\d\\a.b (2)", "C:\\d\\a (2).b"}, 2},
        {"letter case differs", Win, {{u"C:\\d", u"A.txt"}, {u"C:\\d", u"x", u"a.txt"}}, {"C:\\d\\A.txt", "C:\\d\\a.txt"}, 0},
        {"folder spelt two ways", Win, {{u"C:\\Data", u"a"}, {u"C:\\data", u"a"}}, {"C:\\Data\\a", "C:\\data\\a"}, 0},
        {"posix", Posix, {{u"/d", u"a.txt"}, {u"/e", u"a.txt"}}, {"/d/a.txt", "/e/a.txt"}, 0},
        {"posix under the root", Posix, {{u"/", u"x", u"a.txt"}, {u"/", u"y", u"a.txt"}}, {"/a.txt", "/a (2).txt"}, 1},
    };
    for (const Case& c : cases) {
        Checked got = Check(c.style, c.items, true);
        EXPECT_TRUE(got.result.ok) << c.what;
        EXPECT_EQ(got.targets, c.targets) << c.what;
        ASSERT_EQ(got.log.size(), c.logLines) << c.what;
        for (size_t i = 0; i < c.targets.size(); ++i) {
            std::string name = c.targets[i].substr(c.targets[i].find_last_of(c.style.windows ? '\\' : '/') + 1);
            EXPECT_EQ(got.newNames[i], name) << c.what;
        }
    }
    Checked three = Check(Win, {{u"C:\\data", u"a.txt"}, {u"C:\\data", u"b", u"a.txt"}}, true);
    EXPECT_EQ(three.log[0], "Appended an incremental number due to duplication.: a (2).txt");
}

TEST(NameChecks, FailuresStopAtTheRow) {
    struct Case {
        const char* what;
        const PathStyle& style;
        std::vector<Item> items;
        int row;
        std::u16string message;
    };
    const std::u16string forbidden = LoadText(100);
    const std::vector<Case> cases = {
        {"empty name", Win, {{u"C:\\d", u"a"}, {u"C:\\d", u"b", u""}}, 1, u"Found an item with no valid name."},
        {"colon in windows style", Win, {{u"C:\\d", u"a"}, {u"C:\\d", u"b", u"x:y"}}, 1, forbidden},
        {"every windows character", Win, {{u"C:\\d", u"a", u"a*"}}, 0, forbidden},
        {"slash in posix style", Posix, {{u"/d", u"a", u"x/y"}}, 0, forbidden},
        {"nul", Posix, {{u"/d", u"a", std::u16string(u"x\0y", 3)}}, 0, forbidden},
        {"duplicate in the last row", Win,
         {{u"C:\\d", u"a"}, {u"C:\\d", u"b"}, {u"C:\\d", u"c", u"b"}}, 2,
         u"Detected duplication:\r\n\r\nb\r\n(C:\\d\\b)"},
        {"an earlier row claimed the unchanged path", Win, {{u"C:\\d", u"a", u"b"}, {u"C:\\d", u"b"}}, 1,
         u"Detected duplication:\r\n\r\nb\r\n(C:\\d\\b)"},
    };
    for (const Case& c : cases) {
        Checked got = Check(c.style, c.items, false);
        EXPECT_FALSE(got.result.ok) << c.what;
        EXPECT_EQ(got.result.failingRow, c.row) << c.what;
        EXPECT_EQ(Utf8(got.result.message), Utf8(c.message)) << c.what;
    }
    // Characters forbidden on Windows are ordinary in POSIX names.
    EXPECT_TRUE(Check(Posix, {{u"/d", u"a", u"a:b*?.txt"}}, false).result.ok);
}

// Half of a pair would reach a POSIX disk as bytes that are not UTF-8; the
// markers of bytes kept from a name that was not UTF-8 are no such halves.
TEST(NameChecks, PosixNamesAndFoldersRefuseHalfAPair) {
    const std::u16string high(1, u'\xD83D'), low(1, u'\xDE00'), pair = high + low;
    const std::u16string marker(1, u'\xDCFF'), lowestMarker(1, u'\xDC80'), belowMarkers(1, u'\xDC7F');
    struct Case {
        const char* what;
        const PathStyle& style;
        std::u16string folder, newName;
        bool refused;
    } cases[] = {
        {"a cut high half", Posix, u"/d", high + u"1.txt", true},
        {"a cut high half at the end", Posix, u"/d", u"1" + high, true},
        {"a low half alone", Posix, u"/d", low + u"1.txt", true},
        {"a low half below the markers", Posix, u"/d", belowMarkers + u".txt", true},
        {"two high halves", Posix, u"/d", high + high + u".txt", true},
        {"a whole pair", Posix, u"/d", pair + u"1.txt", false},
        {"markers of original bytes", Posix, u"/d", u"x" + marker + lowestMarker + u".txt", false},
        {"a half in the new folder", Posix, u"/d/" + high, u"a.txt", true},
        {"a pair in the new folder", Posix, u"/d/" + pair, u"a.txt", false},
        {"windows style takes names as they stand", Win, u"C:\\" + high, high + u"1.txt", false},
    };
    const std::u16string forbidden = LoadText(100);
    for (const Case& c : cases) {
        AppState app;
        RecordingHost host;
        Workspace ws(app.settings, app.flags, host, c.style);
        RowSource s;
        s.name = u"b.txt";
        s.folder = c.style.windows ? u"C:\\d" : u"/d";
        ws.list.appendRow(s);  // a good row first: the checks stop at the second
        s.name = u"a.txt";
        ws.list.appendRow(s);
        ws.list.setNewName(1, c.newName);
        ws.list.setNewFolder(1, c.folder);
        ListRows rows(ws.list);
        WorkspaceSink sink(ws, ApplyOptions{});
        TargetPaths targets(rows);
        CheckResult r = CheckNames(rows, false, targets, sink);
        EXPECT_EQ(r.ok, !c.refused) << c.what;
        if (c.refused) {
            EXPECT_EQ(r.failingRow, 1) << c.what;
            EXPECT_EQ(r.message, forbidden) << c.what;
        }
    }
    EXPECT_EQ(Utf8(forbidden), "A file name cannot include \\ / | < > : \" ? *");
}

TEST(NameChecks, ThousandsOfOneNameGetConsecutiveNumbers) {
    std::vector<Item> items;
    for (int i = 0; i < 5000; ++i) {
        std::u16string name = u"x";
        name += FromUtf8(std::to_string(i));
        items.push_back({u"/d", name, u"same.txt"});
    }
    Checked got = Check(Posix, items, true);
    ASSERT_TRUE(got.result.ok);
    EXPECT_EQ(got.targets[0], "/d/same.txt");
    for (int i = 1; i < 5000; ++i) ASSERT_EQ(got.targets[i], "/d/same (" + std::to_string(i + 1) + ").txt");
    EXPECT_EQ(got.log.size(), 4999u);
}
