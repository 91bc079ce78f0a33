#pragma once
#include <string>
#include <string_view>

namespace quirnel {

class Host;
class NameList;

// What Replace works on: the name part, the whole New Name (Replace with the
// IncludeExt setting on) or the extension (Replace Ext.).
enum class ReplaceSubject { NamePart, WholeName, Extension };

// Replace and Replace Ext. over every row: string, wildcard or regular
// expression replacement, flipping around a pivot, ASCII case conversions,
// Hangul composition, Unicode normal forms, transliteration, and for Replace
// Ext. the extension exchange. Rows whose subject the transform leaves as it
// is are not written. The host, when given, hears of an invalid regular
// expression and of names the match limit left unchanged.
void ReplaceNames(NameList& list, int subCommand, const std::u16string& arg1, const std::u16string& arg2,
                  ReplaceSubject subject, Host* host = nullptr);

// Conjoining Hangul jamo (leading consonant, vowel, optional trailing
// consonant) composed into syllables; everything else unchanged.
std::u16string ComposeHangul(std::u16string_view text);

// The single transforms, usable on any text.
std::u16string ReplaceAll(std::u16string_view text, std::u16string_view find, std::u16string_view with);
std::u16string FlipAroundPivot(std::u16string_view text, std::u16string_view pivot);
std::u16string FirstLetterUpper(std::u16string_view text);
std::u16string WordsCapitalised(std::u16string_view text);

}  // namespace quirnel
