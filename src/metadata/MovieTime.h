#pragma once
// The recording time of a QuickTime or MP4 film, read from its movie header
// box ('mvhd' inside 'moov') without a library: a few header reads wherever
// the boxes lie, however large the film.
#include <cstdint>
#include <optional>
#include <string>

namespace quirnel::media {

// Bytes at an offset; fewer (or none) at the end of the source.
class ByteSource {
public:
    virtual ~ByteSource() = default;
    virtual std::string readAt(uint64_t offset, size_t count) = 0;
    virtual uint64_t size() = 0;
};

struct MovieHeader {
    std::optional<int64_t> createdUtc;  // seconds since 1970
    std::optional<uint32_t> durationSeconds;
};

// Nothing when no movie header is found within the first boxes.
std::optional<MovieHeader> ReadMovieHeader(ByteSource& source);

}  // namespace quirnel::media
