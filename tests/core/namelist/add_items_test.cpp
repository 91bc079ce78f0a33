#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <set>

#include "TestSupport.h"
#include "app/AppState.h"
#include "base/StringTable.h"
#include "namelist/AddItems.h"
#include "platform/PathText.h"

using namespace quirnel;
using quirnel::test::RecordingHost;
using quirnel::test::TempDir;

namespace {

struct AddFixture : ::testing::Test {
    AddFixture() : ws(app.settings, app.flags, host, PathStyle::forPosix()) {
        app.settings.AutoSort = 0;
        // a/x.txt, a/.hidden, a/sub/y.txt, a/sub/deeper/z.dat, b.txt
        dir.file("a/x.txt", "12345");
        dir.file("a/.hidden");
        dir.file("a/sub/y.txt");
        dir.file("a/sub/deeper/z.dat");
        dir.file("b.txt");
    }
    std::u16string P(const std::string& rel) { return FromNative(dir / rel); }
    std::set<std::u16string> Names() {
        std::set<std::u16string> s;
        for (int r = 0; r < ws.list.size(); ++r) s.emplace(ws.list.oldName(r));
        return s;
    }
    TempDir dir;
    AppState app;
    RecordingHost host;
    Workspace ws;
};

}  // namespace

TEST_F(AddFixture, LoadTypeOneAddsEveryFileBelowAndNoFolders) {
    app.settings.LoadType = 1;
    AddPathList(ws, {P("a")});
    EXPECT_EQ(Names(), (std::set<std::u16string>{u"x.txt", u".hidden", u"y.txt", u"z.dat"}));
    for (int r = 0; r < ws.list.size(); ++r) {
        EXPECT_FALSE(ws.list.isFolder(r));
        EXPECT_EQ(ws.list.fullPath(r), JoinPath(ws.list.oldFolder(r), ws.list.oldName(r), PathStyle::forPosix()));
        EXPECT_EQ(ws.list.newName(r), ws.list.oldName(r));
        EXPECT_EQ(ws.list.newFolder(r), ws.list.oldFolder(r));
    }
    EXPECT_EQ(host.log, std::vector<std::u16string>{u"Added 4 item(s) to the list."});
    EXPECT_EQ(host.status, u"Number of items : 4");
    EXPECT_EQ(app.flags.unappliedFlag, 1);
    EXPECT_TRUE(host.questions.empty());
}

TEST_F(AddFixture, LoadTypeZeroAddsTheFolderRowWithSizeZero) {
    app.settings.LoadType = 0;
    AddPathList(ws, {P("a"), P("b.txt")});
    ASSERT_EQ(ws.list.size(), 2);
    EXPECT_EQ(ws.list.oldName(0), u"a");
    EXPECT_TRUE(ws.list.isFolder(0));
    EXPECT_EQ(ws.list.text(0, ColSize), u"0");
    EXPECT_EQ(ws.list.oldFolder(0), dir.u16());
    EXPECT_EQ(ws.list.text(0, ColFullPath), P("a"));
    EXPECT_FALSE(ws.list.isFolder(1));
}

TEST_F(AddFixture, LoadTypeTwoAsksOncePerBatch) {
    app.settings.LoadType = 2;
    dir.file("c/w.txt");
    host.answer = false;  // No: the files in the folders
    AddPathList(ws, {P("a"), P("b.txt"), P("c")});
    EXPECT_EQ(host.questions, std::vector<std::u16string>{LoadText(105)});
    EXPECT_EQ(host.questionIds, std::vector<Question>{Question::AddFolderItself});
    EXPECT_EQ(ws.list.size(), 6);
    host.answer = true;  // the next batch asks again; Yes adds the folder itself
    AddPathList(ws, {P("a/sub")});
    EXPECT_EQ(host.questions.size(), 2u);
    EXPECT_EQ(ws.list.oldName(ws.list.size() - 1), u"sub");
}

TEST_F(AddFixture, DuplicatesMissingPathsAndEmptyLinesAddNothing) {
    app.settings.LoadType = 1;
    AddPathList(ws, {P("a/x.txt"), P("a/x.txt"), u"", P("nothing-here")});
    EXPECT_EQ(ws.list.size(), 1);
    AddPathList(ws, {P("a")});  // the file already listed is not added again
    EXPECT_EQ(ws.list.size(), 4);
    EXPECT_EQ(ws.list.paths().size(), 4u);
    EXPECT_EQ(host.log.back(), u"Added 3 item(s) to the list.");
    size_t logged = host.log.size();
    AddPathList(ws, {u"", P("missing")});
    EXPECT_EQ(host.log.size(), logged);  // nothing reported
}

TEST_F(AddFixture, LinksAreAddedAsFilesAndNeverDescended) {
    app.settings.LoadType = 1;
    ASSERT_EQ(symlink("..", (dir / "a/sub/loop").c_str()), 0);  // back into the parent
    ASSERT_EQ(symlink((dir / "a").c_str(), (dir / "link-to-a").c_str()), 0);
    AddPathList(ws, {P("a"), P("link-to-a")});
    std::set<std::u16string> names = Names();
    EXPECT_EQ(names, (std::set<std::u16string>{u"x.txt", u".hidden", u"y.txt", u"z.dat", u"loop", u"link-to-a"}));
}

TEST_F(AddFixture, NonUtf8NameKeepsEveryByte) {
    app.settings.LoadType = 1;
    std::string raw = dir / "bytes/caf\xE9-\xFF.txt";
    dir.file("bytes/caf\xE9-\xFF.txt", "x");
    AddPathList(ws, {P("bytes")});
    ASSERT_EQ(ws.list.size(), 1);
    EXPECT_EQ(ToNative(ws.list.fullPath(0)), raw);
    EXPECT_EQ(ws.list.text(0, ColSize), u"1");
}

TEST_F(AddFixture, UnreadableFolderAddsNothing) {
    app.settings.LoadType = 1;
    // A folder path that names a file behind a non-folder cannot be enumerated.
    AddPath(ws, P("b.txt/inner"), true);
    EXPECT_EQ(ws.list.size(), 0);
}

TEST(DropReader, LongFormsInLogicalOrder) {
    TempDir dir;
    std::string cwd = dir.path();
    std::vector<std::u16string> dropped = {FromNative(cwd + "/x/../b10.txt"), FromNative(cwd + "/./B9.txt"),
                                           FromNative(cwd + "//a.txt")};
    std::vector<std::u16string> got = ReadDroppedPaths(dropped);
    std::vector<std::u16string> want = {FromNative(cwd + "/a.txt"), FromNative(cwd + "/B9.txt"),
                                        FromNative(cwd + "/b10.txt")};
    EXPECT_EQ(got, want);
    EXPECT_EQ(DroppedNamesText(dropped, PathStyle::forPosix()), u"a.txt\nB9.txt\nb10.txt");
}

TEST(ItemCount, EmptyingTheListLogsAndClearsTheFlag) {
    AppState app;
    RecordingHost host;
    Workspace ws(app.settings, app.flags, host, PathStyle::forWindows());
    for (std::u16string name : {u"f0", u"f1", u"f2"}) ws.list.appendRow({name, u"C:\\d", false, 0, 0, 0, 0});
    app.flags.unappliedFlag = 1;
    UpdateItemCount(ws);
    ws.list.clear();
    UpdateItemCount(ws);
    EXPECT_EQ(host.log, (std::vector<std::u16string>{u"Added 3 item(s) to the list.", u"Removed 3 item(s) from the list."}));
    EXPECT_EQ(host.status, u"Drag & Drop or use \"File\" menu to add files");
    EXPECT_EQ(app.flags.unappliedFlag, 0);
}

// A row from a folder's listing carries the entry it named, until its path
// changes; a row added as a path of its own carries none (the apply looks
// it up).
TEST_F(AddFixture, ListedRowsKnowTheirEntryUntilTheirPathChanges) {
    app.settings.LoadType = 1;
    AddPathList(ws, {P("a/sub"), P("b.txt")});
    ASSERT_EQ(Names(), (std::set<std::u16string>{u"y.txt", u"z.dat", u"b.txt"}));
    auto rowOf = [&](const std::u16string& name) {
        for (int r = 0; r < ws.list.size(); ++r)
            if (ws.list.oldName(r) == name) return r;
        return -1;
    };
    const int y = rowOf(u"y.txt"), z = rowOf(u"z.dat"), b = rowOf(u"b.txt");
    const ListedEntry listed = ws.list.listed(y);
    EXPECT_EQ(listed.id, LookUpEntryId(P("a/sub/y.txt")));
    EXPECT_EQ(listed.folder, LookUpFolderStamp(P("a/sub")));
    EXPECT_EQ(ws.list.listed(z).id, LookUpEntryId(P("a/sub/deeper/z.dat")));
    EXPECT_FALSE(ws.list.listed(b).id);
    ws.list.setText(y, ColOldName, u"other.txt");
    EXPECT_FALSE(ws.list.listed(y).id);
    ws.list.setText(z, ColFullPath, P("b.txt"));
    EXPECT_FALSE(ws.list.listed(z).id);
}

// Rows added with their details deferred give what a full add gives, read
// when first asked for and kept from then on; a file gone before that has
// no size and no times, as if it had been added so.
TEST_F(AddFixture, DeferredDetailsAreReadOnceWhenFirstAskedFor) {
    app.settings.LoadType = 1;
    AppState fullApp;
    fullApp.settings.AutoSort = 0;
    fullApp.settings.LoadType = 1;
    Workspace full(fullApp.settings, fullApp.flags, host, PathStyle::forPosix());
    AddPathList(full, {P("a")});
    ws.deferDetails = true;
    AddPathList(ws, {P("a")});
    ASSERT_EQ(ws.list.size(), full.list.size());
    int gone = -1;
    for (int r = 0; r < ws.list.size(); ++r) {
        ASSERT_EQ(ws.list.fullPath(r), full.list.fullPath(r));
        EXPECT_EQ(ws.list.listed(r).id, full.list.listed(r).id);
        if (ws.list.oldName(r) == u"y.txt") {
            gone = r;
            continue;
        }
        EXPECT_EQ(ws.list.text(r, ColSize), full.list.text(r, ColSize)) << r;
        EXPECT_EQ(ws.list.modified(r), full.list.modified(r)) << r;
        EXPECT_EQ(ws.list.created(r), full.list.created(r)) << r;
    }
    int x = 0;
    while (ws.list.oldName(x) != u"x.txt") ++x;
    EXPECT_EQ(ws.list.sizeBytes(x), 5u);
    dir.file("a/x.txt", "1234567890");
    EXPECT_EQ(ws.list.sizeBytes(x), 5u) << "read once, as a full add reads it once";

    ASSERT_GE(gone, 0);
    ASSERT_EQ(unlink((dir / "a/sub/y.txt").c_str()), 0);
    EXPECT_EQ(ws.list.sizeBytes(gone), 0u);
    EXPECT_EQ(ws.list.modified(gone), 0);
}
