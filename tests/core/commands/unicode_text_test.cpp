#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <sstream>
#include <string>

#include "ListFixture.h"
#include "TestText.h"
#include "base/CommandIds.h"
#include "commands/Replace.h"
#include "commands/UnicodeText.h"

using namespace quirnel;
using namespace quirnel::test;

namespace {

constexpr const char* kNormalizationTest = "/usr/share/unicode/NormalizationTest.txt";

// Debian's unicode-data ships the file compressed.
std::string ReadNormalizationTest() {
    std::string command;
    if (std::filesystem::exists(kNormalizationTest)) command = std::string("cat ") + kNormalizationTest;
    else if (std::filesystem::exists(std::string(kNormalizationTest) + ".bz2"))
        command = std::string("bzip2 -dc ") + kNormalizationTest + ".bz2";
    else return {};
    std::string out;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[65536];
        for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, n);
        pclose(pipe);
    }
    return out;
}

// One column of a test line: code points in hex, separated by spaces.
std::u16string CodePoints(const std::string& field) {
    std::u16string out;
    std::istringstream in(field);
    for (std::string hex; in >> hex;) {
        char32_t c = static_cast<char32_t>(std::stoul(hex, nullptr, 16));
        if (c < 0x10000) {
            out.push_back(static_cast<char16_t>(c));
        } else {
            out.push_back(static_cast<char16_t>(0xD7C0 + (c >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 | (c & 0x3FF)));
        }
    }
    return out;
}

bool IsHangulOrLatin(char16_t c) {
    return (c >= 0x1100 && c <= 0x11FF) || (c >= 0x3130 && c <= 0x318F) || (c >= 0xAC00 && c <= 0xD7A3) ||
           (c >= 0x0041 && c <= 0x024F) || (c >= 0x1E00 && c <= 0x1EFF);
}

}  // namespace

// Columns c1..c5: NFC(c1..c3) = c2 and NFD(c1..c3) = c3; NFC(c4, c5) = c4, NFD(c4, c5) = c5.
TEST(UnicodeTextTest, NormalFormsMatchUnicodesTestLinesForHangulAndLatin) {
    const std::string file = ReadNormalizationTest();
    if (file.empty()) GTEST_SKIP() << kNormalizationTest << "(.bz2) is missing: install unicode-data (make deps)";
    std::istringstream lines(file);
    int checked = 0;
    for (std::string line; std::getline(lines, line);) {
        if (line.empty() || line[0] == '#' || line[0] == '@') continue;
        std::u16string c[5];
        std::istringstream fields(line);
        for (int i = 0; i < 5; ++i) {
            std::string f;
            std::getline(fields, f, ';');
            c[i] = CodePoints(f);
        }
        if (c[0].empty() || !IsHangulOrLatin(c[0][0])) continue;
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(Normalized(c[i], NormalForm::Composed), c[1]) << line;
            EXPECT_EQ(Normalized(c[i], NormalForm::Decomposed), c[2]) << line;
        }
        for (int i = 3; i < 5; ++i) {
            EXPECT_EQ(Normalized(c[i], NormalForm::Composed), c[3]) << line;
            EXPECT_EQ(Normalized(c[i], NormalForm::Decomposed), c[4]) << line;
        }
        ++checked;
    }
    EXPECT_GT(checked, 10000) << "the Hangul syllables alone are 11,172 lines";
}

TEST(UnicodeTextTest, ReplaceSubCommandsOnNames) {
    struct Case {
        std::u16string name;
        int subCommand;
        std::u16string expected;
    } cases[] = {
        {u"e\u0301cole.txt", sub::ComposeLetters, u"\u00E9cole.txt"},
        {u"\u1112\u1161\u11AB\u1100\u1173\u11AF.txt", sub::ComposeLetters, u"\uD55C\uAE00.txt"},
        {u"\u00E9cole.txt", sub::DecomposeLetters, u"e\u0301cole.txt"},
        {u"\uD55C.txt", sub::DecomposeLetters, u"\u1112\u1161\u11AB.txt"},
        {u"\u03AC.txt", sub::DecomposeLetters, u"\u03B1\u0301.txt"},  // every script, not only Korean and Latin
        {u"e\u0301cole.txt", sub::ComposeHangulText, u"e\u0301cole.txt"},  // 143 stays Hangul only
        {u"\uD55C\uAE00 \uD30C\uC77C.txt", sub::KoreanToLatin, u"hangeul pail.txt"},
        {u"\uC11C\uC6B8 2024.jpg", sub::KoreanToLatin, u"seoul 2024.jpg"},
        {u"\uAC19\uC774.txt", sub::KoreanToLatin, u"gat-i.txt"},  // a hyphen where letters would run together
        {u"photo \uC0AC\uC9C4.jpg", sub::KoreanToLatin, u"photo sajin.jpg"},
        {u"Stra\u00DFe \u00C6r\u00F8 caf\u00E9.txt", sub::LatinWithoutAccents, u"Strasse AEro cafe.txt"},
        {u"cafe\u0301 \u0141\u00F3d\u017A.txt", sub::LatinWithoutAccents, u"cafe Lodz.txt"},
        {u"\u00ABx\u00BB \uD55C\uAE00 \u03A9\u03BC\u03AD\u03B3\u03B1.txt", sub::LatinWithoutAccents,
         u"\u00ABx\u00BB \uD55C\uAE00 \u03A9\u03BC\u03AD\u03B3\u03B1.txt"},  // other scripts and symbols stay
    };
    for (const Case& c : cases) {
        auto list = OneFile(c.name);
        ReplaceNames(*list, c.subCommand, u"", u"", ReplaceSubject::NamePart);
        EXPECT_EQ(list->newName(0), c.expected) << Utf8(c.name) << " sub " << c.subCommand;
    }
}
