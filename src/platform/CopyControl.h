#pragma once
#include <atomic>
#include <cstdint>
#include <functional>
#include <string>

#include "platform/EntryIds.h"
#include "platform/Result.h"

namespace quirnel {

using CopyProgress = std::function<void(uint64_t copied, uint64_t total)>;

// What a copy (or a move that has to copy) is given beside its paths.
struct CopyControl {
    CopyControl() = default;
    // A stop flag alone is what most callers give.
    CopyControl(const std::atomic<int>* stop) : cancel(stop) {}  // NOLINT(google-explicit-constructor)

    const std::atomic<int>* cancel = nullptr;  // the copy ends with ECANCELED once *cancel is non-zero
    CopyProgress progress;                     // (copied, total) after every chunk of a file
    // Called with its path when a temporary that an interrupted earlier run
    // left at this target's place has been removed.
    std::function<void(const std::u16string&)> leftoverRemoved;
    // Called with the identity of a file's copy once its data is complete
    // (on the disk, for a move), before it gets the target's name; a move
    // removes its source only after. A failure ends the copy, and the copy
    // never gets its name. A link is copied under its name first.
    std::function<Result(const EntryId&)> copyMade;
};

}  // namespace quirnel
