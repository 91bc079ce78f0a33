#pragma once
// Journals written by hand for tests: version-2 batches sealed with their
// checksum lines, and the batches of a journal a run wrote.
#include <algorithm>
#include <string>
#include <vector>

#include "apply/JournalChecksum.h"
#include "apply/JournalFormat.h"

namespace quirnel::test {

inline std::string Sealed(const std::vector<std::string>& batches) {
    std::string out;
    uint32_t chain = 0;
    for (const std::string& b : batches) {
        out += b;
        chain = Crc32c(chain, b);
        journal::AppendChecksumLine(out, static_cast<size_t>(std::count(b.begin(), b.end(), '\n')), chain);
    }
    return out;
}

// Without their checksum lines; what follows the last one is left out.
inline std::vector<std::string> Batches(const std::string& text) {
    std::vector<std::string> out(1);
    for (size_t at = 0, nl; (nl = text.find('\n', at)) != std::string::npos; at = nl + 1) {
        if (text.compare(at, 2, "Z\t") == 0) out.emplace_back();
        else out.back() += text.substr(at, nl - at + 1);
    }
    out.pop_back();
    return out;
}

// The same journal as version 1 wrote it, without checksums: what a test
// edits by hand stays readable.
inline std::string AsVersionOne(std::string text) {
    const std::string v2 = "quirnel-journal\t2\n";
    if (text.compare(0, v2.size(), v2) == 0) text.replace(0, v2.size(), "quirnel-journal\t1\n");
    std::string out;
    for (size_t at = 0, nl; (nl = text.find('\n', at)) != std::string::npos; at = nl + 1)
        if (text.compare(at, 2, "Z\t") != 0) out += text.substr(at, nl - at + 1);
    return out;
}

}  // namespace quirnel::test
