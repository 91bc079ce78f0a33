#include "app/WindowGeometry.h"

#include <gtest/gtest.h>

using namespace quirnel;

namespace {

// A window with 30-px status, panels 120 x 300 (the stacking threshold is
// H > 30 + 2 * 304 = 638).
LayoutInput Input(int W, int H) {
    LayoutInput in;
    in.width = W;
    in.height = H;
    in.statusHeight = 30;
    in.panelWidth = 120;
    in.panelHeight = 300;
    in.logHeight = 100;
    in.minListHeight = 60;
    return in;
}

TEST(LayoutMainWindow, PlacesEveryControl) {
    struct Case {
        const char* what;
        LayoutInput in;
        bool stacked;
        Box rightPanel, list, bar, log, stop, status;
        int logHeight;
    };
    LayoutInput tall = Input(1000, 639), shortWin = Input(1000, 638), noLog = Input(1000, 800), running = Input(1000, 700),
                huge = Input(1000, 500);
    noLog.showLog = false;
    running.stopShown = true;
    huge.logHeight = 100000;
    const Case cases[] = {
        {"just tall enough to stack", tall, true, {0, 304, 120, 300}, {120, 0, 880, 509}, {120, 509, 880, 10},
         {120, 519, 880, 90}, {}, {0, 610, 1000, 28}, 100},
        {"one pixel short: right edge", shortWin, false, {880, 4, 120, 300}, {120, 0, 760, 508}, {120, 508, 760, 10},
         {120, 518, 760, 90}, {}, {0, 609, 1000, 28}, 100},
        {"ShowLog 0: no bar, no log", noLog, true, {0, 304, 120, 300}, {120, 0, 880, 770}, {}, {}, {},
         {0, 771, 1000, 28}, 0},
        {"a run: Stop beside a narrower status", running, true, {0, 304, 120, 300}, {120, 0, 880, 570},
         {120, 570, 880, 10}, {120, 580, 880, 90}, {880, 671, 120, 28}, {0, 671, 880, 28}, 100},
        {"huge LogHeight leaves the list its minimum", huge, false, {880, 4, 120, 300}, {120, 0, 760, 60},
         {120, 60, 760, 10}, {120, 70, 760, 400}, {}, {0, 471, 1000, 28}, 410},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        MainLayout l = LayoutMainWindow(c.in);
        EXPECT_EQ(l.stacked, c.stacked);
        EXPECT_EQ(l.leftPanel, (Box{0, 4, 120, 300}));
        EXPECT_EQ(l.rightPanel, c.rightPanel);
        EXPECT_EQ(l.list, c.list);
        EXPECT_EQ(l.bar, c.bar);
        EXPECT_EQ(l.log, c.log);
        EXPECT_EQ(l.stop, c.stop);
        EXPECT_EQ(l.status, c.status);
        EXPECT_EQ(l.logHeight, c.logHeight);
    }
}

TEST(LayoutMainWindow, NeverGivesNegativeSizes) {
    LayoutInput in = Input(100, 20);
    in.logHeight = 5000;
    MainLayout l = LayoutMainWindow(in);
    for (const Box& b : {l.leftPanel, l.rightPanel, l.list, l.bar, l.log, l.status}) {
        EXPECT_GE(b.w, 0);
        EXPECT_GE(b.h, 0);
    }
}

TEST(DraggedLogHeight, SmallMovesAndATooLowLogChangeNothing) {
    struct Case {
        int shown, d;
        std::optional<int> result;
    };
    const Case cases[] = {
        {50, -5, std::nullopt}, {50, 5, std::nullopt},  {50, -6, 56},           {50, 6, 44},
        {50, 39, 11},           {50, 40, std::nullopt}, {50, 45, std::nullopt}, {400, -300, 700},
    };
    for (const Case& c : cases) EXPECT_EQ(DraggedLogHeight(c.shown, c.d), c.result) << c.shown << " " << c.d;
}

}  // namespace
