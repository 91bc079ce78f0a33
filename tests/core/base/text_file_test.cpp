#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>
#include <iterator>

#include "TestSupport.h"
#include "base/TextFile.h"

using namespace quirnel;
using quirnel::test::TempDir;

namespace {
std::string Bytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}
}  // namespace

TEST(TextFile, WritesUtf16WithMarkAndReadsItBack) {
    TempDir dir;
    std::string path = dir / "t.txt";
    ASSERT_TRUE(WriteTextFile(FromNative(path), u""));
    EXPECT_EQ(Bytes(path), std::string("\xFF\xFE"));
    ASSERT_TRUE(WriteTextFile(FromNative(path), u"Aé\r\n한"));
    EXPECT_EQ(Bytes(path), std::string("\xFF\xFE" "A\0\xE9\0\r\0\n\0\x5C\xD5", 12));
    std::u16string text;
    ASSERT_TRUE(ReadTextFile(FromNative(path), text));
    EXPECT_EQ(text, u"Aé\r\n한");
}

TEST(TextFile, ReadsByItsRules) {
    struct Case {
        const char* what;
        std::string bytes;
        std::u16string text;
    } cases[] = {
        {"empty", "", u""},
        {"mark only", "\xFF\xFE", u""},
        {"one byte utf8", "a", u"a"},
        {"two bytes utf8", "ab", u"ab"},
        {"utf16 stops at zero", std::string("\xFF\xFE" "a\0\0\0b\0", 8), u"a"},
        {"utf16 odd length", std::string("\xFF\xFE" "a\0b", 5), u"ab"},
        {"utf8 mark kept", "\xEF\xBB\xBFx", u"\uFEFFx"},
        {"utf8 malformed", "a\xFF" "b", u"a\uFFFDb"},
        {"utf8 stops at zero", std::string("ab\0cd", 5), u"ab"},
        {"big endian read as utf8", "\xFE\xFF", u"\uFFFD\uFFFD"},
    };
    TempDir dir;
    for (const auto& c : cases) {
        std::string path = dir.file("f", c.bytes);
        std::u16string text = u"stale";
        EXPECT_TRUE(ReadTextFile(FromNative(path), text)) << c.what;
        EXPECT_EQ(text, c.text) << c.what;
    }
    std::u16string text = u"stale";
    EXPECT_FALSE(ReadTextFile(FromNative(dir / "missing"), text));
    EXPECT_TRUE(text.empty());
}

TEST(TextFile, FilesBeyondTheBoundAreRefusedUnread) {
    TempDir dir;
    std::string atBound = dir.file("at", ""), beyond = dir.file("beyond", "");
    ASSERT_EQ(truncate(atBound.c_str(), kMaxTextFileBytes), 0);
    ASSERT_EQ(truncate(beyond.c_str(), kMaxTextFileBytes + 1), 0);
    std::u16string text = u"stale";
    EXPECT_EQ(ReadTextFile(FromNative(atBound), text).kind, ReadStatus::Read);
    EXPECT_EQ(ReadTextFile(FromNative(beyond), text).kind, ReadStatus::TooLarge);
    EXPECT_TRUE(text.empty());
    EXPECT_EQ(ReadTextFile(u"/dev/zero", text).kind, ReadStatus::TooLarge);
    EXPECT_EQ(ReadTextFile(FromNative(dir / "missing"), text).kind, ReadStatus::Unreadable);
}

TEST(TextFile, FailedWriteLeavesTheOldFile) {
    TempDir dir;
    std::string path = dir / "keep.ini";
    ASSERT_TRUE(WriteTextFile(FromNative(path), u"old"));
    // A folder where the temporary file would go cannot be written into.
    EXPECT_FALSE(WriteTextFile(FromNative(dir / "no/such/folder.ini"), u"x"));
    dir.folder("dir.ini");
    EXPECT_FALSE(WriteTextFile(FromNative(dir / "dir.ini"), u"x"));
    std::u16string text;
    ASSERT_TRUE(ReadTextFile(FromNative(path), text));
    EXPECT_EQ(text, u"old");
    int entries = 0;
    for (auto& e : std::filesystem::directory_iterator(dir.path())) entries += e.is_regular_file();
    EXPECT_EQ(entries, 1);  // no temporary left behind
}

TEST(TextFile, NextTokenSplitsLikeTheReaders) {
    auto split = [](const std::u16string& text, const std::u16string& delim) {
        std::vector<std::u16string> out;
        std::u16string token;
        int pos = 0;
        do {
            pos = NextToken(text, pos, token, delim);
            out.push_back(token);
        } while (pos != -1);
        return out;
    };
    using V = std::vector<std::u16string>;
    EXPECT_EQ(split(u"a\r\nb\r\n", u"\r\n"), (V{u"a", u"b", u""}));
    EXPECT_EQ(split(u"a\n\nb", u"\n"), (V{u"a", u"", u"b"}));
    EXPECT_EQ(split(u"a\nb\n", u"\n"), (V{u"a", u"b", u""}));
    EXPECT_EQ(split(u"", u"\n"), (V{u""}));
    EXPECT_EQ(split(u"one\nline", u"\r\n"), (V{u"one\nline"}));
    std::u16string token = u"x";
    EXPECT_EQ(NextToken(u"abc", 5, token, u"\n"), -1);
    EXPECT_EQ(token, u"");
}

TEST(TextFile, SplitKeyValue) {
    struct Case {
        std::u16string line, key, value;
    } cases[] = {
        {u"  FontName = Arial Black  ", u"FontName", u"Arial Black"},
        {u"Preset_Name", u"Preset_Name", u""},
        {u"a=b=c", u"a", u"b=c"},
        {u"Key=", u"Key", u""},
        {u"\tK\t=\r", u"K", u""},
        {u"", u"", u""},
    };
    for (const auto& c : cases) {
        std::u16string k, v;
        SplitKeyValue(c.line, k, v);
        EXPECT_EQ(k, c.key);
        EXPECT_EQ(v, c.value);
    }
}

#include "base/ActivityLog.h"

TEST(ActivityLog, LinesAreStampedAndTheFirstHasNoBreak) {
    setenv("TZ", "UTC", 1);
    tzset();
    EXPECT_EQ(LogLineAt(1688461531, u"Quirnel is ready."), u"[2023-07-04 09:05:31] Quirnel is ready.");
    unsetenv("TZ");
    tzset();
    std::u16string pane;
    AppendLogText(pane, u"one");
    AppendLogText(pane, u"two");
    ASSERT_EQ(pane.front(), u'[');
    EXPECT_NE(pane.find(u"] one\r\n["), std::u16string::npos);
    EXPECT_EQ(pane.substr(pane.size() - 5), u"] two");
}
