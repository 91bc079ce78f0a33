#include <gtest/gtest.h>

#include <random>

#include "platform/NativeText.h"

using namespace quirnel;

TEST(NativeText, DecodesValidUtf8AndEscapesInvalidBytes) {
    struct Case {
        std::string bytes;
        std::u16string text;
    } cases[] = {
        {"plain.txt", u"plain.txt"},
        {"\xED\x95\x9C\xEA\xB8\x80.txt", u"한글.txt"},
        {"\xF0\x9F\x98\x80", u"\U0001F600"},
        {"caf\xE9.txt", u"caf\xDCE9.txt"},              // Latin-1 byte
        {"\xC0\xAF", u"\xDCC0\xDCAF"},                    // overlong slash
        {"\xED\xA0\x80", u"\xDCED\xDCA0\xDC80"},          // encoded surrogate
        {"\xE2\x82", u"\xDCE2\xDC82"},                    // truncated sequence
        {"\xF4\x90\x80\x80", u"\xDCF4\xDC90\xDC80\xDC80"},  // above U+10FFFF
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FromNative(c.bytes), c.text) << c.bytes;
        EXPECT_EQ(ToNative(c.text), c.bytes) << c.bytes;
    }
}

TEST(NativeText, EveryByteStringRoundTrips) {
    std::mt19937 rng(7);
    for (int i = 0; i < 20000; ++i) {
        std::string bytes(rng() % 12, '\0');
        for (auto& b : bytes) b = static_cast<char>(rng() % 255 + 1);
        ASSERT_EQ(ToNative(FromNative(bytes)), bytes);
    }
}

TEST(NativeText, Utf8ForTextReplacesMalformedInput) {
    EXPECT_EQ(FromUtf8("a\xFF" "b"), u"a\uFFFDb");
    EXPECT_EQ(ToUtf8(u"a\xD800" "b"), "a\xEF\xBF\xBD" "b");
}
