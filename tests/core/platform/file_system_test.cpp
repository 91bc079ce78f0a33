#include "platform/FileSystem.h"

#include <dirent.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "../TestSupport.h"
#include "platform/NativeText.h"

using namespace quirnel;
using quirnel::test::TempDir;

namespace {

// What a plain readdir and lstat of each entry give, in the listing's order.
std::vector<DirEntry> Reference(const std::string& folder) {
    std::vector<DirEntry> out;
    DIR* dir = opendir(folder.c_str());
    while (struct dirent* d = readdir(dir)) {
        std::string n = d->d_name;
        if (n == "." || n == "..") continue;
        struct stat st;
        if (lstat((folder + "/" + n).c_str(), &st) != 0) continue;
        DirEntry e;
        e.name = FromNative(n);
        e.isFolder = S_ISDIR(st.st_mode);
        e.size = e.isFolder ? 0 : static_cast<uint64_t>(st.st_size);
        e.modified = st.st_mtime;
        out.push_back(std::move(e));
    }
    closedir(dir);
    return out;
}

}  // namespace

// Small and large folders (a large one is looked up on two threads): every
// entry in the file system's order, each with its own facts, appended after
// what the vector held.
// Deferred details: the same entries with the same kinds and inodes as a
// full listing; files wait for their size and times, folders do not.
TEST(ReadFolderEntries, DeferredDetailsKeepKindsAndInodes) {
    TempDir d;
    d.file("a.txt", "abcdef");
    d.folder("sub");
    ASSERT_EQ(symlink("a.txt", (d / "link").c_str()), 0);
    ASSERT_EQ(mkfifo((d / "pipe").c_str(), 0600), 0);
    std::vector<DirEntry> full, deferred;
    ASSERT_TRUE(ReadFolderEntries(d.u16(), full));
    ASSERT_TRUE(ReadFolderEntries(d.u16(), deferred, nullptr, EntryDetail::Deferred));
    ASSERT_EQ(deferred.size(), full.size());
    for (size_t i = 0; i < full.size(); ++i) {
        const DirEntry &f = full[i], &g = deferred[i];
        const std::string name = ToNative(f.name);
        EXPECT_EQ(g.name, f.name);
        EXPECT_EQ(g.isFolder, f.isFolder) << name;
        EXPECT_EQ(g.isRegular, f.isRegular) << name;
        EXPECT_EQ(g.ino, f.ino) << name;
        EXPECT_NE(g.ino, 0u) << name;
        EXPECT_EQ(g.detailsPending, !f.isFolder) << name;
        if (f.isFolder) EXPECT_EQ(g.modified, f.modified);
        else EXPECT_EQ(g.size, 0u) << name;
    }
}

TEST(ReadFolderEntries, EveryEntryInListingOrderWithItsOwnFacts) {
    for (int count : {5, 700}) {
        TempDir d;
        for (int i = 0; i < count; ++i) {
            if (i % 50 == 7) d.folder("f" + std::to_string(i));
            else d.file("n" + std::to_string(i) + ".txt", std::string(i % 13, 'x'));
        }
        d.file("caf\xe9.txt", "abc");  // not UTF-8
        ASSERT_EQ(symlink("missing", (d / "link").c_str()), 0);
        std::vector<DirEntry> got(1);
        got[0].name = u"already there";
        ASSERT_TRUE(ReadFolderEntries(d.u16(), got));
        const std::vector<DirEntry> want = Reference(d.path());
        ASSERT_EQ(got.size(), want.size() + 1) << count;
        EXPECT_EQ(got[0].name, u"already there");
        for (size_t i = 0; i < want.size(); ++i) {
            const DirEntry& g = got[i + 1];
            EXPECT_EQ(g.name, want[i].name) << i;
            EXPECT_EQ(g.isFolder, want[i].isFolder) << ToNative(g.name);
            EXPECT_EQ(g.size, want[i].size) << ToNative(g.name);
            EXPECT_EQ(g.modified, want[i].modified) << ToNative(g.name);
        }
    }
    std::vector<DirEntry> none;
    EXPECT_FALSE(ReadFolderEntries(u"/no/such/folder", none));
    EXPECT_TRUE(none.empty());
}
