#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace quirnel {

// An index over a vector of paths, by position, in an open-addressing table
// (a million rows would otherwise cost a million node allocations). Entries
// are added in the order of the vector; lookups give the position.
class PathIndex {
public:
    PathIndex(const std::vector<std::u16string>& paths, size_t capacityFor) : paths_(paths) {
        size_t capacity = 16;
        while (capacity < capacityFor * 2) capacity <<= 1;
        slots_.assign(capacity, kEmpty);
        mask_ = capacity - 1;
        hashes_.reserve(capacityFor);
    }
    static size_t Hash(std::u16string_view text) { return std::hash<std::u16string_view>()(text); }
    static constexpr int kNone = -1;

    // The position of the first entry equal to text, or kNone.
    int find(std::u16string_view text, size_t hash) const {
        for (size_t i = hash & mask_;; i = (i + 1) & mask_) {
            uint32_t k = slots_[i];
            if (k == kEmpty) return kNone;
            if (hashes_[k] == hash && paths_[k] == text) return static_cast<int>(k);
        }
    }
    int find(std::u16string_view text) const { return find(text, Hash(text)); }
    bool contains(std::u16string_view text, size_t hash) const { return find(text, hash) != kNone; }
    bool contains(std::u16string_view text) const { return find(text) != kNone; }

    // Indexes the next entry of the vector (the first not indexed yet).
    void addNext(size_t hash) {
        uint32_t k = static_cast<uint32_t>(hashes_.size());
        hashes_.push_back(hash);
        size_t i = hash & mask_;
        while (slots_[i] != kEmpty) i = (i + 1) & mask_;
        slots_[i] = k;
    }
    // Skips the next entry of the vector: it can never be found.
    void skipNext() { hashes_.push_back(0); }

private:
    static constexpr uint32_t kEmpty = 0xFFFFFFFFu;
    const std::vector<std::u16string>& paths_;
    std::vector<uint32_t> slots_;
    std::vector<size_t> hashes_;
    size_t mask_ = 0;
};

}  // namespace quirnel
