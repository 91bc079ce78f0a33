#include "base/TextFile.h"

#include <algorithm>
#include <cerrno>
#include <string>

#include "base/TextHelpers.h"
#include "platform/FileContent.h"
#include "platform/NativeText.h"

namespace quirnel {

bool WriteTextFile(const std::u16string& path, const std::u16string& text) {
    std::string bytes;
    bytes.reserve(2 + text.size() * 2);
    bytes.push_back('\xFF');
    bytes.push_back('\xFE');
    for (char16_t c : text) {
        bytes.push_back(static_cast<char>(c & 0xFF));
        bytes.push_back(static_cast<char>(c >> 8));
    }
    return ReplaceFileContent(path, bytes).ok();
}

ReadStatus ReadTextFile(const std::u16string& path, std::u16string& text) {
    text.clear();
    std::string bytes;
    if (Result read = ReadFileBytes(path, bytes, kMaxTextFileBytes); !read)
        return {read.error == EFBIG ? ReadStatus::TooLarge : ReadStatus::Unreadable};
    text = DecodeTextFile(bytes);
    return {};
}

std::u16string DecodeTextFile(std::string_view bytes) {
    if (HasUtf16Bom(bytes)) {
        std::u16string text = Utf16LeAfterBom(bytes);
        text.resize(std::min(text.find(u'\0'), text.size()));
        return text;
    }
    return FromUtf8(bytes.substr(0, std::min(bytes.find('\0'), bytes.size())));
}

bool HasUtf16Bom(std::string_view bytes) {
    return bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
           static_cast<unsigned char>(bytes[1]) == 0xFE;
}

std::u16string Utf16LeAfterBom(std::string_view bytes) {
    std::u16string text;
    text.reserve(bytes.size() / 2);
    for (size_t i = 2; i < bytes.size(); i += 2) {
        char16_t lo = static_cast<unsigned char>(bytes[i]);
        char16_t hi = i + 1 < bytes.size() ? static_cast<unsigned char>(bytes[i + 1]) : 0;
        text.push_back(static_cast<char16_t>(lo | (hi << 8)));
    }
    return text;
}

int NextToken(const std::u16string& text, int start, std::u16string& token, const std::u16string& delimiter) {
    token.clear();
    if (text.empty()) return -1;
    int len = static_cast<int>(text.size());
    size_t found = std::u16string::npos;
    bool searchable = delimiter.size() == 1 ? (start >= 0 && start < len) : (start >= 0 && start <= len);
    if (searchable && !delimiter.empty()) found = text.find(delimiter, static_cast<size_t>(start));
    if (found != std::u16string::npos) {
        token = text.substr(static_cast<size_t>(start), found - static_cast<size_t>(start));
        return static_cast<int>(found + delimiter.size());
    }
    if (start >= 0 && start < len) token = text.substr(static_cast<size_t>(start));
    return -1;
}

void SplitKeyValue(const std::u16string& line, std::u16string& key, std::u16string& value) {
    size_t eq = line.find(u'=');
    if (!line.empty() && eq != std::u16string::npos) {
        key = TrimBlanks(line.substr(0, eq));
        value = TrimBlanks(line.substr(eq + 1));
    } else {
        key = TrimBlanks(line);
        value.clear();
    }
}

}  // namespace quirnel
