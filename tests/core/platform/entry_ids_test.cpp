#include "platform/EntryIds.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "../TestSupport.h"

using namespace quirnel;
using quirnel::test::TempDir;

// A batch large enough to be shared between two threads, over folders that
// both halves ask about, finds what a look-up of each path finds: missing
// names, a name asked for twice, a folder and a missing folder included.
TEST(EntryIds, ALargeBatchFindsWhatEachPathsOwnLookUpFinds) {
    TempDir dir("/dev/shm");  // thousands of files: quick on tmpfs
    constexpr int kFiles = 4200;
    for (const char* f : {"f0", "f1", "f2"}) dir.folder(f);
    std::vector<std::u16string> paths;
    for (int i = 0; i < kFiles; ++i) {
        std::string rel = "f";
        rel += std::to_string(i % 3);
        rel += "/n";
        rel += std::to_string(i);
        if (i % 7 != 0) close(open((dir / rel).c_str(), O_CREAT | O_WRONLY, 0644));
        paths.push_back(dir.u16(rel));
    }
    paths.push_back(paths[10]);
    paths.push_back(dir.u16("f1"));
    paths.push_back(dir.u16("nowhere/x"));
    std::vector<std::u16string_view> views(paths.begin(), paths.end());

    std::vector<EntryId> ids = LookUpEntryIds(views);
    std::vector<EntryState> states = LookUpEntryStates(views, WallClockNs());
    ASSERT_EQ(ids.size(), paths.size());
    ASSERT_EQ(states.size(), paths.size());
    int found = 0, differ = 0;
    for (size_t k = 0; k < paths.size(); ++k) {
        EntryId own = LookUpEntryId(paths[k]);
        found += own ? 1 : 0;
        differ += ids[k] == own && states[k].id == own ? 0 : 1;
    }
    EXPECT_EQ(differ, 0);
    EXPECT_EQ(found, kFiles - (kFiles + 6) / 7 + 2);  // the files, the one asked twice and the folder
}
