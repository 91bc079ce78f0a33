#pragma once
#include <string>
#include <string_view>

namespace quirnel {

class NameList;

// Replace (extensionMode false) and Replace Ext. (true) over every row: string
// or wildcard replacement, flipping around a pivot, ASCII case conversions,
// Hangul composition, and for Replace Ext. the extension exchange. includeExt
// is the IncludeExt setting; it lets name mode see the whole New Name.
// Rows whose subject the transform leaves as it is are not written.
void ReplaceNames(NameList& list, int subCommand, const std::u16string& arg1, const std::u16string& arg2,
                  bool extensionMode, bool includeExt);

// Conjoining Hangul jamo (leading consonant, vowel, optional trailing
// consonant) composed into syllables; everything else unchanged.
std::u16string ComposeHangul(std::u16string_view text);

// The single transforms, usable on any text.
std::u16string ReplaceAll(std::u16string_view text, std::u16string_view find, std::u16string_view with);
std::u16string FlipAroundPivot(std::u16string_view text, std::u16string_view pivot);
std::u16string FirstLetterUpper(std::u16string_view text);
std::u16string WordsCapitalised(std::u16string_view text);

}  // namespace quirnel
