#pragma once
#include <string>
#include <string_view>

#include "platform/FileContent.h"

namespace quirnel {

// Writes UTF-16LE with a byte-order mark. The text goes to a temporary file
// beside the target that is then renamed over it, so a failed write leaves
// the old file as it was.
[[nodiscard]] bool WriteTextFile(const std::u16string& path, const std::u16string& text);

// The files read whole (configuration, preset groups) are small; a larger
// one is a wrong file and is refused unread.
constexpr size_t kMaxTextFileBytes = size_t{16} << 20;

// How reading one of the program's own files ended; true only when the
// content was read.
struct ReadStatus {
    enum Kind { Read, Unreadable, TooLarge } kind = Read;
    explicit operator bool() const { return kind == Read; }
};

// UTF-16LE after FF FE, otherwise UTF-8 (malformed bytes become U+FFFD).
// Reading stops at the first 0 code unit. Fails with an empty text when the
// file cannot be opened or is larger than kMaxTextFileBytes.
[[nodiscard]] ReadStatus ReadTextFile(const std::u16string& path, std::u16string& text);

// The text of a file's bytes, decoded as ReadTextFile decodes them.
std::u16string DecodeTextFile(std::string_view bytes);

// True when bytes start with the UTF-16LE byte-order mark FF FE.
bool HasUtf16Bom(std::string_view bytes);
// The UTF-16LE code units after that mark; an odd last byte is the low byte
// of a final unit.
std::u16string Utf16LeAfterBom(std::string_view bytes);

// Next token of text from start up to delimiter; returns the position after
// the delimiter, or -1 when this was the last token.
int NextToken(const std::u16string& text, int start, std::u16string& token, const std::u16string& delimiter);

// Key before the first "=", value after it, both trimmed of white space.
void SplitKeyValue(const std::u16string& line, std::u16string& key, std::u16string& value);

}  // namespace quirnel
