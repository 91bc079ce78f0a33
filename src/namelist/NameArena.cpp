#include "namelist/NameArena.h"

#include <algorithm>
#include <utility>

namespace quirnel {

const char16_t* NameArena::store(std::u16string_view text) {
    if (text.empty()) return nullptr;
    stored_ += text.size();
    if (text.size() > kBlock / 4) {
        // A long text would leave most of a block unused: it gets one of its
        // own, placed before the block being filled.
        auto own = std::make_unique<char16_t[]>(text.size());
        std::copy(text.begin(), text.end(), own.get());
        blocks_.insert(blocks_.empty() ? blocks_.end() : blocks_.end() - 1, std::move(own));
        return (blocks_.size() == 1 ? blocks_.back() : blocks_[blocks_.size() - 2]).get();
    }
    if (kBlock - used_ < text.size()) {
        blocks_.push_back(std::make_unique_for_overwrite<char16_t[]>(kBlock));
        used_ = 0;
    }
    char16_t* at = blocks_.back().get() + used_;
    std::copy(text.begin(), text.end(), at);
    used_ += text.size();
    return at;
}

void NameArena::clear() {
    std::vector<std::unique_ptr<char16_t[]>>().swap(blocks_);
    used_ = kBlock;
    stored_ = dead_ = 0;
}

void NameArena::swap(NameArena& other) noexcept {
    blocks_.swap(other.blocks_);
    std::swap(used_, other.used_);
    std::swap(stored_, other.stored_);
    std::swap(dead_, other.dead_);
}

}  // namespace quirnel
