#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quirnel {

class Host;

// Where a pattern or a replacement went wrong: the code-unit offset PCRE2
// reports and its own message, in English.
struct RegexError {
    size_t offset = 0;
    std::u16string message;
};

// A regular expression over UTF-16 names, compiled once (with the JIT where
// the machine allows it) and matched under a per-name limit, so that a
// catastrophic pattern costs each name a bounded time. Unicode mode: \w, \d
// and (?i) know every script. Not for use by two threads at once: it keeps
// one match block.
class Regex {
public:
    explicit Regex(std::u16string_view pattern);
    ~Regex();
    Regex(const Regex&) = delete;
    Regex& operator=(const Regex&) = delete;

    bool ok() const { return blocks_ != nullptr; }
    const RegexError& error() const { return error_; }
    bool usesJit() const { return jit_; }

    // Every match replaced by the template ($1, ${name}, $0, \U..\E, \L..\E,
    // \u, \l); nothing when no match, the limit or an error. replacementsOnly:
    // only the expanded templates, one after the other.
    std::optional<std::u16string> replace(std::u16string_view subject, std::u16string_view replacement,
                                          bool replacementsOnly = false) const;
    // Whether the pattern matches somewhere; nothing when the limit came first.
    std::optional<bool> matches(std::u16string_view subject) const;

    // Names the limit stopped since construction.
    long limitHits() const { return limitHits_; }

    // What is wrong with a replacement for this pattern (unknown groups
    // included), found without a subject; nothing when it is usable.
    std::optional<RegexError> checkReplacement(std::u16string_view replacement) const;

private:
    struct Blocks;
    struct Piece {
        int group;  // below 0: the literal
        std::u16string literal;
    };
    bool parseTemplate(std::u16string_view replacement) const;
    int match(std::u16string_view subject, size_t start, uint32_t options) const;
    std::optional<std::u16string> expand(std::u16string_view subject, bool replacementsOnly, bool& odd) const;

    std::unique_ptr<Blocks> blocks_;
    // The last template, taken apart when it needs only groups and literals.
    mutable std::u16string template_;
    mutable std::vector<Piece> pieces_;
    mutable bool plainTemplate_ = false;
    bool jit_ = false;
    uint32_t minLength_ = 0;  // no match is shorter, in code units or characters
    RegexError error_;
    mutable long limitHits_ = 0;
};

// A regular expression's error as a message (InvalidRegex or
// InvalidRegexReplacement): the character it names in `text`, counted from 1,
// and PCRE2's own words.
std::u16string RegexErrorText(int messageId, std::u16string_view text, const RegexError& error);
// The one log line for the names the match limit stopped, if any.
void ReportRegexLimit(Host& host, const Regex& regex);

}  // namespace quirnel
