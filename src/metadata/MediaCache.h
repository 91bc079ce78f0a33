#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "metadata/MediaFields.h"
#include "metadata/PackedFields.h"

namespace quirnel {

// A file as its list knows it: a row whose size or time differ from those
// its fields were read at is read again. An empty path is a row with no file.
struct MediaFile {
    std::u16string path;
    uint64_t size = 0;
    int64_t modified = 0;
};
// The file as it is on the disk now (an empty path when it is not a file).
MediaFile MediaFileAt(const std::u16string& path);

// How far a reading is: called now and then on the calling thread with the
// files done; false stops it, and the files not yet read give empty fields
// marked unread.
using MediaProgress = std::function<bool(size_t done, size_t total)>;

// The fields of files, kept while a file's size and modification time stay
// those it had when it was read, so a second command over the same list
// reads nothing again.
class MediaCache {
public:
    using Reader = std::function<MediaFields(const std::u16string& path)>;
    // The reader is called from several threads at once.
    explicit MediaCache(Reader reader = ReadMediaFields) : reader_(std::move(reader)) {}

    // The fields of each file, reading what is not kept on up to `threads`
    // threads (0: one a core). A file that could not be read is tried again
    // next time.
    std::vector<MediaFields> fieldsOf(const std::vector<MediaFile>& files, unsigned threads = 0,
                                      const MediaProgress& progress = {});
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
