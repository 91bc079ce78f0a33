#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "apply/PathList.h"

namespace quirnel {

// An index over a list of paths, by position, in an open-addressing table
// (a million rows would otherwise cost a million node allocations). Entries
// are added in the order of the list; lookups give the position. Each slot
// keeps the upper half of its entry's hash, so that a probe reads the path
// only when the hashes agree.
class PathIndex {
public:
    PathIndex(const PathList& paths, size_t capacityFor) : paths_(paths) {
        size_t capacity = 16;
        while (capacity < capacityFor * 2) capacity <<= 1;
        slots_.assign(capacity, kEmpty);
        mask_ = capacity - 1;
    }
    static size_t hashOf(std::u16string_view text) { return std::hash<std::u16string_view>()(text); }
    static constexpr int kNone = -1;

    // The position of the first entry equal to text, or kNone.
    int find(std::u16string_view text, size_t hash) const {
        const uint64_t tag = tagOf(hash);
        for (size_t i = hash & mask_;; i = (i + 1) & mask_) {
            uint64_t slot = slots_[i];
            if (slot == kEmpty) return kNone;
            if ((slot & kTagMask) == tag && paths_.is(slot & kIndexMask, text)) return static_cast<int>(slot & kIndexMask);
        }
    }
    int find(std::u16string_view text) const { return find(text, hashOf(text)); }
    bool contains(std::u16string_view text, size_t hash) const { return find(text, hash) != kNone; }
    bool contains(std::u16string_view text) const { return find(text) != kNone; }
    // Brings the slot of a hash into the cache ahead of a lookup or an addition.
    void prefetch(size_t hash) const { __builtin_prefetch(&slots_[hash & mask_]); }

    // Indexes the next entry of the list (the first not indexed yet).
    void addNext(size_t hash) {
        size_t i = hash & mask_;
        while (slots_[i] != kEmpty) i = (i + 1) & mask_;
        slots_[i] = tagOf(hash) | next_++;
    }
    // Skips the next entry of the list: it can never be found.
    void skipNext() { ++next_; }

private:
    static constexpr uint64_t kEmpty = ~uint64_t{0};
    static constexpr uint64_t kIndexMask = 0xFFFFFFFFu;
    static constexpr uint64_t kTagMask = ~kIndexMask;
    static uint64_t tagOf(size_t hash) { return (static_cast<uint64_t>(hash) >> 32 << 32) & kTagMask; }

    const PathList& paths_;
    std::vector<uint64_t> slots_;
    size_t mask_ = 0;
    uint64_t next_ = 0;
};

}  // namespace quirnel
