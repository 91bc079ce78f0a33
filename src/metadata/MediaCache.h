#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

#include "metadata/MediaFields.h"

namespace quirnel {

// The fields of files, kept while a file's size and modification time stay
// those it had when it was read, so a second command over the same list
// reads nothing again.
class MediaCache {
public:
    using Reader = std::function<MediaFields(const std::u16string& path)>;
    // The reader is called from several threads at once.
    explicit MediaCache(Reader reader = ReadMediaFields) : reader_(std::move(reader)) {}

    // The fields of each path (empty ones for an empty path or a missing
    // file), reading what is not kept on up to `threads` threads (0: one a core).
    std::vector<MediaFields> fieldsOf(const std::vector<std::u16string>& paths, unsigned threads = 0);
    size_t keptCount() const { return kept_.size(); }

private:
    struct Kept {
        uint64_t size = 0;
        int64_t modified = 0;
        MediaFields fields;
    };
    Reader reader_;
    std::unordered_map<std::u16string, Kept> kept_;
};

}  // namespace quirnel
