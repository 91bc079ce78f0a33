#include "app/ColumnState.h"

#include <gtest/gtest.h>

using namespace quirnel;

namespace {

constexpr int F = 10;  // font points: names 160, other columns 110

TEST(ColumnState, OpeningWidths) {
    struct Case {
        const char* what;
        int flag;
        std::vector<uint32_t> stored;
        ColumnWidths widths;
    };
    const Case cases[] = {
        {"defaults: icon beside the old name", 255, {}, {208, 160, 110, 110, 110, 110, 110, 110}},
        {"hidden columns open at 0", 255 & ~(1 << 4) & ~(1 << 7), {}, {208, 160, 110, 110, 0, 110, 110, 0}},
        {"stored widths, low 16 bits", 255, {300, 0x10000 + 200, 90, 91, 92, 93, 94, 95},
         {300, 200, 90, 91, 92, 93, 94, 95}},
        {"stored widths of hidden columns give 0", 0b11110011, {300, 200, 90, 91, 92, 93, 94, 95},
         {300, 200, 0, 0, 92, 93, 94, 95}},
        {"a hidden name column is not lost", 0b11111100, {300, 200, 90, 91, 92, 93, 94, 95},
         {64, 64, 90, 91, 92, 93, 94, 95}},
        {"a list of widths that is not 8 long is not used", 255, {300, 200}, {208, 160, 110, 110, 110, 110, 110, 110}},
    };
    for (const Case& c : cases) {
        AppSettings s;
        s.ShowColumnFlag = c.flag;
        s.ColWidths = c.stored;
        EXPECT_EQ(OpeningColumnWidths(s, F, 48, 64), c.widths) << c.what;
    }
}

TEST(ColumnState, StoreKeepsTheWidthsOfHiddenColumns) {
    AppSettings s;
    StoreColumnState(s, {208, 160, 0, 110, 0, 110, 130, 110}, 4, false, F);
    EXPECT_EQ(s.ColWidths, (std::vector<uint32_t>{208, 160, 110, 110, 110, 110, 130, 110}));
    EXPECT_EQ(s.ShowColumnFlag, 255 & ~(1 << 2) & ~(1 << 4));
    EXPECT_EQ(s.SortColumn, 4);
    EXPECT_EQ(s.SortAscend, 0);

    s.ColWidths[2] = 77;  // a width remembered before it was hidden stays
    StoreColumnState(s, {208, 160, 0, 110, 0, 110, 130, 110}, -1, true, F);
    EXPECT_EQ(s.ColWidths[2], 77u);
    EXPECT_EQ(s.SortColumn, -1);
    EXPECT_EQ(s.SortAscend, 1);
}

TEST(ColumnState, ToggleTwiceRestoresTheWidth) {
    AppSettings s;
    StoreColumnState(s, {208, 160, 110, 110, 137, 110, 110, 110}, 0, true, F);
    int width = 137;
    width = ToggleColumn(s, ColSize, width, F);
    EXPECT_EQ(width, 0);
    width = ToggleColumn(s, ColSize, width, F);
    EXPECT_EQ(width, 137);

    AppSettings fresh;  // nothing remembered: the column comes back at 11 F
    EXPECT_EQ(ToggleColumn(fresh, ColFullPath, 0, F), 110);
}

TEST(ColumnState, ViewItemsToggleTheirColumns) {
    EXPECT_EQ(ColumnOfToggle(32840), ColOldFolder);
    EXPECT_EQ(ColumnOfToggle(32839), ColNewFolder);
    EXPECT_EQ(ColumnOfToggle(32835), ColSize);
    EXPECT_EQ(ColumnOfToggle(32836), ColModified);
    EXPECT_EQ(ColumnOfToggle(32837), ColCreated);
    EXPECT_EQ(ColumnOfToggle(32834), ColFullPath);
    EXPECT_EQ(ColumnOfToggle(32883), ColTaken);
    EXPECT_EQ(ColumnOfToggle(32838), -1);
}

TEST(ColumnState, IconPixels) {
    EXPECT_EQ(IconPixels(0), 32);
    EXPECT_EQ(IconPixels(1), 16);
    EXPECT_EQ(IconPixels(2), 48);
    EXPECT_EQ(IconPixels(4), 256);
    EXPECT_EQ(IconPixels(3), 0);
}

}  // namespace

// The Date Taken column lives beside the eight stored ones: bit 8 of
// ShowColumnFlag and TakenColWidth, never a ninth ColWidths entry.
TEST(ColumnState, TakenColumnKeepsItsOwnWidth) {
    AppSettings s;
    EXPECT_EQ(OpeningColumnWidths(s, F, 48, 0)[ColTaken], 0);  // hidden by default
    ColumnWidths shown = OpeningColumnWidths(s, F, 48, 0);
    shown[ColTaken] = ToggleColumn(s, ColTaken, 0, F);
    EXPECT_EQ(shown[ColTaken], 110);
    shown[ColTaken] = 170;
    StoreColumnState(s, shown, ColTaken, true, F);
    EXPECT_EQ(s.ColWidths.size(), 8u);
    EXPECT_EQ(s.ShowColumnFlag, 255 | 1 << 8);
    EXPECT_EQ(s.TakenColWidth, 170);
    EXPECT_EQ(s.SortColumn, ColTaken);
    EXPECT_EQ(OpeningColumnWidths(s, F, 48, 0)[ColTaken], 170);

    EXPECT_EQ(ToggleColumn(s, ColTaken, 170, F), 0);  // hidden, its width remembered
    shown[ColTaken] = 0;
    StoreColumnState(s, shown, 0, true, F);
    EXPECT_EQ(s.ShowColumnFlag, 255);
    EXPECT_EQ(s.TakenColWidth, 170);
    EXPECT_EQ(ToggleColumn(s, ColTaken, 0, F), 170);
    EXPECT_EQ(s.ColWidths.size(), 8u);
}
