#pragma once
#include <QString>

#include "base/StringTable.h"
#include "base/TextIds.h"
#include "ui/QtText.h"

namespace quirnel {

// A text of the table (base/Texts.def) in the language chosen at start-up.
inline QString T(int id) { return Q(LoadText(id)); }

}  // namespace quirnel
