#pragma once
#include <string>
#include <string_view>

namespace quirnel {

// The two text orders of the list. Logical is the file manager's order:
// letter case ignored (every script), runs of digits compared by value, the
// rest in the user's collation. Plain is the user's collation with case.
enum class TextOrder { Logical, Plain };

// Negative, zero or positive.
int CompareText(const std::u16string& a, const std::u16string& b, TextOrder order);
inline int CompareLogical(const std::u16string& a, const std::u16string& b) {
    return CompareText(a, b, TextOrder::Logical);
}
inline int ComparePlain(const std::u16string& a, const std::u16string& b) {
    return CompareText(a, b, TextOrder::Plain);
}

// Appends to out a byte key of text whose unsigned byte order (memcmp, then
// length) is the order of CompareText. Sorting many texts builds each key once
// instead of collating every pair.
void AppendSortKey(std::u16string_view text, TextOrder order, std::string& out);

}  // namespace quirnel
