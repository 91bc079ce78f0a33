#pragma once
#include <cstdint>
#include <string_view>

namespace quirnel {

// CRC-32C (Castagnoli) of bytes, continued from crc: the checksum of a
// concatenation is the checksum of its second part continued from that of
// its first. The checksum of nothing is 0.
uint32_t Crc32c(uint32_t crc, std::string_view bytes);

}  // namespace quirnel
