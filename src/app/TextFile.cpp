#include "app/TextFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cwctype>
#include <string>

#include "platform/NativeText.h"

namespace quirnel {
namespace {

bool WriteAll(int fd, const std::string& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

bool ReadAll(const std::string& path, std::string& bytes) {
    int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    struct stat st;
    if (fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
        close(fd);
        return false;
    }
    bytes.clear();
    char buf[65536];
    ssize_t n;
    while ((n = read(fd, buf, sizeof buf)) > 0) bytes.append(buf, static_cast<size_t>(n));
    close(fd);
    return n == 0;
}

}  // namespace

bool WriteTextFile(const std::u16string& path, const std::u16string& text) {
    std::string bytes;
    bytes.reserve(2 + text.size() * 2);
    bytes.push_back('\xFF');
    bytes.push_back('\xFE');
    for (char16_t c : text) {
        bytes.push_back(static_cast<char>(c & 0xFF));
        bytes.push_back(static_cast<char>(c >> 8));
    }
    std::string target = ToNative(path);
    if (target.empty()) return false;
    std::string temp = target + ".tmp-XXXXXX";
    int fd = mkstemp(temp.data());
    if (fd < 0) return false;
    struct stat st;
    if (stat(target.c_str(), &st) == 0) fchmod(fd, st.st_mode & 07777);  // keep the old file's permissions
    else fchmod(fd, 0644);
    bool ok = WriteAll(fd, bytes) && fsync(fd) == 0;
    ok = close(fd) == 0 && ok;
    if (ok && rename(temp.c_str(), target.c_str()) == 0) return true;
    unlink(temp.c_str());
    return false;
}

bool ReadTextFile(const std::u16string& path, std::u16string& text) {
    text.clear();
    std::string bytes;
    if (!ReadAll(ToNative(path), bytes)) return false;
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

bool IsBlank(char16_t c) { return std::iswspace(static_cast<wint_t>(c)) != 0; }

std::u16string TrimBlanks(const std::u16string& text) {
    size_t b = 0, e = text.size();
    while (b < e && IsBlank(text[b])) ++b;
    while (e > b && IsBlank(text[e - 1])) --e;
    return text.substr(b, e - b);
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
