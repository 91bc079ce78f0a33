#include "commands/Regex.h"

#define PCRE2_CODE_UNIT_WIDTH 16
#include <pcre2.h>

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

std::optional<std::u16string> Regex::replace(std::u16string_view subject, std::u16string_view replacement,
                                             bool replacementsOnly) const {
    if (!blocks_) return std::nullopt;
    const uint32_t options = kSubstituteOptions | (replacementsOnly ? PCRE2_SUBSTITUTE_REPLACEMENT_ONLY : 0);
    std::u16string& out = blocks_->buffer;
    if (out.size() < subject.size() * 2 + replacement.size() + 64) out.resize(subject.size() * 2 + replacement.size() + 64);
    for (int attempt = 0; attempt < 2; ++attempt) {
        PCRE2_SIZE length = out.size();
        int rc = pcre2_substitute(blocks_->code, Units(subject), subject.size(), 0, options, blocks_->match,
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
    if (!blocks_) return false;
    int rc = pcre2_match(blocks_->code, Units(subject), subject.size(), 0, 0, blocks_->match, blocks_->context);
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
