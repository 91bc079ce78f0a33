#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quirnel {

class NameList;

// The hash of a full path, fed piece by piece so that a row's path (folder,
// separator, name) hashes like the same path written out.
struct PathHash {
    uint64_t state = 1469598103934665603ull;
    void add(std::u16string_view text) {
        for (char16_t c : text) {
            state ^= c;
            state *= 1099511628211ull;
        }
    }
    uint32_t value() const { return static_cast<uint32_t>(state ^ (state >> 32)); }
};

// The set of the rows' full paths: one row per path, compared code unit by
// code unit. It indexes the rows themselves (by their ids in the list, with
// each path's hash beside it), so it holds exactly the rows' current Full Path
// texts without a second copy of any path and without a node per row.
class PathSet {
public:
    explicit PathSet(const NameList& list) : list_(&list) {}
    bool contains(std::u16string_view path) const;
    size_t size() const { return size_; }

private:
    friend class NameList;
    struct Slot {
        uint32_t id;
        uint32_t hash;
    };
    static constexpr uint32_t kEmpty = 0xFFFFFFFFu;

    // Another row whose path is that of row `id` (hashed to `hash`), or kEmpty.
    uint32_t findSame(uint32_t id, uint32_t hash) const;
    void insert(uint32_t id, uint32_t hash);
    void erase(uint32_t id, uint32_t hash);
    void clear();
    // The set anew from these entries.
    void assign(const std::vector<Slot>& entries);
    size_t home(uint32_t hash) const { return (hash * 0x9E3779B97F4A7C15ull) >> shift_; }
    void grow();
    void setCapacity(size_t capacity);
    // Room for n entries without growing on the way there.
    void reserve(size_t n);
    // Brings the home slot of a hash into the cache ahead of a probe.
    void prefetch(uint32_t hash) const {
        if (!slots_.empty()) __builtin_prefetch(&slots_[home(hash)]);
    }

    const NameList* list_;
    std::vector<Slot> slots_;
    size_t size_ = 0;
    unsigned shift_ = 64;
};

}  // namespace quirnel
