#include "app/WindowGeometry.h"

#include <algorithm>
#include <cstdlib>

namespace quirnel {
namespace {

Box Sized(int x, int y, int w, int h) { return {x, y, std::max(w, 0), std::max(h, 0)}; }

}  // namespace

MainLayout LayoutMainWindow(const LayoutInput& in) {
    const int W = in.width, H = in.height, S = in.statusHeight, PW = in.panelWidth, PH = in.panelHeight;
    const int T = in.showLog ? kSplitterBarHeight : 0;
    // A LogHeight beyond the window would push the list out of sight.
    int L = in.showLog ? std::max(std::min(in.logHeight, H - S - in.minListHeight), T) : 0;
    const int O = L;

    MainLayout out;
    out.logHeight = L;
    out.leftPanel = Sized(0, 4, PW, PH);
    out.stacked = H > S + 2 * (PH + 4);
    int listWidth;
    if (out.stacked) {
        out.rightPanel = Sized(0, PH + 4, PW, PH);
        listWidth = W - PW;
    } else {
        out.rightPanel = Sized(W - PW, 4, PW, PH);
        listWidth = W - 2 * PW;
    }
    out.list = Sized(PW, 0, listWidth, H - O - S);
    if (in.showLog) {
        out.bar = Sized(PW, H - L - S, listWidth, T);
        out.log = Sized(PW, H - L - S + T, listWidth, L - T);
    }
    if (in.stopShown) out.stop = Sized(W - PW, H - S + 1, PW, S - 2);
    out.status = Sized(0, H - S + 1, in.stopShown ? W - PW : W, S - 2);
    return out;
}

std::optional<int> DraggedLogHeight(int shownLogHeight, int d) {
    if (std::abs(d) <= 5 || shownLogHeight - d <= 10) return std::nullopt;
    return shownLogHeight - d;
}

}  // namespace quirnel
