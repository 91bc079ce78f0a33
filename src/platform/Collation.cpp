#include "platform/Collation.h"

#include <unicode/uchar.h>

namespace quirnel {
namespace {

bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

// Code point at i (a pair counts as one), advancing i.
char32_t NextPoint(const std::u16string& s, size_t& i) {
    char16_t c = s[i++];
    if (c >= 0xD800 && c <= 0xDBFF && i < s.size() && s[i] >= 0xDC00 && s[i] <= 0xDFFF)
        return 0x10000 + ((char32_t(c) - 0xD800) << 10) + (s[i++] - 0xDC00);
    return c;
}

// Compares the digit runs starting at i and j by value, advancing both.
int CompareNumbers(const std::u16string& a, size_t& i, const std::u16string& b, size_t& j) {
    while (i < a.size() && a[i] == u'0' && i + 1 < a.size() && IsDigit(a[i + 1])) ++i;
    while (j < b.size() && b[j] == u'0' && j + 1 < b.size() && IsDigit(b[j + 1])) ++j;
    size_t ei = i, ej = j;
    while (ei < a.size() && IsDigit(a[ei])) ++ei;
    while (ej < b.size() && IsDigit(b[ej])) ++ej;
    if (ei - i != ej - j) return ei - i < ej - j ? -1 : 1;
    for (size_t k = 0; k < ei - i; ++k)
        if (a[i + k] != b[j + k]) return a[i + k] < b[j + k] ? -1 : 1;
    i = ei;
    j = ej;
    return 0;
}

}  // namespace

int CompareLogical(const std::u16string& a, const std::u16string& b) {
    size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        if (IsDigit(a[i]) && IsDigit(b[j])) {
            int r = CompareNumbers(a, i, b, j);
            if (r) return r;
            continue;
        }
        char32_t x = u_foldCase(NextPoint(a, i), U_FOLD_CASE_DEFAULT);
        char32_t y = u_foldCase(NextPoint(b, j), U_FOLD_CASE_DEFAULT);
        if (x != y) return x < y ? -1 : 1;
    }
    if (i < a.size()) return 1;
    if (j < b.size()) return -1;
    return 0;
}

int ComparePlain(const std::u16string& a, const std::u16string& b) {
    int r = a.compare(b);
    return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

}  // namespace quirnel
