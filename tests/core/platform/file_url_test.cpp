#include "platform/FileUrl.h"

#include <gtest/gtest.h>

#include "platform/NativeText.h"

using namespace quirnel;

namespace {

TEST(PathOfFileUrl, DecodesTheNamesBytes) {
    struct Case {
        std::u16string url;
        std::optional<std::string> bytes;
    };
    const Case cases[] = {
        {u"file:///home/me/a%20b.txt", "/home/me/a b.txt"},
        {u"FILE:///tmp/x", "/tmp/x"},
        {u"file://localhost/tmp/x", "/tmp/x"},
        {u"file:///tmp/%ED%95%9C.txt", "/tmp/\xED\x95\x9C.txt"},  // UTF-8 encoded
        {u"file:///tmp/caf%E9", "/tmp/caf\xE9"},                 // Latin-1 byte, not UTF-8
        {u"file:///tmp/한 x", "/tmp/\xED\x95\x9C x"},             // unencoded characters
        {u"file:///tmp/100%", "/tmp/100%"},                       // a lone percent stays
        {u"file:///tmp/%2", "/tmp/%2"},
        {u"file://otherhost/tmp/x", std::nullopt},
        {u"http://host/x", std::nullopt},
        {u"/tmp/x", std::nullopt},
        {u"file:", std::nullopt},
    };
    for (const Case& c : cases) {
        auto path = PathOfFileUrl(c.url);
        ASSERT_EQ(path.has_value(), c.bytes.has_value()) << ToUtf8(c.url);
        if (path) {
            EXPECT_EQ(ToNative(*path), *c.bytes) << ToUtf8(c.url);
        }
    }
}

}  // namespace
