#include "metadata/PackedFields.h"

#include <functional>
#include <string_view>

namespace quirnel {
namespace {

// One bit a field, in the order the words follow the mask.
enum Bit : uint32_t {
    kTaken, kOffset, kMake, kModel, kLens, kWidth, kHeight, kIso, kArtist, kAlbumArtist,
    kAlbum, kTitle, kGenre, kTrack, kDisc, kYear, kDuration, kError, kBits
};

// m is a MediaFields, const or not.
template <typename F, typename M>
void EachText(F&& f, M& m) {
    f(kMake, m.make), f(kModel, m.model), f(kLens, m.lens), f(kArtist, m.artist), f(kAlbumArtist, m.albumArtist),
        f(kAlbum, m.album), f(kTitle, m.title), f(kGenre, m.genre), f(kError, m.error);
}
template <typename F, typename M>
void EachNumber(F&& f, M& m) {
    f(kWidth, m.width), f(kHeight, m.height), f(kIso, m.iso), f(kTrack, m.track), f(kDisc, m.disc), f(kYear, m.year),
        f(kDuration, m.durationSeconds);
}

size_t HashOf(std::u16string_view t) { return std::hash<std::u16string_view>{}(t); }

}  // namespace

uint32_t PackedFields::pack(const MediaFields& m) {
    uint32_t mask = 0;
    uint32_t value[kBits] = {};
    EachText([&](Bit b, const std::u16string& t) { if (!t.empty()) mask |= 1u << b, value[b] = intern(t); }, m);
    EachNumber([&](Bit b, const std::optional<uint32_t>& n) { if (n) mask |= 1u << b, value[b] = *n; }, m);
    const uint32_t record = static_cast<uint32_t>(words_.size());
    words_.push_back(0);
    for (uint32_t b = 0; b < kBits; ++b) {
        if (b == kTaken && m.taken) {
            mask |= 1u << kTaken;
            const auto wall = static_cast<uint64_t>(m.taken->wallSeconds);
            words_.push_back(static_cast<uint32_t>(wall));
            words_.push_back(static_cast<uint32_t>(wall >> 32));
        } else if (b == kOffset && m.taken && m.taken->offsetMinutes) {
            mask |= 1u << kOffset;
            words_.push_back(static_cast<uint32_t>(*m.taken->offsetMinutes));
        } else if (b > kOffset && (mask & (1u << b))) {
            words_.push_back(value[b]);
        }
    }
    words_[record] = mask;
    return record;
}

MediaFields PackedFields::unpack(uint32_t record) const {
    MediaFields m;
    const uint32_t mask = words_[record];
    uint32_t value[kBits] = {};
    size_t at = record + 1;
    if (mask & (1u << kTaken)) {
        const uint64_t wall = words_[at] | uint64_t{words_[at + 1]} << 32;
        at += 2;
        m.taken = TakenTime{static_cast<int64_t>(wall), std::nullopt};
        if (mask & (1u << kOffset)) m.taken->offsetMinutes = static_cast<int32_t>(words_[at++]);
    }
    for (uint32_t b = kOffset + 1; b < kBits; ++b)
        if (mask & (1u << b)) value[b] = words_[at++];
    EachText([&](Bit b, std::u16string& t) { if (mask & (1u << b)) t = text(value[b]); }, m);
    EachNumber([&](Bit b, std::optional<uint32_t>& n) { if (mask & (1u << b)) n = value[b]; }, m);
    return m;
}

std::u16string_view PackedFields::text(uint32_t id) const {
    return std::u16string_view(chars_).substr(starts_[id], starts_[id + 1] - starts_[id]);
}

void PackedFields::growTable() {
    std::vector<uint32_t> old = std::move(table_);
    table_.assign(old.empty() ? 64 : old.size() * 2, 0);
    const size_t mask = table_.size() - 1;
    for (uint32_t slot : old) {
        if (slot == 0) continue;
        size_t i = HashOf(text(slot - 1)) & mask;
        while (table_[i] != 0) i = (i + 1) & mask;
        table_[i] = slot;
    }
}

uint32_t PackedFields::intern(const std::u16string& t) {
    const size_t count = starts_.size() - 1;
    if ((count + 1) * 2 > table_.size()) growTable();
    const size_t mask = table_.size() - 1;
    size_t i = HashOf(t) & mask;
    for (; table_[i] != 0; i = (i + 1) & mask)
        if (text(table_[i] - 1) == t) return table_[i] - 1;
    chars_ += t;
    starts_.push_back(static_cast<uint32_t>(chars_.size()));
    table_[i] = static_cast<uint32_t>(count + 1);
    return static_cast<uint32_t>(count);
}

void PackedFields::shrink() {
    words_.shrink_to_fit();
    chars_.shrink_to_fit();
    starts_.shrink_to_fit();
}

size_t PackedFields::bytes() const {
    return words_.capacity() * 4 + chars_.capacity() * 2 + starts_.capacity() * 4 + table_.capacity() * 4;
}

}  // namespace quirnel
