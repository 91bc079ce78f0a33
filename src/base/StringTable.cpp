#include "base/StringTable.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <string>

#include "base/CommandIds.h"
#include "base/TextHelpers.h"

namespace quirnel {

namespace {

struct TextRow {
    int id;
    const char16_t* texts[kUiLanguageCount];
};

constexpr TextRow kRows[] = {
#define TEXT_ROW(name, id, ...) {id, {__VA_ARGS__}},
#define CAPTION_ROW(number, ...) {number, {__VA_ARGS__}},
#include "base/Texts.def"
#undef TEXT_ROW
#undef CAPTION_ROW
};

constexpr int HighestId() {
    int highest = 0;
    for (const TextRow& row : kRows) highest = std::max(highest, row.id);
    return highest;
}

constexpr int kMaxId = HighestId();

constexpr bool IdsArePositiveAndUnique() {
    std::array<bool, kMaxId + 1> seen{};
    for (const TextRow& row : kRows) {
        if (row.id <= 0 || seen[row.id]) return false;
        seen[row.id] = true;
    }
    return true;
}
static_assert(IdsArePositiveAndUnique(), "a row of base/Texts.def reuses an id");

constexpr bool EveryRowHasEveryLanguage() {
    for (const TextRow& row : kRows)
        for (const char16_t* text : row.texts)
            if (text == nullptr) return false;
    return true;
}
static_assert(EveryRowHasEveryLanguage(), "a row of base/Texts.def lacks a language column");

// Indexed by language and id so a lookup is one bounds check; built on first
// use so that callers from other static initialisers still see a complete table.
struct Tables {
    std::array<std::array<std::u16string, kMaxId + 1>, kUiLanguageCount> texts;
    std::array<bool, kMaxId + 1> used{};
};

const Tables& TheTables() {
    static const Tables tables = [] {
        Tables built;
        for (const TextRow& row : kRows) {
            for (int language = 0; language < kUiLanguageCount; ++language)
                built.texts[language][row.id] = row.texts[language];
            built.used[row.id] = true;
        }
        return built;
    }();
    return tables;
}

std::atomic<UiLanguage> g_language{UiLanguage::English};

void AppendArg(std::u16string& out, const FormatArg& arg) {
    if (const auto* text = std::get_if<std::u16string>(&arg)) {
        out += *text;
        return;
    }
    out += DecimalText(std::get<long long>(arg));
}

}  // namespace

void SetUiLanguage(UiLanguage language) { g_language.store(language, std::memory_order_relaxed); }

UiLanguage CurrentUiLanguage() { return g_language.load(std::memory_order_relaxed); }

const std::u16string& LoadText(int id) { return LoadText(id, CurrentUiLanguage()); }

const std::u16string& LoadText(int id, UiLanguage language) {
    static const std::u16string empty;
    if (id < 0 || id > kMaxId) return empty;
    return TheTables().texts[static_cast<int>(language)][id];
}

bool IsStringId(int id) { return id >= 0 && id <= kMaxId && TheTables().used[id]; }

std::u16string FormatText(const std::u16string& format, std::initializer_list<FormatArg> args) {
    std::u16string out;
    out.reserve(format.size() + 16);
    auto next = args.begin();
    for (std::size_t i = 0; i < format.size(); ++i) {
        const char16_t c = format[i];
        if (c != u'%' || i + 1 == format.size()) {
            out += c;
            continue;
        }
        const char16_t kind = format[i + 1];
        if (kind == u'%') {
            out += u'%';
            ++i;
        } else if ((kind == u'd' || kind == u's') && next != args.end()) {
            AppendArg(out, *next++);
            ++i;
        } else {
            // Unfilled or unknown placeholders are kept verbatim; the next
            // iteration copies the character after '%'.
            out += c;
        }
    }
    return out;
}

}  // namespace quirnel
