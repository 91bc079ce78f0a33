#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "metadata/MediaFields.h"
#include "metadata/PackedFields.h"

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
    // What the kept fields take, containers' reserve included.
    size_t keptBytes() const { return kept_.capacity() * sizeof(Kept) + packed_.bytes(); }

private:
    // By a hash of the path, sorted, so a lookup from many threads is a search
    // of a plain array; the file's size and time are kept as a hash of both.
    struct Kept {
        uint64_t key = 0;
        uint64_t stamp = 0;
        uint32_t record = 0;
        bool operator<(const Kept& o) const { return key < o.key; }
    };
    const Kept* find(uint64_t key) const;
    void keep(std::vector<Kept> fresh);

    Reader reader_;
    std::vector<Kept> kept_;
    PackedFields packed_;
};

}  // namespace quirnel
