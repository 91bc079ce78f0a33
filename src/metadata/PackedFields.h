#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "metadata/FieldTypes.h"

namespace quirnel {

// MediaFields kept in little room: a record is a word of which fields are
// set followed by one word per set field (two for the date taken), and every
// text is kept once however many records hold it, so a folder of photos
// from one camera or songs of one album shares its texts.
class PackedFields {
public:
    // The record's number.
    uint32_t pack(const MediaFields& fields);
    MediaFields unpack(uint32_t record) const;
    // Gives back what the containers hold in reserve.
    void shrink();
    size_t bytes() const;

private:
    uint32_t intern(const std::u16string& text);
    std::u16string_view text(uint32_t id) const;
    void growTable();

    std::vector<uint32_t> words_;
    std::u16string chars_;
    std::vector<uint32_t> starts_{0};  // text i is chars_[starts_[i], starts_[i + 1])
    std::vector<uint32_t> table_;      // open addressing over text ids + 1; 0 is free
};

}  // namespace quirnel
