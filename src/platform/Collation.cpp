#include "platform/Collation.h"

#include <unicode/ucol.h>
#include <unicode/uloc.h>

#include <cstring>
#include <memory>

namespace quirnel {
namespace {

struct CollatorClose {
    void operator()(UCollator* c) const { ucol_close(c); }
};
using CollatorPtr = std::unique_ptr<UCollator, CollatorClose>;

// The C and POSIX locales map to en_US_POSIX, whose collation is code point
// order (upper case before all lower case); the root collation serves them.
const char* UserLocale() {
    const char* name = uloc_getDefault();
    if (std::strncmp(name, "en_US_POSIX", 11) == 0 || std::strcmp(name, "c") == 0) return "";
    return name;
}

// Secondary strength ignores case but keeps accents apart; numeric collation
// reads digit runs by value, whatever their length or leading zeros.
CollatorPtr OpenCollator(TextOrder order) {
    UErrorCode status = U_ZERO_ERROR;
    CollatorPtr c(ucol_open(UserLocale(), &status));
    if (U_FAILURE(status) || !c) {
        status = U_ZERO_ERROR;
        c.reset(ucol_open("", &status));
    }
    if (!c) return c;
    if (order == TextOrder::Logical) {
        ucol_setAttribute(c.get(), UCOL_STRENGTH, UCOL_SECONDARY, &status);
        ucol_setAttribute(c.get(), UCOL_NUMERIC_COLLATION, UCOL_ON, &status);
    } else {
        ucol_setAttribute(c.get(), UCOL_STRENGTH, UCOL_TERTIARY, &status);
    }
    return c;
}

// One collator per thread and order: a collator must not be shared between
// threads that use it at the same time.
UCollator* CollatorFor(TextOrder order) {
    if (order == TextOrder::Logical) {
        thread_local CollatorPtr logical = OpenCollator(TextOrder::Logical);
        return logical.get();
    }
    thread_local CollatorPtr plain = OpenCollator(TextOrder::Plain);
    return plain.get();
}

const UChar* Units(std::u16string_view s) { return reinterpret_cast<const UChar*>(s.data()); }

// Code unit order: what is left when ICU cannot open any collator.
int CompareUnits(const std::u16string& a, const std::u16string& b) {
    int r = a.compare(b);
    return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

void AppendUnitsKey(std::u16string_view text, std::string& out) {
    for (char16_t c : text) {
        out.push_back(static_cast<char>(c >> 8));
        out.push_back(static_cast<char>(c & 0xFF));
    }
}

}  // namespace

int CompareText(const std::u16string& a, const std::u16string& b, TextOrder order) {
    UCollator* c = CollatorFor(order);
    if (!c) return CompareUnits(a, b);
    switch (ucol_strcoll(c, Units(a), static_cast<int32_t>(a.size()), Units(b), static_cast<int32_t>(b.size()))) {
        case UCOL_LESS: return -1;
        case UCOL_GREATER: return 1;
        default: return 0;
    }
}

void AppendSortKey(std::u16string_view text, TextOrder order, std::string& out) {
    UCollator* c = CollatorFor(order);
    if (!c) return AppendUnitsKey(text, out);
    const auto* units = Units(text);
    const auto length = static_cast<int32_t>(text.size());
    uint8_t local[512];
    int32_t need = ucol_getSortKey(c, units, length, local, sizeof local);
    if (need <= 0) return;  // cannot happen for valid arguments; no key orders first
    if (need <= static_cast<int32_t>(sizeof local)) {
        out.append(reinterpret_cast<const char*>(local), need - 1);  // without the closing zero byte
        return;
    }
    std::string big(need, '\0');
    ucol_getSortKey(c, units, length, reinterpret_cast<uint8_t*>(big.data()), need);
    out.append(big, 0, need - 1);
}

}  // namespace quirnel
