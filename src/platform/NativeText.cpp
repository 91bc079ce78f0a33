#include "platform/NativeText.h"

#include <cstdint>

namespace quirnel {
namespace {

// Length of the valid UTF-8 sequence at p (1..4) with its code point, or 0.
int DecodeOne(const unsigned char* p, size_t left, char32_t& cp) {
    unsigned char b = p[0];
    if (b < 0x80) { cp = b; return 1; }
    int len;
    char32_t min;
    if (b >= 0xC2 && b <= 0xDF) { len = 2; cp = b & 0x1F; min = 0x80; }
    else if (b >= 0xE0 && b <= 0xEF) { len = 3; cp = b & 0x0F; min = 0x800; }
    else if (b >= 0xF0 && b <= 0xF4) { len = 4; cp = b & 0x07; min = 0x10000; }
    else return 0;
    if (left < static_cast<size_t>(len)) return 0;
    for (int i = 1; i < len; ++i) {
        if ((p[i] & 0xC0) != 0x80) return 0;
        cp = (cp << 6) | (p[i] & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
    return len;
}

void AppendUtf16(std::u16string& out, char32_t cp) {
    if (cp < 0x10000) {
        out.push_back(static_cast<char16_t>(cp));
    } else {
        cp -= 0x10000;
        out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
        out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
    }
}

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

std::u16string Decode(std::string_view bytes, bool escapeInvalid) {
    std::u16string out;
    out.reserve(bytes.size());
    auto p = reinterpret_cast<const unsigned char*>(bytes.data());
    size_t n = bytes.size(), i = 0;
    // Paths are mostly ASCII: the leading run is copied in one pass.
    while (i < n && p[i] < 0x80) ++i;
    out.resize(i);
    for (size_t k = 0; k < i; ++k) out[k] = p[k];
    while (i < n) {
        if (p[i] < 0x80) { out.push_back(p[i++]); continue; }
        char32_t cp;
        int len = DecodeOne(p + i, n - i, cp);
        if (len > 0) { AppendUtf16(out, cp); i += len; continue; }
        out.push_back(escapeInvalid ? static_cast<char16_t>(0xDC00 + p[i]) : u'\uFFFD');
        ++i;
    }
    return out;
}

// Walks UTF-16 text; lone surrogates go to onLone, the rest to AppendUtf8.
template <typename OnLone>
void Encode(std::string& out, std::u16string_view text, OnLone onLone) {
    out.reserve(out.size() + text.size() + text.size() / 2);
    for (size_t i = 0; i < text.size(); ++i) {
        char16_t c = text[i];
        if (c < 0x80) {  // a run of ASCII at once: most names are
            size_t end = i + 1;
            while (end < text.size() && text[end] < 0x80) ++end;
            size_t at = out.size();
            out.resize(at + (end - i));
            // Through plain pointers: a store through the string's own char
            // would make the compiler reload its buffer every byte.
            char* to = out.data() + at;
            const char16_t* from = text.data() + i;
            for (size_t k = 0; k < end - i; ++k) to[k] = static_cast<char>(from[k]);
            i = end - 1;
            continue;
        }
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            AppendUtf8(out, 0x10000 + ((char32_t(c) - 0xD800) << 10) + (text[i + 1] - 0xDC00));
            ++i;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            onLone(out, c);
        } else {
            AppendUtf8(out, c);
        }
    }
}

}  // namespace

std::u16string FromNative(std::string_view bytes) { return Decode(bytes, true); }
std::u16string FromUtf8(std::string_view bytes) { return Decode(bytes, false); }

void AppendNative(std::string& out, std::u16string_view text) {
    Encode(out, text, [](std::string& o, char16_t c) {
        if (c >= 0xDC80 && c <= 0xDCFF)
            o.push_back(static_cast<char>(c - 0xDC00));
        else  // a surrogate typed by a user: keep it (generalised UTF-8), never drop it
            AppendUtf8(o, c);
    });
}

void AppendUtf8Text(std::string& out, std::u16string_view text) {
    Encode(out, text, [](std::string& o, char16_t) { AppendUtf8(o, 0xFFFD); });
}

std::string ToNative(std::u16string_view text) {
    std::string out;
    AppendNative(out, text);
    return out;
}

std::string ToUtf8(std::u16string_view text) {
    std::string out;
    AppendUtf8Text(out, text);
    return out;
}

}  // namespace quirnel
