#pragma once
// Cuts a fuzzer's bytes into the values a target needs. Exhausted input
// reads as zeros, so every input is a valid case.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "base/Host.h"

// A property every input must keep; a broken one is a crash for the fuzzer
// and a failure for the replay test.
#define FUZZ_CHECK(condition)                                                        \
    do {                                                                             \
        if (!(condition)) {                                                          \
            fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition); \
            abort();                                                                 \
        }                                                                            \
    } while (0)

namespace quirnel::fuzz {

class FuzzInput {
public:
    FuzzInput(const uint8_t* data, size_t size) : data_(data), size_(size) {}

    uint8_t Byte() { return pos_ < size_ ? data_[pos_++] : 0; }
    bool Flag() { return Byte() & 1; }
    // One of the values, or now and then any small number, to reach the
    // paths for values nobody offers.
    int Pick(const std::vector<int>& values) {
        uint8_t b = Byte();
        if (values.empty() || b >= 240) return static_cast<int>(b) - 248;
        return values[b % values.size()];
    }
    // A text of up to maxUnits UTF-16 units, after a length byte. A byte
    // below 0x80 is that ASCII character; up to 0xBF one of a few units the
    // rules care about (surrogates, jamo, markers of name bytes); above, the
    // next two bytes are any unit, low byte first.
    std::u16string Text(size_t maxUnits = 32) {
        size_t n = Byte() % (maxUnits + 1);
        std::u16string text;
        for (size_t i = 0; i < n && pos_ < size_; ++i) {
            uint8_t b = Byte();
            if (b < 0x80) {
                text.push_back(b);
            } else if (b < 0xC0) {
                text.push_back(kSpecial[(b - 0x80) % kSpecialCount]);
            } else {
                uint8_t lo = Byte();
                text.push_back(static_cast<char16_t>(lo | (Byte() << 8)));
            }
        }
        return text;
    }
    std::string RestBytes() {
        std::string rest(reinterpret_cast<const char*>(data_ + pos_), size_ - pos_);
        pos_ = size_;
        return rest;
    }

private:
    static constexpr char16_t kSpecial[] = {0xD83D, 0xDE00, 0xDC80, 0xDCFF, 0xD800, 0x1100, 0x1161, 0x11A8,
                                            0xAC00, 0x00E9, 0xFEFF, 0xFFFD, 0x3000, 0x00A0, 0x0000, 0x2028};
    static constexpr size_t kSpecialCount = sizeof(kSpecial) / sizeof(kSpecial[0]);
    const uint8_t* data_;
    size_t size_;
    size_t pos_ = 0;
};

// Nobody to tell: every question is answered No, which never touches the disk.
class SilentHost : public Host {
public:
    void AppendLog(const std::u16string&) override {}
    void SetStatusText(const std::u16string&) override {}
    void ShowMessageDialog(const std::u16string&, const std::u16string&) override {}
    bool askYesNo(Question, const std::u16string&) override { return false; }
};

}  // namespace quirnel::fuzz
