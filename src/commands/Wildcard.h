#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace quirnel {

// What a wildcard replacement gives: the text with every match replaced, or
// only the replacements of the matches one after the other.
enum class WildcardOutput { WholeText, ReplacementsOnly };

// A pattern of literal runs, '*' (any text) and '?' (one character), matched
// left to right without backtracking, with its replacement. Compiled once so a
// command pass over many rows does not re-tokenise the arguments per row.
class WildcardPattern {
public:
    WildcardPattern(std::u16string_view pattern, std::u16string_view replacement);

    // An empty pattern matches nothing.
    std::u16string apply(std::u16string_view text, WildcardOutput output) const;

private:
    enum class Kind { Literal, Star, One };
    struct Token {
        Kind kind;
        std::u16string_view text;
    };
    static std::vector<Token> tokenise(std::u16string_view text);
    void appendReplacement(std::u16string& out, const std::vector<std::u16string_view>& caps) const;

    std::u16string patternText_;
    std::u16string replacementText_;
    std::vector<Token> pattern_;
    std::vector<Token> replacement_;
};

std::u16string WildcardReplace(std::u16string_view text, std::u16string_view pattern,
                               std::u16string_view replacement, WildcardOutput output);

// True when the pattern matches the text at least once.
bool PatternFound(std::u16string_view text, std::u16string_view pattern);

// Every literal run replaced by one '_', wildcards kept: a*bc?d gives _*_?_.
std::u16string PatternShape(std::u16string_view text);

// The check the input dialog runs on a wildcard sub-command's arguments:
// 0 when they may be used, otherwise the string id of the message to show
// (text::InvalidWildcardUsage or text::WildcardsNotPaired).
int CheckWildcardArguments(std::u16string_view pattern, std::u16string_view second);

// Contains '*' or '?'.
bool HasWildcard(std::u16string_view text);

}  // namespace quirnel
