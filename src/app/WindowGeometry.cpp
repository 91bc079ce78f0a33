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

bool RectOnScreens(const Rect& rect, const std::vector<Rect>& screens) {
    if (rect.right <= rect.left || rect.bottom <= rect.top) return false;
    // The parts on each screen, spanned together, so a window across two
    // screens counts as a whole.
    bool any = false;
    Rect span;
    for (const Rect& s : screens) {
        Rect part{std::max(rect.left, s.left), std::max(rect.top, s.top), std::min(rect.right, s.right),
                  std::min(rect.bottom, s.bottom)};
        if (part.right <= part.left || part.bottom <= part.top) continue;
        if (!any) {
            span = part;
            any = true;
        } else {
            span = {std::min(span.left, part.left), std::min(span.top, part.top), std::max(span.right, part.right),
                    std::max(span.bottom, part.bottom)};
        }
    }
    return any && span.right - span.left > 200 && span.bottom - span.top > 100;
}

}  // namespace quirnel
