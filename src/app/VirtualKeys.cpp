#include "app/VirtualKeys.h"

#include <string_view>

namespace quirnel {
namespace {

struct Punctuation {
    char16_t plain, shifted;
    int32_t key;
};
constexpr Punctuation kPunctuation[] = {
    {u';', u':', vk::Semicolon}, {u'=', u'+', vk::Equals},      {u',', u'<', vk::Comma},
    {u'-', u'_', vk::Minus},     {u'.', u'>', vk::Period},      {u'/', u'?', vk::Slash},
    {u'`', u'~', vk::Grave},     {u'[', u'{', vk::LeftBracket}, {u'\\', u'|', vk::Backslash},
    {u']', u'}', vk::RightBracket}, {u'\'', u'"', vk::Quote},
};
// Shift + digit on a US layout, in the order of the digits 0..9.
constexpr std::u16string_view kShiftedDigits = u")!@#$%^&*(";

}  // namespace

int32_t VirtualKeyOfCharacter(char16_t c) {
    if (c >= u'A' && c <= u'Z') return vk::LetterA + (c - u'A');
    if (c >= u'a' && c <= u'z') return vk::LetterA + (c - u'a');
    if (c >= u'0' && c <= u'9') return vk::Digit0 + (c - u'0');
    if (size_t p = kShiftedDigits.find(c); p != std::u16string_view::npos) return vk::Digit0 + static_cast<int32_t>(p);
    if (c == u' ') return vk::Space;
    for (const Punctuation& p : kPunctuation)
        if (c == p.plain || c == p.shifted) return p.key;
    return 0;
}

int32_t NumpadVirtualKey(char16_t c) {
    if (c >= u'0' && c <= u'9') return vk::Numpad0 + (c - u'0');
    switch (c) {
        case u'*': return vk::Multiply;
        case u'+': return vk::Add;
        case u'-': return vk::Subtract;
        case u'.': return vk::Decimal;
        case u'/': return vk::Divide;
        default: return 0;
    }
}

}  // namespace quirnel
