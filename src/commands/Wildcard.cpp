#include "commands/Wildcard.h"

#include "base/TextIds.h"

namespace quirnel {

namespace {
constexpr size_t npos = std::u16string_view::npos;
bool IsWild(char16_t c) { return c == u'*' || c == u'?'; }
}  // namespace

std::vector<WildcardPattern::Token> WildcardPattern::tokenise(std::u16string_view text) {
    std::vector<Token> tokens;
    size_t i = 0;
    while (i < text.size()) {
        if (IsWild(text[i])) {
            tokens.push_back({text[i] == u'*' ? Kind::Star : Kind::One, text.substr(i, 1)});
            ++i;
            continue;
        }
        size_t j = i;
        while (j < text.size() && !IsWild(text[j])) ++j;
        tokens.push_back({Kind::Literal, text.substr(i, j - i)});
        i = j;
    }
    return tokens;
}

WildcardPattern::WildcardPattern(std::u16string_view pattern, std::u16string_view replacement)
    : patternText_(pattern), replacementText_(replacement) {
    pattern_ = tokenise(patternText_);
    replacement_ = tokenise(replacementText_);
}

void WildcardPattern::appendReplacement(std::u16string& out, const std::vector<std::u16string_view>& caps) const {
    if (replacement_.size() == pattern_.size()) {
        for (size_t i = 0; i < pattern_.size(); ++i)
            out.append(pattern_[i].kind == Kind::Literal ? replacement_[i].text : caps[i]);
    } else if (replacement_.size() == 1) {
        out.append(replacement_[0].text);
    }
    // Any other replacement deletes the match.
}

std::u16string WildcardPattern::apply(std::u16string_view text, WildcardOutput output) const {
    const bool extractOnly = output == WildcardOutput::ReplacementsOnly;
    std::u16string out;
    const size_t n = text.size();
    const size_t k = pattern_.size();
    if (k == 0) return extractOnly ? out : std::u16string(text);
    std::vector<std::u16string_view> caps(k);
    // The first occurrence of a literal at or after `from` is still `found`
    // for any later start up to `found`: restarts reuse it instead of
    // searching the same stretch again.
    struct Memo {
        size_t from = npos, found = npos;
    };
    std::vector<Memo> memo(k);
    size_t pos = 0, tail = 0;  // tail = one past the previous match (lastEnd + 1)
    bool exhausted = false;
    while (!exhausted && pos < n) {
        size_t cur = pos, start = pos, last = pos, starFrom = pos;
        bool anchored = false, failed = false;
        for (size_t i = 0; i < k && !failed && !exhausted; ++i) {
            const Token& t = pattern_[i];
            if (t.kind == Kind::One) {
                if (cur >= n) { exhausted = true; break; }
                caps[i] = text.substr(cur, 1);
                if (i == 0) start = cur;
                last = cur++;
                anchored = true;
            } else if (t.kind == Kind::Star && i + 1 == k) {
                if (i == 0) start = cur;
                caps[i] = text.substr(cur);
                last = n - 1;
                cur = n;
            } else if (t.kind == Kind::Star) {
                if (i == 0) start = cur;
                caps[i] = {};
                starFrom = cur;
                anchored = false;
            } else {
                Memo& m = memo[i];
                size_t f;
                if (m.from != npos && m.from <= cur && (m.found == npos || cur <= m.found)) {
                    f = m.found;
                } else {
                    f = text.find(t.text, cur);
                    m = {cur, f};
                }
                if (f == npos) { exhausted = true; break; }
                if (anchored && f > cur) {
                    pos = start + 1;
                    failed = true;
                    break;
                }
                if (i == 0) start = f;
                if (i > 0 && pattern_[i - 1].kind == Kind::Star) caps[i - 1] = text.substr(starFrom, f - starFrom);
                cur = f + t.text.size();
                last = cur - 1;
                anchored = true;
            }
        }
        if (exhausted || failed) continue;
        if (!extractOnly) out.append(text.substr(tail, start - tail));
        appendReplacement(out, caps);
        tail = last + 1;
        pos = cur;
    }
    if (!extractOnly) out.append(text.substr(tail));
    return out;
}

std::u16string WildcardReplace(std::u16string_view text, std::u16string_view pattern,
                               std::u16string_view replacement, WildcardOutput output) {
    return WildcardPattern(pattern, replacement).apply(text, output);
}

bool PatternFound(std::u16string_view text, std::u16string_view pattern) {
    return !WildcardReplace(text, pattern, pattern, WildcardOutput::ReplacementsOnly).empty();
}

std::u16string PatternShape(std::u16string_view text) {
    std::u16string shape;
    for (size_t i = 0; i < text.size(); ++i) {
        if (IsWild(text[i])) {
            shape.push_back(text[i]);
        } else if (i == 0 || IsWild(text[i - 1])) {
            shape.push_back(u'_');
        }
    }
    return shape;
}

namespace {
bool ShapeValid(std::u16string_view shape) {
    if (shape.empty()) return true;
    if (shape.find(u'_') == npos) return false;
    return shape.find(u"**") == npos && shape.find(u"*?") == npos && shape.find(u"?*") == npos;
}
}  // namespace

int CheckWildcardArguments(std::u16string_view pattern, std::u16string_view second) {
    std::u16string s1 = PatternShape(pattern), s2 = PatternShape(second);
    if (s2 == s1 || s2 == u"_" || s2.empty()) return ShapeValid(s1) && ShapeValid(s2) ? 0 : text::InvalidWildcardUsage;
    return text::WildcardsNotPaired;
}

bool HasWildcard(std::u16string_view text) { return text.find_first_of(u"*?") != npos; }

}  // namespace quirnel
