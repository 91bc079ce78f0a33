#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace quirnel {

// Numbers travel as text and are read where they are used: leading white
// space (IsAsciiSpace), an optional sign, then decimal digits up to the first
// other character; no digits read as 0. Saturates at the 32-bit limits.
int32_t ReadInt(std::u16string_view text);

// The decimal digits of a number, with a minus sign when it is negative.
std::u16string DecimalText(long long number);

// Only A-Z and a-z change; every other code unit stays as it is.
std::u16string AsciiLower(std::u16string_view text);
std::u16string AsciiUpper(std::u16string_view text);
bool EqualsIgnoringAsciiCase(std::u16string_view a, std::u16string_view b);
// The same against an ASCII literal (a key name, a setting value).
bool EqualsIgnoringAsciiCase(std::u16string_view text, std::string_view ascii);

// The program's three rules of white space, each used where the rule is:
// the C locale's isspace (space, tab, LF, VT, FF, CR), where numbers are read;
bool IsAsciiSpace(char16_t c);
// the C library's wide-character test in the process's locale (ASCII only
// in the "C" locale), where text files are cut into keys, values and lines;
bool IsLocaleSpace(char16_t c);
// the Unicode White_Space characters, which Remove trims from names.
bool IsUnicodeSpace(char16_t c);

// The text without IsLocaleSpace characters at both ends.
std::u16string TrimBlanks(std::u16string_view text);

}  // namespace quirnel
