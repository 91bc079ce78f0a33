#include "base/TextLines.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TestSupport.h"
#include "base/TextFile.h"

using namespace quirnel;
using quirnel::test::TempDir;

namespace {

// The lines of bytes fed in pieces of `piece` bytes (0: all at once).
std::vector<std::u16string> Lines(const std::string& bytes, LineDecoding decoding, size_t piece = 0) {
    std::vector<std::u16string> lines;
    LineReader reader(decoding, [&](std::u16string& line) {
        lines.push_back(line);
        return true;
    });
    if (piece == 0) piece = bytes.size() + 1;
    for (size_t i = 0; i < bytes.size(); i += piece)
        if (!reader.feed(std::string_view(bytes).substr(i, piece))) break;
    reader.finish();
    return lines;
}

std::u16string Joined(const std::vector<std::u16string>& lines) {
    std::u16string text;
    for (size_t i = 0; i < lines.size(); ++i) text += (i ? u"\n" : u"") + lines[i];
    return text;
}

}  // namespace

// Read as a stream, in pieces of any size, a text gives the lines that
// ReadTextFile's whole text gives.
TEST(LineReader, DecodesLikeReadTextFileInPiecesOfAnySize) {
    const std::string cases[] = {
        "",
        "\xFF\xFE",
        "a",
        "ab\ncd\r\n",
        std::string("\xFF\xFE" "a\0\n\0b\0\0\0c\0", 12),
        std::string("\xFF\xFE" "a\0\n\0b", 7),
        "\xEF\xBB\xBFx\ny",
        "a\xFF" "b\n\xE2\n",
        std::string("ab\ncd\0ef\ngh", 11),
        "\xFE\xFF",
        "\xF0\x9F\x98\x80\n\xED\xA0\x80",
    };
    TempDir dir;
    for (const std::string& bytes : cases) {
        std::u16string whole;
        ASSERT_TRUE(ReadTextFile(FromNative(dir.file("f", bytes)), whole));
        for (size_t piece : {size_t{0}, size_t{1}, size_t{3}})
            EXPECT_EQ(Joined(Lines(bytes, LineDecoding::Utf8Text, piece)), whole) << testing::PrintToString(bytes) << piece;
    }
}

// As file names, bytes that are not UTF-8 come back unchanged.
TEST(LineReader, FileNamesKeepEveryByte) {
    const std::string lines[] = {"caf\xE9.txt", "\xFF\xFE", "ok \xE2\x82", "\xC3\xA9t\xE9"};
    std::string bytes;
    for (const std::string& l : lines) bytes += l + "\n";
    std::vector<std::u16string> got = Lines(bytes, LineDecoding::FileNames, 1);
    ASSERT_EQ(got.size(), 5u);
    for (size_t i = 0; i < 4; ++i) EXPECT_EQ(ToNative(got[i]), lines[i]);
    EXPECT_TRUE(got[4].empty());
    EXPECT_EQ(Lines(std::string("\xFF\xFE" "a\0\xFF\xDC", 6), LineDecoding::FileNames), std::vector<std::u16string>{u"a\xDCFF"})
        << "UTF-16 lists are taken as they stand";
}

TEST(LineReader, OverlongLinesKeepTheirStartAndAStopEndsTheReading) {
    const size_t max = LineReader::kMaxLineUnits;
    std::string bytes = std::string(max + 5000, 'x') + "\nnext";
    for (std::string form : {std::string(), std::string("\xFF\xFE")}) {
        std::string input = form;
        for (char c : bytes) input += form.empty() ? std::string(1, c) : std::string{c, '\0'};
        std::vector<std::u16string> got = Lines(input, LineDecoding::FileNames, 4096);
        ASSERT_EQ(got.size(), 2u);
        EXPECT_EQ(got[0], std::u16string(max, u'x'));
        EXPECT_EQ(got[1], u"next");
    }
    std::vector<std::u16string> seen;
    LineReader reader(LineDecoding::Utf8Text, [&](std::u16string& line) {
        seen.push_back(line);
        return seen.size() < 2;
    });
    EXPECT_FALSE(reader.feed("a\nb\nc\nd"));
    reader.finish();
    EXPECT_EQ(seen, (std::vector<std::u16string>{u"a", u"b"}));
}

TEST(LineReader, FilesThatCannotBeReadFail) {
    TempDir dir;
    auto none = [](std::u16string&) { return true; };
    EXPECT_FALSE(ReadTextFileLines(dir.u16("missing"), LineDecoding::FileNames, none));
    EXPECT_FALSE(ReadTextFileLines(dir.u16(), LineDecoding::FileNames, none)) << "a folder";
    int lines = 0;
    EXPECT_TRUE(ReadTextFileLines(FromNative(dir.file("empty")), LineDecoding::FileNames, [&](std::u16string&) {
        ++lines;
        return true;
    }));
    EXPECT_EQ(lines, 1) << "an empty file is one empty line";
}
