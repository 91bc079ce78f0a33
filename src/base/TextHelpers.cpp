#include "base/TextHelpers.h"

#include <cwctype>
#include <limits>

namespace quirnel {
namespace {

char16_t LowerChar(char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + (u'a' - u'A')) : c; }
char16_t UpperChar(char16_t c) { return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - (u'a' - u'A')) : c; }

template <typename Other>
bool SameIgnoringAsciiCase(std::u16string_view a, Other b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (LowerChar(a[i]) != LowerChar(static_cast<char16_t>(b[i]))) return false;
    return true;
}

}  // namespace

int32_t ReadInt(std::u16string_view text) {
    size_t i = 0;
    while (i < text.size() && IsAsciiSpace(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) negative = text[i++] == u'-';
    // Accumulate one past the limit so saturation is decided without overflow.
    const int64_t limit = negative ? -static_cast<int64_t>(std::numeric_limits<int32_t>::min())
                                   : std::numeric_limits<int32_t>::max();
    int64_t value = 0;
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
        value = value * 10 + (text[i] - u'0');
        if (value > limit) value = limit;
    }
    return static_cast<int32_t>(negative ? -value : value);
}

std::u16string DecimalText(long long number) {
    std::u16string out;
    for (char c : std::to_string(number)) out.push_back(static_cast<char16_t>(c));
    return out;
}

std::u16string AsciiLower(std::u16string_view text) {
    std::u16string out(text);
    for (char16_t& c : out) c = LowerChar(c);
    return out;
}

std::u16string AsciiUpper(std::u16string_view text) {
    std::u16string out(text);
    for (char16_t& c : out) c = UpperChar(c);
    return out;
}

bool EqualsIgnoringAsciiCase(std::u16string_view a, std::u16string_view b) { return SameIgnoringAsciiCase(a, b); }

bool EqualsIgnoringAsciiCase(std::u16string_view text, std::string_view ascii) {
    return SameIgnoringAsciiCase(text, ascii);
}

bool IsAsciiSpace(char16_t c) { return c == u' ' || (c >= u'\t' && c <= u'\r'); }

bool IsLocaleSpace(char16_t c) { return std::iswspace(static_cast<wint_t>(c)) != 0; }

bool IsUnicodeSpace(char16_t c) {
    if (IsAsciiSpace(c)) return true;
    switch (c) {
        case 0x0085: case 0x00A0: case 0x1680: case 0x2028: case 0x2029:
        case 0x202F: case 0x205F: case 0x3000: return true;
        default: return c >= 0x2000 && c <= 0x200A;
    }
}

std::u16string TrimBlanks(std::u16string_view text) {
    size_t b = 0, e = text.size();
    while (b < e && IsLocaleSpace(text[b])) ++b;
    while (e > b && IsLocaleSpace(text[e - 1])) --e;
    return std::u16string(text.substr(b, e - b));
}

}  // namespace quirnel
