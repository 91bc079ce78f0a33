#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quirnel {

// The two ways of putting a name together again. They differ only for a name
// that ends in a dot: the dotted form keeps it, the joined form drops it.
std::u16string NameWithDottedExt(std::u16string_view name, std::u16string_view extWithDot);
std::u16string NameDotExt(std::u16string_view name, std::u16string_view extWithoutDot);

// A range of 0-based positions; last < 0 means "to the end".
struct PositionRange {
    int32_t first = 0;
    int32_t last = -1;
};

// Positions typed as 1-based texts; none when both read as 0 or the second lies
// before the first. A negative position acts as 0 (head, or tail for the second).
std::optional<PositionRange> ResolvePositions(std::u16string_view arg1, std::u16string_view arg2);

// Where a range falls on a text of the given length: [begin, begin + count).
// Counted from the back, the positions mirror from the last character on.
struct Span {
    size_t begin = 0;
    size_t count = 0;
};
Span CoveredSpan(const PositionRange& range, size_t length, bool fromBack);

struct Delimiters {
    char16_t start;
    char16_t end;
};
// A pair only when both arguments are exactly one character long.
std::optional<Delimiters> DelimiterPair(std::u16string_view arg1, std::u16string_view arg2);

// The first d1 and the first d2 after it, both included: [s, e].
struct Delimited {
    size_t s;
    size_t e;
};
std::optional<Delimited> FindDelimited(std::u16string_view text, char16_t d1, char16_t d2);

}  // namespace quirnel
