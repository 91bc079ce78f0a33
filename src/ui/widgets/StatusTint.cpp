#include "ui/widgets/StatusTint.h"

namespace quirnel {

// A hue mixed into the background, a quarter of it: the row keeps the
// lightness of the theme, so its text stays legible in light and dark.
QColor StatusTint(RowFate fate, const QColor& base) {
    QColor hue;
    switch (fate) {
        case RowFate::Unchanged: return {};
        case RowFate::Rename:
        case RowFate::Move:
        case RowFate::Copy: hue = QColor(40, 170, 70); break;
        case RowFate::Numbered: hue = QColor(215, 170, 0); break;
        case RowFate::Chain:
        case RowFate::Cycle: hue = QColor(50, 120, 230); break;
        case RowFate::TargetExists: hue = QColor(240, 120, 0); break;
        case RowFate::EmptyName:
        case RowFate::ForbiddenCharacter:
        case RowFate::Duplicate: hue = QColor(220, 40, 40); break;
    }
    constexpr double kShare = 0.25;
    auto mix = [&](int b, int h) { return static_cast<int>(b * (1 - kShare) + h * kShare + 0.5); };
    return QColor(mix(base.red(), hue.red()), mix(base.green(), hue.green()), mix(base.blue(), hue.blue()));
}

}  // namespace quirnel
