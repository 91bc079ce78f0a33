#include "metadata/BlockStream.h"

#include <algorithm>
#include <climits>

namespace quirnel::media {

long BlockStream::length() {
    if (length_ < 0) length_ = std::max(file_.length(), 0L);
    return length_;
}

void BlockStream::seek(long offset, Position p) {
    const long base = p == Beginning ? 0 : p == Current ? position_ : length();
    position_ = std::max(base + offset, 0L);
}

const BlockStream::Block& BlockStream::blockAt(long start) {
    ++uses_;
    for (Block& b : blocks_)
        if (b.start == start) {
            b.lastUse = uses_;
            return b;
        }
    Block& b = *std::min_element(blocks_.begin(), blocks_.end(),
                                 [](const Block& x, const Block& y) { return x.lastUse < y.lastUse; });
    file_.seek(start);
    const TagLib::ByteVector read = file_.readBlock(kBlock);
    b.start = start;
    b.bytes.assign(read.data(), read.size());
    b.lastUse = uses_;
    return b;
}

TagLib::ByteVector BlockStream::readBlock(unsigned long count) {
    const long end = std::min<long>(length(), position_ + static_cast<long>(std::min<unsigned long>(count, LONG_MAX / 2)));
    if (end <= position_) return {};
    // A large read (a picture, a whole frame list) goes to the file at once.
    if (end - position_ > kBlock) {
        file_.seek(position_);
        TagLib::ByteVector v = file_.readBlock(static_cast<unsigned long>(end - position_));
        position_ += static_cast<long>(v.size());
        return v;
    }
    TagLib::ByteVector out;
    while (position_ < end) {
        const Block& b = blockAt(position_ / kBlock * kBlock);
        const long from = position_ - b.start;
        if (from >= static_cast<long>(b.bytes.size())) break;  // the file is shorter than it said
        const long take = std::min<long>(end - position_, static_cast<long>(b.bytes.size()) - from);
        out.append(TagLib::ByteVector(b.bytes.data() + from, static_cast<unsigned>(take)));
        position_ += take;
    }
    return out;
}

}  // namespace quirnel::media
