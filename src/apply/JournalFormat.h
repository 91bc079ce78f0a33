#pragma once
// What the journal's reader and writer share (Journal.h says the format).
#include <charconv>
#include <cstdint>
#include <string>
#include <string_view>

namespace quirnel::journal {

constexpr std::string_view kMagicV1 = "quirnel-journal\t1";
constexpr std::string_view kMagicV2 = "quirnel-journal\t2";

// Larger than any journal a run writes: a million rows take some 250 MiB
// with long paths. The whole file is held while it is read.
constexpr size_t kMaxJournalBytes = size_t(1) << 30;

// "Z <lines> <checksum>": closes a batch of a version-2 journal.
inline void AppendChecksumLine(std::string& out, size_t lines, uint32_t crc) {
    char buf[40];
    char* p = buf;
    *p++ = 'Z';
    *p++ = '\t';
    p = std::to_chars(p, buf + sizeof buf, lines).ptr;
    *p++ = '\t';
    static const char kHex[] = "0123456789abcdef";
    for (int shift = 28; shift >= 0; shift -= 4) *p++ = kHex[(crc >> shift) & 15];
    *p++ = '\n';
    out.append(buf, p);
}

// The line without its line break.
inline bool ParseChecksumLine(std::string_view line, size_t& lines, uint32_t& crc) {
    if (line.size() < 2 || line.substr(0, 2) != "Z\t") return false;
    line.remove_prefix(2);
    size_t tab = line.find('\t');
    if (tab == std::string_view::npos || line.size() - tab - 1 != 8) return false;
    auto a = std::from_chars(line.data(), line.data() + tab, lines);
    if (a.ec != std::errc() || a.ptr != line.data() + tab) return false;
    crc = 0;
    for (char c : line.substr(tab + 1)) {
        int v = c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
        if (v < 0) return false;
        crc = crc << 4 | static_cast<uint32_t>(v);
    }
    return true;
}

// Where the line that begins a batch's checksum line starts, at or after
// start; npos when there is none. A path never holds a line break.
inline size_t FindChecksumLine(std::string_view bytes, size_t start) {
    if (bytes.substr(start, 2) == "Z\t") return start;
    size_t at = bytes.find("\nZ\t", start);
    return at == std::string_view::npos ? at : at + 1;
}

}  // namespace quirnel::journal
