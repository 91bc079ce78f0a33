#pragma once
// A read-only TagLib stream that keeps a few aligned blocks of the file:
// tag readers step through a file's head and tail in small reads and seeks,
// and each would otherwise be a system call of its own.
#include <taglib/tfilestream.h>
#include <taglib/tiostream.h>

#include <array>
#include <cstdint>
#include <string>

namespace quirnel::media {

class BlockStream : public TagLib::IOStream {
public:
    explicit BlockStream(const char* path) : file_(path, true) {}

    TagLib::FileName name() const override { return file_.name(); }
    TagLib::ByteVector readBlock(unsigned long length) override;
    void writeBlock(const TagLib::ByteVector&) override {}
    void insert(const TagLib::ByteVector&, unsigned long = 0, unsigned long = 0) override {}
    void removeBlock(unsigned long = 0, unsigned long = 0) override {}
    bool readOnly() const override { return true; }
    bool isOpen() const override { return file_.isOpen(); }
    void seek(long offset, Position p = Beginning) override;
    long tell() const override { return position_; }
    long length() override;
    void truncate(long) override {}

private:
    static constexpr long kBlock = 32 * 1024;
    struct Block {
        long start = -1;
        std::string bytes;
        unsigned lastUse = 0;
    };
    const Block& blockAt(long start);

    TagLib::FileStream file_;
    long position_ = 0;
    long length_ = -1;
    unsigned uses_ = 0;
    std::array<Block, 4> blocks_;
};

}  // namespace quirnel::media
