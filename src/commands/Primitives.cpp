#include "commands/Primitives.h"

#include <algorithm>

#include "base/TextHelpers.h"

namespace quirnel {

std::u16string NameWithDottedExt(std::u16string_view name, std::u16string_view extWithDot) {
    std::u16string out;
    out.reserve(name.size() + extWithDot.size());
    out.append(name).append(extWithDot);
    return out;
}

std::u16string NameDotExt(std::u16string_view name, std::u16string_view extWithoutDot) {
    std::u16string out;
    out.reserve(name.size() + 1 + extWithoutDot.size());
    out.append(name);
    if (!extWithoutDot.empty()) out.append(1, u'.').append(extWithoutDot);
    return out;
}

std::optional<PositionRange> ResolvePositions(std::u16string_view arg1, std::u16string_view arg2) {
    int32_t p1 = std::max(ReadInt(arg1), 0);
    int32_t p2 = std::max(ReadInt(arg2), 0);
    if (p1 == 0 && p2 == 0) return std::nullopt;
    PositionRange range;
    range.first = p1 >= 1 ? p1 - 1 : 0;
    if (p2 >= 1) {
        if (p2 < p1) return std::nullopt;
        range.last = p2 - 1;
    }
    return range;
}

Span CoveredSpan(const PositionRange& range, size_t length, bool fromBack) {
    size_t first = static_cast<size_t>(range.first);
    if (first >= length) return {};
    size_t last = range.last < 0 ? length - 1 : std::min(static_cast<size_t>(range.last), length - 1);
    size_t count = last - first + 1;
    // Reversing the text, cutting and reversing back equals cutting the mirror.
    return fromBack ? Span{length - 1 - last, count} : Span{first, count};
}

std::optional<Delimiters> DelimiterPair(std::u16string_view arg1, std::u16string_view arg2) {
    if (arg1.size() != 1 || arg2.size() != 1) return std::nullopt;
    return Delimiters{arg1[0], arg2[0]};
}

std::optional<Delimited> FindDelimited(std::u16string_view text, char16_t d1, char16_t d2) {
    size_t s = text.find(d1);
    if (s == std::u16string_view::npos) return std::nullopt;
    size_t e = text.find(d2, s + 1);
    if (e == std::u16string_view::npos) return std::nullopt;
    return Delimited{s, e};
}

}  // namespace quirnel
