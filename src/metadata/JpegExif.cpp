#include "metadata/JpegExif.h"

#include <cstdint>
#include <cstring>
#include <optional>
#include <string>

#include "metadata/MediaReaders.h"

namespace quirnel::media {
namespace {

// The tags ReadPhoto takes, by where they live.
enum Tag : uint16_t {
    kDescription = 0x010E, kMake = 0x010F, kModel = 0x0110, kArtist = 0x013B, kExifIfd = 0x8769,
    kIso = 0x8827, kOriginal = 0x9003, kDigitized = 0x9004, kOffsetOriginal = 0x9011, kOffsetDigitized = 0x9012,
    kPixelX = 0xA002, kPixelY = 0xA003, kLens = 0xA434,
};
enum Type : uint16_t { kAscii = 2, kShort = 3, kLong = 4, kIfd = 13 };

// The values found; `bad` says a wanted tag was not what we can read alike.
struct Found {
    std::string text[8];  // by TextSlot
    std::optional<uint32_t> number[3];  // iso, pixel x, pixel y
    uint32_t exifIfd = 0;
    bool bad = false;
    unsigned seen = 0;  // one bit per wanted tag, to refuse duplicates
};
enum TextSlot { sDescription, sMake, sModel, sArtist, sOriginal0, sOriginal, sDigitized, sOffsetOriginal };

class Tiff {
public:
    explicit Tiff(std::string_view b) : b_(b) {}
    bool header(uint32_t& ifd0) {
        if (b_.size() < 8) return false;
        if (b_.substr(0, 4) == std::string_view("II*\0", 4)) little_ = true;
        else if (b_.substr(0, 4) != std::string_view("MM\0*", 4)) return false;
        ifd0 = u32(4);
        return true;
    }
    uint16_t u16(size_t at) const {
        auto p = reinterpret_cast<const unsigned char*>(b_.data()) + at;
        return little_ ? uint16_t(p[0] | p[1] << 8) : uint16_t(p[0] << 8 | p[1]);
    }
    uint32_t u32(size_t at) const {
        auto p = reinterpret_cast<const unsigned char*>(b_.data()) + at;
        return little_ ? uint32_t(p[0] | p[1] << 8 | p[2] << 16 | uint32_t(p[3]) << 24)
                       : uint32_t(uint32_t(p[0]) << 24 | p[1] << 16 | p[2] << 8 | p[3]);
    }
    size_t size() const { return b_.size(); }
    std::string_view bytes() const { return b_; }

private:
    std::string_view b_;
    bool little_ = false;
};

int Slot(uint16_t tag, bool exifIfd) {
    if (!exifIfd) {
        switch (tag) {
            case kDescription: return sDescription;
            case kMake: return sMake;
            case kModel: return sModel;
            case kArtist: return sArtist;
            case kOriginal: return sOriginal0;
            default: return -1;
        }
    }
    switch (tag) {
        case kOriginal: return sOriginal;
        case kDigitized: return sDigitized;
        case kOffsetOriginal: return sOffsetOriginal;
        case kOffsetDigitized: return 8;
        case kLens: return 9;
        case kIso: return 10;
        case kPixelX: return 11;
        case kPixelY: return 12;
        case kExifIfd: return -1;
        default: return -1;
    }
}

// An ASCII value as the library prints it: up to its trailing NULs; one
// with a NUL inside is left to the library.
bool AsciiValue(const Tiff& t, uint32_t count, size_t at, std::string& out) {
    std::string_view v = t.bytes().substr(at, count);
    while (!v.empty() && v.back() == '\0') v.remove_suffix(1);
    if (v.find('\0') != std::string_view::npos) return false;
    out.assign(v);
    return true;
}

void Entry(const Tiff& t, size_t e, bool exifIfd, Found& f, std::string& lens, std::string& offsetDigitized) {
    const uint16_t tag = t.u16(e), type = t.u16(e + 2);
    const uint32_t count = t.u32(e + 4);
    if (!exifIfd && tag == kExifIfd) {
        if ((type != kLong && type != kIfd) || count != 1 || f.exifIfd) f.bad = true;
        else f.exifIfd = t.u32(e + 8);
        return;
    }
    const int slot = Slot(tag, exifIfd);
    if (slot < 0 || count == 0) return;  // the library drops empty values too
    if (f.seen & (1u << slot)) {
        f.bad = true;
        return;
    }
    f.seen |= 1u << slot;
    if (slot >= 10) {
        const size_t width = type == kShort ? 2 : type == kLong ? 4 : 0;
        if (width == 0) return void(f.bad = true);
        const uint64_t bytes = uint64_t{count} * width;
        const size_t at = bytes <= 4 ? e + 8 : t.u32(e + 8);
        if (at + width > t.size()) return void(f.bad = true);
        const uint32_t v = width == 2 ? t.u16(at) : t.u32(at);
        if (v > 0 && v <= INT32_MAX) f.number[slot - 10] = v;
        return;
    }
    if (type != kAscii) return void(f.bad = true);
    const size_t at = count <= 4 ? e + 8 : t.u32(e + 8);
    if (at > t.size() || count > t.size() - at) return void(f.bad = true);
    std::string& out = slot == 8 ? offsetDigitized : slot == 9 ? lens : f.text[slot];
    if (!AsciiValue(t, count, at, out)) f.bad = true;
}

bool Directory(const Tiff& t, uint32_t at, bool exifIfd, Found& f, std::string& lens, std::string& offsetDigitized) {
    if (at < 8 || at + 2 > t.size()) return false;
    const uint16_t n = t.u16(at);
    if (at + 2 + size_t{n} * 12 > t.size()) return false;
    for (uint16_t i = 0; i < n && !f.bad; ++i) Entry(t, at + 2 + size_t{i} * 12, exifIfd, f, lens, offsetDigitized);
    return !f.bad;
}

// The first EXIF segment and the frame header's size, walking the markers up
// to the scan; false at anything the library should judge.
bool Segments(std::string_view b, std::string_view& exif, uint32_t& width, uint32_t& height) {
    if (b.size() < 4 || static_cast<unsigned char>(b[0]) != 0xFF || static_cast<unsigned char>(b[1]) != 0xD8) return false;
    size_t at = 2;
    bool frame = false;
    while (at + 4 <= b.size()) {
        if (static_cast<unsigned char>(b[at]) != 0xFF) return false;
        const unsigned char marker = static_cast<unsigned char>(b[at + 1]);
        if (marker == 0xFF) {  // fill byte
            ++at;
            continue;
        }
        if (marker == 0xDA || marker == 0xD9) return frame && !exif.empty();
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) return false;
        const size_t length = size_t(static_cast<unsigned char>(b[at + 2])) << 8 | static_cast<unsigned char>(b[at + 3]);
        if (length < 2 || at + 2 + length > b.size()) return false;
        std::string_view body = b.substr(at + 4, length - 2);
        if (marker == 0xE1) {
            if (body.substr(0, 6) == std::string_view("Exif\0\0", 6)) {
                if (!exif.empty()) return false;
                exif = body.substr(6);
            } else if (body.substr(0, 4) == "http") {
                return false;  // XMP, and the dates it may give
            }
        }
        const bool sof = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (sof && !frame) {
            if (body.size() < 5) return false;
            frame = true;
            height = uint32_t(static_cast<unsigned char>(body[1])) << 8 | static_cast<unsigned char>(body[2]);
            width = uint32_t(static_cast<unsigned char>(body[3])) << 8 | static_cast<unsigned char>(body[4]);
        }
        at += 2 + length;
    }
    return false;
}

std::optional<TakenTime> Taken(const Found& f, const std::string& offsetDigitized) {
    const std::pair<const std::string*, const std::string*> kTimes[] = {
        {&f.text[sOriginal], &f.text[sOffsetOriginal]},
        {&f.text[sDigitized], &offsetDigitized},
        {&f.text[sOriginal0], &f.text[sOffsetOriginal]},
    };
    for (const auto& [time, offset] : kTimes)
        if (auto wall = ReadExifTime(*time)) return TakenTime{*wall, ReadUtcOffset(*offset)};
    return std::nullopt;
}

}  // namespace

bool ReadJpegExif(std::string_view bytes, MediaFields& out) {
    std::string_view exif;
    uint32_t width = 0, height = 0;
    if (!Segments(bytes, exif, width, height)) return false;
    Tiff tiff(exif);
    uint32_t ifd0 = 0;
    Found f;
    std::string lens, offsetDigitized;
    if (!tiff.header(ifd0) || !Directory(tiff, ifd0, false, f, lens, offsetDigitized)) return false;
    if (f.exifIfd && !Directory(tiff, f.exifIfd, true, f, lens, offsetDigitized)) return false;
    MediaFields m;
    m.taken = Taken(f, offsetDigitized);
    if (!m.taken) return false;  // XMP or the library may still find one
    m.make = CleanText(f.text[sMake]);
    m.model = CleanText(f.text[sModel]);
    m.lens = CleanText(lens);
    m.iso = f.number[0];
    m.width = f.number[1];
    m.height = f.number[2];
    if (!m.width && width > 0) m.width = width;
    if (!m.height && height > 0) m.height = height;
    m.artist = CleanText(f.text[sArtist]);
    m.title = CleanText(f.text[sDescription]);
    out = std::move(m);
    return true;
}

}  // namespace quirnel::media
