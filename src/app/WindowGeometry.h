#pragma once
#include <optional>


namespace quirnel {

// A widget's place inside the window's client area.
struct Box {
    int x = 0, y = 0, w = 0, h = 0;
    bool operator==(const Box&) const = default;
};

struct LayoutInput {
    int width = 0, height = 0;  // the client area, W x H
    int statusHeight = 0;       // S
    int panelWidth = 0;         // PW
    int panelHeight = 0;        // PH: ten buttons with their gaps
    bool showLog = true;
    int logHeight = 50;         // LogHeight: the log pane with its 10-px bar
    bool stopShown = false;     // a run on the worker shows Stop beside the status line
    int minListHeight = 0;      // what the list keeps when LogHeight asks for more
};

struct MainLayout {
    bool stacked = false;  // both panels on the left, one above the other
    Box leftPanel, rightPanel, list, bar, log, stop, status;
    int logHeight = 0;     // the log height laid out: LogHeight, clamped so the list stays visible
};

constexpr int kSplitterBarHeight = 10;

// Where every control of the main window goes. LogHeight is clamped here
// only; the stored setting keeps its value.
MainLayout LayoutMainWindow(const LayoutInput& in);

// The splitter bar dragged by d pixels (its own coordinates, negative above
// it): the new LogHeight, or nothing for moves of 5 pixels or less and moves
// that would leave the log 10 pixels high or lower.
std::optional<int> DraggedLogHeight(int shownLogHeight, int d);

}  // namespace quirnel
