#include "commands/Regex.h"

#define PCRE2_CODE_UNIT_WIDTH 16
#include <pcre2.h>

#include <algorithm>
#include <vector>

#include "base/Host.h"
#include "base/StringTable.h"
#include "base/TextIds.h"

namespace quirnel {
namespace {

// Enough for any sensible pattern over a name of a few hundred characters;
// (a+)+$ against forty a's and a '!' reaches it in milliseconds.
constexpr uint32_t kMatchLimit = 1'000'000;
constexpr uint32_t kDepthLimit = 10'000;
constexpr size_t kJitStackMax = 512 * 1024;

constexpr uint32_t kSubstituteOptions =
    PCRE2_SUBSTITUTE_GLOBAL | PCRE2_SUBSTITUTE_EXTENDED | PCRE2_SUBSTITUTE_UNSET_EMPTY | PCRE2_SUBSTITUTE_OVERFLOW_LENGTH;

PCRE2_SPTR Units(std::u16string_view text) { return reinterpret_cast<PCRE2_SPTR>(text.data()); }

std::u16string ErrorMessage(int code) {
    PCRE2_UCHAR buffer[256];
    int length = pcre2_get_error_message(code, buffer, std::size(buffer));
    return length < 0 ? std::u16string() : std::u16string(reinterpret_cast<const char16_t*>(buffer), length);
}

bool IsLimit(int rc) {
    return rc == PCRE2_ERROR_MATCHLIMIT || rc == PCRE2_ERROR_DEPTHLIMIT || rc == PCRE2_ERROR_HEAPLIMIT ||
           rc == PCRE2_ERROR_JIT_STACKLIMIT;
}

// A name may hold a lone surrogate, which PCRE2 refuses: such a name never
// matches. Checked here once, so that PCRE2 need not check it twice.
bool ValidUtf16(std::u16string_view text) {
    for (size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if ((c & 0xF800) != 0xD800) continue;
        if (c >= 0xDC00 || i + 1 == text.size() || (text[i + 1] & 0xFC00) != 0xDC00) return false;
        ++i;
    }
    return true;
}

pcre2_code* Compile(std::u16string_view pattern, RegexError& error) {
    int code = 0;
    PCRE2_SIZE offset = 0;
    pcre2_code* compiled =
        pcre2_compile(Units(pattern), pattern.size(), PCRE2_UTF | PCRE2_UCP, &code, &offset, nullptr);
    if (!compiled) error = {offset, ErrorMessage(code)};
    return compiled;
}

// A pattern with the same groups, numbers and names as `code` that matches
// the empty text: a replacement is checked against it without a subject.
std::u16string SameGroupsPattern(const pcre2_code* code) {
    uint32_t groups = 0, names = 0, entrySize = 0;
    PCRE2_SPTR table = nullptr;
    pcre2_pattern_info(code, PCRE2_INFO_CAPTURECOUNT, &groups);
    pcre2_pattern_info(code, PCRE2_INFO_NAMECOUNT, &names);
    pcre2_pattern_info(code, PCRE2_INFO_NAMEENTRYSIZE, &entrySize);
    pcre2_pattern_info(code, PCRE2_INFO_NAMETABLE, &table);
    std::vector<std::u16string> nameOf(groups + 1);
    for (uint32_t i = 0; i < names; ++i) {
        PCRE2_SPTR entry = table + i * entrySize;
        if (entry[0] <= groups && nameOf[entry[0]].empty())
            nameOf[entry[0]] = reinterpret_cast<const char16_t*>(entry + 1);
    }
    std::u16string out = u"(?J)";
    for (uint32_t g = 1; g <= groups; ++g) out += nameOf[g].empty() ? u"()" : u"(?<" + nameOf[g] + u">)";
    return out;
}

}  // namespace

struct Regex::Blocks {
    pcre2_code* code = nullptr;
    pcre2_match_data* match = nullptr;
    pcre2_match_context* context = nullptr;
    pcre2_jit_stack* jitStack = nullptr;
    std::u16string buffer;
    ~Blocks() {
        pcre2_jit_stack_free(jitStack);
        pcre2_match_context_free(context);
        pcre2_match_data_free(match);
        pcre2_code_free(code);
    }
};

Regex::Regex(std::u16string_view pattern) {
    pcre2_code* code = Compile(pattern, error_);
    if (!code) return;
    blocks_ = std::make_unique<Blocks>();
    blocks_->code = code;
    // Without a JIT (no support, or no executable memory) the interpreter matches.
    jit_ = pcre2_jit_compile(code, PCRE2_JIT_COMPLETE) == 0;
    pcre2_pattern_info(code, PCRE2_INFO_MINLENGTH, &minLength_);
    blocks_->match = pcre2_match_data_create_from_pattern(code, nullptr);
    blocks_->context = pcre2_match_context_create(nullptr);
    pcre2_set_match_limit(blocks_->context, kMatchLimit);
    pcre2_set_depth_limit(blocks_->context, kDepthLimit);
    if (jit_) {
        blocks_->jitStack = pcre2_jit_stack_create(32 * 1024, kJitStackMax, nullptr);
        pcre2_jit_stack_assign(blocks_->context, nullptr, blocks_->jitStack);
    }
}

Regex::~Regex() = default;

namespace {

bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

// The group a ${...} names, or -1.
int GroupOf(const pcre2_code* code, std::u16string_view inner) {
    if (inner.empty() || inner.size() > 32) return -1;
    if (std::all_of(inner.begin(), inner.end(), IsDigit)) {
        int g = 0;
        for (char16_t c : inner) g = g * 10 + (c - u'0');
        return g;
    }
    const std::u16string name(inner);
    const int g = pcre2_substring_number_from_name(code, Units(name));
    return g < 0 ? -1 : g;
}

}  // namespace

// Only $$, $n, ${n} and ${name} of groups the pattern has: anything else
// (escapes, case changes, conditions, an unknown group) is PCRE2's to expand.
bool Regex::parseTemplate(std::u16string_view t) const {
    if (t == template_) return plainTemplate_;
    template_ = t;
    pieces_.clear();
    plainTemplate_ = false;
    uint32_t groups = 0;
    pcre2_pattern_info(blocks_->code, PCRE2_INFO_CAPTURECOUNT, &groups);
    std::u16string literal;
    auto addGroup = [&](int g) {
        if (!literal.empty()) pieces_.push_back({-1, std::move(literal)});
        literal.clear();
        pieces_.push_back({g, {}});
    };
    for (size_t i = 0; i < t.size(); ++i) {
        if (t[i] == u'\\') return false;
        if (t[i] != u'$') {
            literal.push_back(t[i]);
            continue;
        }
        if (++i == t.size()) return false;
        int g = -1;
        if (t[i] == u'$') {
            literal.push_back(u'$');
            continue;
        } else if (IsDigit(t[i])) {
            size_t end = i;
            while (end < t.size() && IsDigit(t[end])) ++end;
            g = GroupOf(blocks_->code, t.substr(i, end - i));
            i = end - 1;
        } else if (t[i] == u'{') {
            const size_t close = t.find(u'}', i);
            if (close == std::u16string_view::npos) return false;
            g = GroupOf(blocks_->code, t.substr(i + 1, close - i - 1));
            i = close;
        }
        if (g < 0 || static_cast<uint32_t>(g) > groups) return false;
        addGroup(g);
    }
    if (!literal.empty()) pieces_.push_back({-1, std::move(literal)});
    plainTemplate_ = true;
    return true;
}

// The global substitution as PCRE2 does it (an empty match is tried again
// as a non-empty one at the same place, then passed by one character), for
// templates of groups and literals. `odd` asks for PCRE2's own way with a
// match that ends before it starts, which \K in a lookaround could give.
int Regex::match(std::u16string_view subject, size_t start, uint32_t options) const {
    // The JIT's own entry skips the checks of the general one; the subject is checked already.
    if (jit_)
        return pcre2_jit_match(blocks_->code, Units(subject), subject.size(), start, options, blocks_->match,
                               blocks_->context);
    return pcre2_match(blocks_->code, Units(subject), subject.size(), start, options, blocks_->match,
                       blocks_->context);
}

std::optional<std::u16string> Regex::expand(std::u16string_view subject, bool replacementsOnly, bool& odd) const {
    const PCRE2_SIZE* ov = pcre2_get_ovector_pointer(blocks_->match);
    std::u16string out;
    size_t copied = 0, start = 0;
    uint32_t options = PCRE2_NO_UTF_CHECK;
    bool matched = false;
    for (;;) {
        // PCRE2 gives up on a rest this short itself, after the call.
        if (subject.size() - start < minLength_) break;
        const int rc = match(subject, start, options);
        if (rc == PCRE2_ERROR_NOMATCH && (options & PCRE2_NOTEMPTY_ATSTART)) {
            if (start >= subject.size()) break;
            const bool pair = (subject[start] & 0xFC00) == 0xD800 && start + 1 < subject.size();
            start += pair ? 2 : 1;
            options = PCRE2_NO_UTF_CHECK;
            continue;
        }
        if (rc == PCRE2_ERROR_NOMATCH) break;
        if (rc < 0) {
            if (IsLimit(rc)) ++limitHits_;
            return std::nullopt;
        }
        if (ov[0] > ov[1] || ov[0] < copied) {
            odd = true;
            return std::nullopt;
        }
        if (!matched) out.reserve(subject.size() + 32);
        matched = true;
        if (!replacementsOnly) out.append(subject.substr(copied, ov[0] - copied));
        for (const Piece& p : pieces_) {
            if (p.group < 0) out += p.literal;
            else if (p.group < rc && ov[2 * p.group] != PCRE2_UNSET)
                out.append(subject.substr(ov[2 * p.group], ov[2 * p.group + 1] - ov[2 * p.group]));
        }
        copied = start = ov[1];
        options = PCRE2_NO_UTF_CHECK | (ov[0] == ov[1] ? PCRE2_NOTEMPTY_ATSTART | PCRE2_ANCHORED : 0);
    }
    if (!matched) return std::nullopt;
    if (!replacementsOnly) out.append(subject.substr(copied));
    return out;
}

std::optional<std::u16string> Regex::replace(std::u16string_view subject, std::u16string_view replacement,
                                             bool replacementsOnly) const {
    if (!blocks_ || !ValidUtf16(subject)) return std::nullopt;
    if (parseTemplate(replacement)) {
        bool odd = false;
        std::optional<std::u16string> out = expand(subject, replacementsOnly, odd);
        if (!odd) return out;
    }
    const uint32_t options =
        kSubstituteOptions | PCRE2_NO_UTF_CHECK | (replacementsOnly ? PCRE2_SUBSTITUTE_REPLACEMENT_ONLY : 0);
    std::u16string& out = blocks_->buffer;
    if (out.size() < subject.size() * 2 + replacement.size() + 64) out.resize(subject.size() * 2 + replacement.size() + 64);
    for (int attempt = 0; attempt < 2; ++attempt) {
        PCRE2_SIZE length = out.size();
        const int rc = pcre2_substitute(blocks_->code, Units(subject), subject.size(), 0, options, blocks_->match,
                                        blocks_->context, Units(replacement), replacement.size(),
                                        reinterpret_cast<PCRE2_UCHAR*>(out.data()), &length);
        if (rc > 0) return std::u16string(out.data(), length);
        if (rc == PCRE2_ERROR_NOMEMORY) {
            out.resize(length + 1);
            continue;
        }
        if (IsLimit(rc)) ++limitHits_;
        return std::nullopt;
    }
    return std::nullopt;
}

std::optional<bool> Regex::matches(std::u16string_view subject) const {
    if (!blocks_ || !ValidUtf16(subject)) return false;
    int rc = match(subject, 0, PCRE2_NO_UTF_CHECK);
    if (IsLimit(rc)) {
        ++limitHits_;
        return std::nullopt;
    }
    return rc >= 0;
}

std::optional<RegexError> Regex::checkReplacement(std::u16string_view replacement) const {
    if (!blocks_) return std::nullopt;
    RegexError unused;
    std::unique_ptr<pcre2_code, void (*)(pcre2_code*)> groups(Compile(SameGroupsPattern(blocks_->code), unused),
                                                               pcre2_code_free);
    if (!groups) return std::nullopt;
    std::u16string out(replacement.size() * 3 + 16, u'\0');
    PCRE2_SIZE length = out.size();
    int rc = pcre2_substitute(groups.get(), Units(u""), 0, 0, kSubstituteOptions, nullptr, nullptr,
                              Units(replacement), replacement.size(), reinterpret_cast<PCRE2_UCHAR*>(out.data()),
                              &length);
    if (rc >= 0 || rc == PCRE2_ERROR_NOMEMORY) return std::nullopt;
    return RegexError{length == PCRE2_UNSET ? replacement.size() : length, ErrorMessage(rc)};
}

std::u16string RegexErrorText(int messageId, std::u16string_view text, const RegexError& error) {
    // The position a person counts: characters, not UTF-16 code units, from 1.
    long long position = 1;
    for (size_t i = 0; i < error.offset && i < text.size(); ++i)
        if ((text[i] & 0xFC00) != 0xDC00) ++position;
    return FormatText(LoadText(messageId), {position, error.message});
}

void ReportRegexLimit(Host& host, const Regex& regex) {
    if (regex.limitHits() > 0)
        host.AppendLog(FormatText(LoadText(text::RegexLimitReached), {static_cast<long long>(regex.limitHits())}));
}

}  // namespace quirnel
