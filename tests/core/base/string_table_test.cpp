#include "base/StringTable.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace quirnel;

namespace {

constexpr int kLastId = 222;

std::string Narrow(const std::u16string& text) {
    std::string out;
    for (char16_t c : text) {
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else {
            out += "\\u" + std::to_string(static_cast<unsigned>(c));
        }
    }
    return out;
}

// Everything FormatText or a menu reads: "%x" pairs and the key-hint tab.
std::vector<std::u16string> Placeholders(const std::u16string& text) {
    std::vector<std::u16string> found;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == u'\t') {
            found.push_back(u"\t");
        } else if (text[i] == u'%' && i + 1 < text.size()) {
            found.push_back(text.substr(i, 2));
            ++i;
        }
    }
    return found;
}

// Restores the process-wide language so test order does not matter.
class StringTableLanguage : public ::testing::Test {
protected:
    void SetUp() override { saved_ = CurrentUiLanguage(); }
    void TearDown() override { SetUiLanguage(saved_); }

private:
    UiLanguage saved_ = UiLanguage::English;
};

}  // namespace

TEST(StringTable, EnglishTextsAreVerbatim) {
    const struct {
        int id;
        std::u16string text;
    } cases[] = {
        {1, u"Apply Change"},
        {35, u"Drag & Drop or use \"File\" menu to add files"},
        {41, u"Remove from [Positon1] to [Position2]"},
        {55, u" Total : %d / Processed : %d / Changed : %d"},
        {71, u"Export new news as a file"},
        {88, u"Processed : %d %%"},
        {94, u"Apply Preset %d : %s\tF%d"},
        {95, u"(No Name)"},
        {100, u"A file name cannot include \\ / | < > : \" ? *"},
        {105, u" YES: Add a folder itself / NO : Add files in a folder"},
        {106, u"Flip left and right of a pivot string (ex: a#b\u2192b#a)"},
        {122, u"Parent folder level "},
        {145, u"You shoud exit and restart Quirnel to apply the changed language setting. "
              u"Do you want to exit now?"},
        {150, u"Quirnel is ready."},
        {151, u"Added %d item(s) to the list."},
        {186, u"Delete if an old path is different from its new path"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Narrow(LoadText(c.id, UiLanguage::English)), Narrow(c.text)) << "id " << c.id;
    }
}

TEST(StringTable, KoreanCommandCaptions) {
    const std::u16string captions[] = {
        u"실제로 적용", u"문자열 교체", u"앞에 추가",   u"뒤에 추가",   u"전체 지우기",
        u"선택 지우기", u"숫자 남기기", u"숫자 지우기", u"자릿수 맞춤", u"번호 붙이기",
        u"이름 되돌림", u"목록 비우기", u"목록 정렬",   u"직접 수정",   u"위로 이동",
        u"아래로 이동", u"폴더 변경",   u"확장자 삭제", u"확장자 추가", u"확장자 변경",
    };
    for (int id = 1; id <= 20; ++id) {
        EXPECT_EQ(Narrow(LoadText(id, UiLanguage::Korean)), Narrow(captions[id - 1])) << "id " << id;
    }
}

TEST(StringTable, UsedIdsHaveBothTextsAndGapsHaveNone) {
    int used = 0;
    for (int id = -1; id <= kLastId + 5; ++id) {
        const std::u16string& english = LoadText(id, UiLanguage::English);
        const std::u16string& korean = LoadText(id, UiLanguage::Korean);
        if (IsStringId(id)) {
            ++used;
            EXPECT_TRUE(id >= 1 && id <= kLastId) << "id " << id;
            EXPECT_FALSE(english.empty()) << "id " << id;
            EXPECT_FALSE(korean.empty()) << "id " << id;
            EXPECT_NE(english, korean) << "id " << id;
        } else {
            EXPECT_TRUE(english.empty()) << "id " << id;
            EXPECT_TRUE(korean.empty()) << "id " << id;
        }
    }
    EXPECT_EQ(used, 197);
    for (int gap : {155, 156, 158, 159, 160, 165, 169, 171, 179, 188, 200}) EXPECT_FALSE(IsStringId(gap)) << gap;
    for (int id : {154, 157, 161, 164, 170, 172, 178, 180}) EXPECT_TRUE(IsStringId(id)) << id;
}

TEST(StringTable, BothLanguagesTakeTheSameArguments) {
    for (int id = 1; id <= kLastId; ++id) {
        const std::u16string& english = LoadText(id, UiLanguage::English);
        const std::u16string& korean = LoadText(id, UiLanguage::Korean);
        EXPECT_EQ(Placeholders(english), Placeholders(korean)) << "id " << id;
        // Texts that are appended to others rely on their edge spaces.
        EXPECT_EQ(english.front() == u' ', korean.front() == u' ') << "id " << id;
        EXPECT_EQ(english.back() == u' ', korean.back() == u' ') << "id " << id;
    }
    EXPECT_EQ(Placeholders(LoadText(178, UiLanguage::Korean)),
              (std::vector<std::u16string>{u"%Y", u"%m", u"%d", u"%H", u"%M", u"%S", u"%A"}));
}

TEST(StringTable, KoreanKeepsLiteralsThatMustStayUsable) {
    const struct {
        int id;
        std::u16string literal;
    } cases[] = {
        {100, u"\\ / | < > : \" ? *"}, {106, u"a#b\u2192b#a"}, {61, u"(*, ?)"},
        {125, u"* = "},                {145, u"Quirnel"},      {150, u"Quirnel"},
    };
    for (const auto& c : cases) {
        EXPECT_NE(LoadText(c.id, UiLanguage::Korean).find(c.literal), std::u16string::npos) << "id " << c.id;
    }
}

TEST_F(StringTableLanguage, LoadTextFollowsTheChosenLanguage) {
    SetUiLanguage(UiLanguage::Korean);
    EXPECT_EQ(CurrentUiLanguage(), UiLanguage::Korean);
    EXPECT_EQ(Narrow(LoadText(2)), Narrow(u"문자열 교체"));
    EXPECT_EQ(&LoadText(95), &LoadText(95, UiLanguage::Korean));

    SetUiLanguage(UiLanguage::English);
    EXPECT_EQ(CurrentUiLanguage(), UiLanguage::English);
    EXPECT_EQ(Narrow(LoadText(2)), "Replace");
    EXPECT_TRUE(LoadText(0).empty());
    EXPECT_TRUE(LoadText(1000).empty());
}

TEST(FormatText, FillsPlaceholdersInOrder) {
    const struct {
        const char* name;
        std::u16string actual;
        std::u16string expected;
    } cases[] = {
        {"integer", FormatText(u"Number of items : %d", {42}), u"Number of items : 42"},
        {"negative and large", FormatText(u"%d %d", {-7, 9000000000LL}), u"-7 9000000000"},
        {"text", FormatText(u"Preset %d : %s", {3, u"Photos"}), u"Preset 3 : Photos"},
        {"percent sign", FormatText(u"Processed : %d %%", {50}), u"Processed : 50 %"},
        {"percent sign takes no argument", FormatText(u"%%d %d", {5}), u"%d 5"},
        {"tab and repeated number", FormatText(u"Apply Preset %d : %s\tF%d", {2, u"", 2}),
         u"Apply Preset 2 : \tF2"},
        {"missing arguments stay", FormatText(u" Total : %d / Processed : %d / Changed : %d", {10}),
         u" Total : 10 / Processed : %d / Changed : %d"},
        {"no arguments", FormatText(u"Preset %d : %s", {}), u"Preset %d : %s"},
        {"integer for text", FormatText(u"%s items", {7}), u"7 items"},
        {"text for integer", FormatText(u"%d ms", {u"many"}), u"many ms"},
        {"argument is not re-read", FormatText(u"%s and %d", {u"%d", 1}), u"%d and 1"},
        {"other codes left alone", FormatText(u"%Y-%m-%d", {1}), u"%Y-%m-1"},
        {"lone percent at end", FormatText(u"100%", {1}), u"100%"},
        {"extra arguments ignored", FormatText(u"%d", {1, 2}), u"1"},
        {"non-ASCII text", FormatText(u"목록에 항목 %d개", {3}), u"목록에 항목 3개"},
    };
    for (const auto& c : cases) EXPECT_EQ(Narrow(c.actual), Narrow(c.expected)) << c.name;
}
