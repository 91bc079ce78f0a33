#include "platform/FileUrl.h"

#include "platform/NativeText.h"

namespace quirnel {
namespace {

int HexValue(char16_t c) {
    if (c >= u'0' && c <= u'9') return c - u'0';
    if (c >= u'a' && c <= u'f') return c - u'a' + 10;
    if (c >= u'A' && c <= u'F') return c - u'A' + 10;
    return -1;
}

bool StartsWithIgnoringCase(std::u16string_view text, std::u16string_view prefix) {
    if (text.size() < prefix.size()) return false;
    for (size_t i = 0; i < prefix.size(); ++i) {
        char16_t c = text[i];
        if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c + 32);
        if (c != prefix[i]) return false;
    }
    return true;
}

}  // namespace

std::optional<std::u16string> PathOfFileUrl(std::u16string_view url) {
    if (!StartsWithIgnoringCase(url, u"file://")) return std::nullopt;
    std::u16string_view rest = url.substr(7);
    if (StartsWithIgnoringCase(rest, u"localhost/")) rest.remove_prefix(9);
    if (rest.empty() || rest[0] != u'/') return std::nullopt;
    std::string bytes;
    for (size_t i = 0; i < rest.size(); ++i) {
        if (rest[i] == u'%' && i + 2 < rest.size() && HexValue(rest[i + 1]) >= 0 && HexValue(rest[i + 2]) >= 0) {
            bytes.push_back(static_cast<char>(HexValue(rest[i + 1]) * 16 + HexValue(rest[i + 2])));
            i += 2;
        } else {
            // A URL may carry a character unencoded; it stands for its UTF-8 bytes.
            size_t n = rest[i] >= 0xD800 && rest[i] < 0xDC00 && i + 1 < rest.size() ? 2 : 1;
            bytes += ToNative(rest.substr(i, n));
            i += n - 1;
        }
    }
    return FromNative(bytes);
}

}  // namespace quirnel
