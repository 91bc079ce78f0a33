#pragma once
#include <cstddef>
#include <memory>
#include <string_view>
#include <vector>

namespace quirnel {

// The texts of names added together, packed into a few large blocks instead
// of one heap block each: a list of a million rows would otherwise pay the
// allocator's header and rounding on every name. A text is never moved while
// it is held; one given up only counts as dead room, which the owner reclaims
// by copying the live texts into a fresh arena.
class NameArena {
public:
    // A copy of text that stays where it is until the arena is cleared.
    const char16_t* store(std::u16string_view text);
    void drop(size_t length) { dead_ += length; }
    size_t live() const { return stored_ - dead_; }
    size_t dead() const { return dead_; }
    void clear();
    void swap(NameArena& other) noexcept;

    static constexpr size_t kBlock = 32 * 1024 - 16;  // code units; a block stays below the allocator's own mapping

private:
    std::vector<std::unique_ptr<char16_t[]>> blocks_;  // the last one is filled; longer texts get their own before it
    size_t used_ = kBlock;                              // in the last block
    size_t stored_ = 0;
    size_t dead_ = 0;
};

}  // namespace quirnel
