#pragma once
#include <string>

namespace quirnel {

// The file manager's order: letter case ignored, runs of digits compared by
// value. Negative, zero or positive.
int CompareLogical(const std::u16string& a, const std::u16string& b);

// Case-sensitive order of the plain comparison.
int ComparePlain(const std::u16string& a, const std::u16string& b);

}  // namespace quirnel
