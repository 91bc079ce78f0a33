#pragma once
#include <QColor>

#include "apply/RowStatus.h"

namespace quirnel {

// The tint of a fate over a background, as the name list and the previews
// paint a row; invalid for a row left plain.
QColor StatusTint(RowFate fate, const QColor& base);

}  // namespace quirnel
