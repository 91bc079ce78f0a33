#include "metadata/MovieTime.h"

namespace quirnel::media {
namespace {

// A hostile file may hold endless tiny boxes; real films have a handful at the top.
constexpr int kMaxBoxes = 256;
// Seconds from 1904-01-01, where QuickTime counts from, to 1970-01-01.
constexpr int64_t kQuickTimeEpoch = 2082844800;

uint64_t BigEndian(const std::string& b, size_t at, size_t n) {
    uint64_t v = 0;
    for (size_t i = 0; i < n; ++i) v = v << 8 | static_cast<unsigned char>(b[at + i]);
    return v;
}

struct Box {
    uint64_t start, size, body;  // body: where the contents begin
    std::string type;
};

// The box at offset, within the end of its parent; nothing when it does not fit.
std::optional<Box> BoxAt(ByteSource& src, uint64_t offset, uint64_t end) {
    if (end < offset || end - offset < 8) return std::nullopt;
    std::string head = src.readAt(offset, 16);
    if (head.size() < 8) return std::nullopt;
    uint64_t size = BigEndian(head, 0, 4);
    uint64_t body = offset + 8;
    if (size == 1) {  // a 64-bit size follows the type
        if (head.size() < 16) return std::nullopt;
        size = BigEndian(head, 8, 8);
        body += 8;
    } else if (size == 0) {
        size = end - offset;  // runs to the end
    }
    if (size < body - offset || size > end - offset) return std::nullopt;
    return Box{offset, size, body, head.substr(4, 4)};
}

std::optional<Box> FindBox(ByteSource& src, uint64_t from, uint64_t end, const char* type) {
    uint64_t at = from;
    for (int i = 0; i < kMaxBoxes; ++i) {
        auto box = BoxAt(src, at, end);
        if (!box) return std::nullopt;
        if (box->type == type) return box;
        at += box->size;
    }
    return std::nullopt;
}

}  // namespace

std::optional<MovieHeader> ReadMovieHeader(ByteSource& source) {
    const uint64_t end = source.size();
    auto moov = FindBox(source, 0, end, "moov");
    if (!moov) return std::nullopt;
    auto mvhd = FindBox(source, moov->body, moov->start + moov->size, "mvhd");
    if (!mvhd) return std::nullopt;
    std::string b = source.readAt(mvhd->body, 32);
    if (b.empty()) return std::nullopt;
    const bool wide = b[0] == 1;  // version 1 has 64-bit times
    const size_t need = wide ? 32 : 20;
    if (b.size() < need || mvhd->size - (mvhd->body - mvhd->start) < need) return std::nullopt;
    const uint64_t created = wide ? BigEndian(b, 4, 8) : BigEndian(b, 4, 4);
    const uint64_t timescale = wide ? BigEndian(b, 20, 4) : BigEndian(b, 12, 4);
    const uint64_t duration = wide ? BigEndian(b, 24, 8) : BigEndian(b, 16, 4);
    MovieHeader h;
    // 0 is "not set"; a time before 1970 or past 9999 is no recording time.
    if (created > static_cast<uint64_t>(kQuickTimeEpoch) && created < static_cast<uint64_t>(kQuickTimeEpoch) + 253402300800ull)
        h.createdUtc = static_cast<int64_t>(created) - kQuickTimeEpoch;
    if (timescale > 0 && duration / timescale > 0 && duration / timescale < UINT32_MAX)
        h.durationSeconds = static_cast<uint32_t>(duration / timescale);
    return h;
}

}  // namespace quirnel::media
