#include <gtest/gtest.h>

#include <numeric>

#include "app/ColumnShares.h"

namespace quirnel {
namespace {

int Sum(const std::vector<int>& w) { return std::accumulate(w.begin(), w.end(), 0); }

// Two names (rank 0), two folders (rank 1) and a full path (rank 2).
std::vector<SharedColumn> NamesFoldersPath(int nameNeed, int folderNeed, int pathNeed) {
    return {{nameNeed, 80, 0, 3}, {nameNeed, 80, 0, 3}, {folderNeed, 60, 1, 2}, {folderNeed, 60, 1, 2}, {pathNeed, 60, 2, 2}};
}

TEST(ColumnShares, NamesReachTheirNeedFirstAndFoldersGiveWay) {
    struct Case {
        int available;
        std::vector<int> expected;
    } cases[] = {
        {1000, {221, 220, 173, 173, 213}},  // every need met; the rest spread 3:3:2:2:2
        {700, {200, 200, 120, 120, 60}},    // names whole, folders short alike, the path at its floor
                {440, {130, 130, 60, 60, 60}},      // names short of their need alike, others at their floor
        {200, {80, 80, 60, 60, 60}},        // the floors are kept: the list scrolls
    };
    for (const Case& c : cases) {
        const std::vector<int> w = ShareWidths(c.available, NamesFoldersPath(200, 160, 200));
        EXPECT_EQ(w, c.expected) << c.available;
        if (c.available >= 340) {
            EXPECT_EQ(Sum(w), c.available) << "the width is used, no more and no less";
        }
    }
}

TEST(ColumnShares, ANeedBelowTheFloorKeepsTheFloor) {
    const std::vector<int> w = ShareWidths(400, {{10, 100, 0, 1}, {500, 50, 1, 1}});
    EXPECT_EQ(w, (std::vector<int>{100, 300}));
}

}  // namespace
}  // namespace quirnel
