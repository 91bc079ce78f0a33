#pragma once
#include <QString>
#include <string>

#include "base/StringTable.h"
#include "base/TextIds.h"

namespace quirnel {

inline QString Q(const std::u16string& s) { return QString::fromStdU16String(s); }
inline std::u16string U(const QString& s) { return s.toStdU16String(); }

// A text of the table (base/Texts.def) in the language chosen at start-up.
inline QString T(int id) { return Q(LoadText(id)); }

}  // namespace quirnel
