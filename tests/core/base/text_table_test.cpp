#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "base/CommandIds.h"
#include "base/StringTable.h"
#include "base/TextIds.h"

using namespace quirnel;

namespace {

struct Row {
    const char* name;
    int id;
};

// The rows of the data file by name and id; their texts are read through LoadText.
const Row kRows[] = {
#define TEXT_ROW(name, id, ...) {#name, id},
#define CAPTION_ROW(number, ...) {#number, number},
#include "base/Texts.def"
#undef TEXT_ROW
#undef CAPTION_ROW
};

// The arguments FormatText fills, in order: "%d" and "%s"; "%%" is a percent
// sign and takes none.
std::u16string PrintfArguments(const std::u16string& text) {
    std::u16string kinds;
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != u'%') continue;
        if (text[i + 1] == u'd' || text[i + 1] == u's') kinds += text[i + 1];
        ++i;
    }
    return kinds;
}

// Qt's "%1".."%99" as QString::arg fills them, lowest first: a language may
// put them in another order, so they are compared as a sorted list.
std::vector<int> QtPlaceholders(const std::u16string& text) {
    std::vector<int> found;
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != u'%' || text[i + 1] < u'1' || text[i + 1] > u'9') continue;
        int number = text[i + 1] - u'0';
        if (i + 2 < text.size() && text[i + 2] >= u'0' && text[i + 2] <= u'9') number = number * 10 + (text[i + 2] - u'0');
        found.push_back(number);
    }
    std::sort(found.begin(), found.end());
    return found;
}

// A tab separates a menu text from its key hint.
long Tabs(const std::u16string& text) { return std::count(text.begin(), text.end(), u'\t'); }

std::string Where(const Row& row, int language) {
    return std::string(row.name) + " (id " + std::to_string(row.id) + ", language " + std::to_string(language) + ")";
}

}  // namespace

// No text is empty in any language: an id without a text is a gap, which has
// no row and for which LoadText gives an empty text.
TEST(TextTable, EveryRowHasATextInEveryLanguage) {
    for (const Row& row : kRows) {
        EXPECT_TRUE(IsStringId(row.id)) << row.name;
        for (int language = 0; language < kUiLanguageCount; ++language)
            EXPECT_FALSE(LoadText(row.id, static_cast<UiLanguage>(language)).empty()) << Where(row, language);
    }
}

TEST(TextTable, EveryLanguageTakesTheSameArguments) {
    // What the reading sees, on rows whose arguments are known.
    EXPECT_EQ(PrintfArguments(LoadText(text::PresetMenuItem, UiLanguage::English)), u"dsd");
    EXPECT_EQ(PrintfArguments(LoadText(text::ProcessedPercent, UiLanguage::English)), u"d");
    EXPECT_EQ(Tabs(LoadText(text::PresetMenuItem, UiLanguage::English)), 1);
    for (const Row& row : kRows) {
        const std::u16string& english = LoadText(row.id, UiLanguage::English);
        for (int language = 1; language < kUiLanguageCount; ++language) {
            const std::u16string& text = LoadText(row.id, static_cast<UiLanguage>(language));
            EXPECT_EQ(PrintfArguments(text), PrintfArguments(english)) << Where(row, language);
            EXPECT_EQ(QtPlaceholders(text), QtPlaceholders(english)) << Where(row, language);
            EXPECT_EQ(Tabs(text), Tabs(english)) << Where(row, language);
        }
    }
}
