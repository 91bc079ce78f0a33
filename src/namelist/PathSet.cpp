#include "namelist/PathSet.h"

namespace quirnel {

void PathSet::insert(uint32_t id, uint32_t hash) {
    if ((size_ + 1) * 2 > slots_.size()) grow();
    const size_t mask = slots_.size() - 1;
    size_t i = home(hash);
    while (slots_[i].id != kEmpty) i = (i + 1) & mask;
    slots_[i] = {id, hash};
    ++size_;
}

// Deletion shifts later members of the probe run back, so no tombstones build up.
void PathSet::erase(uint32_t id, uint32_t hash) {
    if (size_ == 0) return;
    const size_t mask = slots_.size() - 1;
    size_t i = home(hash);
    for (; slots_[i].id != id; i = (i + 1) & mask)
        if (slots_[i].id == kEmpty) return;
    for (size_t j = (i + 1) & mask; slots_[j].id != kEmpty; j = (j + 1) & mask) {
        size_t k = home(slots_[j].hash);
        // Slot j may fill the hole at i unless its home lies cyclically in (i, j].
        bool staysPut = i <= j ? (i < k && k <= j) : (i < k || k <= j);
        if (!staysPut) {
            slots_[i] = slots_[j];
            i = j;
        }
    }
    slots_[i].id = kEmpty;
    --size_;
}

void PathSet::clear() {
    std::vector<Slot>().swap(slots_);
    size_ = 0;
    shift_ = 64;
}

void PathSet::setCapacity(size_t capacity) {
    slots_.assign(capacity, Slot{kEmpty, 0});
    shift_ = 64;
    for (size_t c = capacity; c > 1; c >>= 1) --shift_;
    size_ = 0;
}

void PathSet::grow() { reserve(slots_.empty() ? 8 : slots_.size()); }

// Each doubling would insert every entry again, at random places of a table
// far larger than the caches.
void PathSet::reserve(size_t n) {
    if (n * 2 <= slots_.size()) return;
    size_t capacity = slots_.empty() ? 16 : slots_.size() * 2;
    while (capacity < n * 2) capacity <<= 1;
    std::vector<Slot> old;
    old.swap(slots_);
    setCapacity(capacity);
    for (const Slot& s : old)
        if (s.id != kEmpty) insert(s.id, s.hash);
}

// The entries go in in the order of the slots they aim at (partitioned by the
// top bits of their home), so the table is written front to back instead of
// at random.
void PathSet::assign(const std::vector<Slot>& entries) {
    size_t capacity = 16;
    while (capacity < entries.size() * 2) capacity <<= 1;
    setCapacity(capacity);
    constexpr unsigned kPartBits = 8;
    const unsigned tableBits = 64 - shift_;
    const unsigned drop = tableBits > kPartBits ? tableBits - kPartBits : 0;
    std::vector<uint32_t> start((size_t{1} << kPartBits) + 1, 0);
    for (const Slot& e : entries) ++start[(home(e.hash) >> drop) + 1];
    for (size_t k = 1; k < start.size(); ++k) start[k] += start[k - 1];
    std::vector<Slot> ordered(entries.size());
    for (const Slot& e : entries) ordered[start[home(e.hash) >> drop]++] = e;
    for (const Slot& e : ordered) insert(e.id, e.hash);
}

}  // namespace quirnel
