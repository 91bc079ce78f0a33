#pragma once
#include <QString>
#include <string>

namespace quirnel {

inline QString Q(const std::u16string& s) { return QString::fromStdU16String(s); }
inline std::u16string U(const QString& s) { return s.toStdU16String(); }

}  // namespace quirnel
