#include "base/TextFile.h"

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
    return ReplaceFileContent(path, bytes);
}

bool ReadTextFile(const std::u16string& path, std::u16string& text) {
    text.clear();
    std::string bytes;
    if (!ReadFileBytes(path, bytes)) return false;
    size_t n = bytes.size();
    bool bom = n >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF && static_cast<unsigned char>(bytes[1]) == 0xFE;
    if (bom) {
        for (size_t i = 2; i < n; i += 2) {
            char16_t lo = static_cast<unsigned char>(bytes[i]);
            char16_t hi = i + 1 < n ? static_cast<unsigned char>(bytes[i + 1]) : 0;
            char16_t c = static_cast<char16_t>(lo | (hi << 8));
            if (c == 0) break;
            text.push_back(c);
        }
        return true;
    }
    size_t end = bytes.find('\0');
    text = FromUtf8(std::string_view(bytes).substr(0, end == std::string::npos ? n : end));
    return true;
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
