#include <exiv2/exiv2.hpp>

#include <mutex>

#include "metadata/JpegExif.h"
#include "metadata/MediaReaders.h"

namespace quirnel::media {
namespace {

void StartExiv2() {
    static std::once_flag once;
    std::call_once(once, [] {
        Exiv2::LogMsg::setLevel(Exiv2::LogMsg::mute);  // damaged files are ours to report
        Exiv2::XmpParser::initialize();
#ifdef EXV_ENABLE_BMFF
        Exiv2::enableBMFF(true);  // HEIF, AVIF and CR3
#endif
    });
}

template <typename Data, typename Key>
std::string TextIn(const Data& data, const char* key) {
    auto it = data.findKey(Key(key));
    if (it == data.end() || it->count() == 0) return {};
    return it->toString();
}
std::string TextOf(const Exiv2::ExifData& exif, const char* key) { return TextIn<Exiv2::ExifData, Exiv2::ExifKey>(exif, key); }
std::string TextOf(const Exiv2::XmpData& xmp, const char* key) { return TextIn<Exiv2::XmpData, Exiv2::XmpKey>(xmp, key); }

std::optional<uint32_t> NumberOf(const Exiv2::ExifData& exif, const char* key) {
    auto it = exif.findKey(Exiv2::ExifKey(key));
    if (it == exif.end() || it->count() == 0) return std::nullopt;
    long v = it->toLong();
    if (v <= 0 || v > INT32_MAX) return std::nullopt;
    return static_cast<uint32_t>(v);
}

// The first of the EXIF times, with the offset written beside it.
std::optional<TakenTime> ExifTaken(const Exiv2::ExifData& exif) {
    static const char* const kTimes[][2] = {
        {"Exif.Photo.DateTimeOriginal", "Exif.Photo.OffsetTimeOriginal"},
        {"Exif.Photo.DateTimeDigitized", "Exif.Photo.OffsetTimeDigitized"},
        {"Exif.Image.DateTimeOriginal", "Exif.Photo.OffsetTimeOriginal"},
    };
    for (const auto& [time, offset] : kTimes) {
        if (auto wall = ReadExifTime(TextOf(exif, time)))
            return TakenTime{*wall, ReadUtcOffset(TextOf(exif, offset))};
    }
    return std::nullopt;
}

// XMP dates are ISO 8601 and may carry their offset: 2023-07-04T09:05:31+09:00.
std::optional<TakenTime> XmpTaken(const Exiv2::XmpData& xmp) {
    for (const char* key : {"Xmp.exif.DateTimeOriginal", "Xmp.photoshop.DateCreated", "Xmp.xmp.CreateDate",
                            "Xmp.exif.DateTimeDigitized"}) {
        std::string t = TextOf(xmp, key);
        if (t.size() < 10) continue;
        std::string wall = t.substr(0, 19);
        if (wall.size() > 10) wall[10] = ' ';
        if (wall.size() == 10) wall += " 00:00:00";
        if (wall.size() == 16) wall += ":00";
        auto seconds = ReadExifTime(wall);
        if (!seconds) continue;
        size_t zone = t.find_first_of("+-Z", 19);
        return TakenTime{*seconds, zone == std::string::npos ? std::nullopt : ReadUtcOffset(t.substr(zone))};
    }
    return std::nullopt;
}

void TakeFields(Exiv2::Image& image, MediaFields& out) {
    const Exiv2::ExifData& exif = image.exifData();
    const Exiv2::XmpData& xmp = image.xmpData();
    out.taken = ExifTaken(exif);
    if (!out.taken) out.taken = XmpTaken(xmp);
    out.make = CleanText(TextOf(exif, "Exif.Image.Make"));
    out.model = CleanText(TextOf(exif, "Exif.Image.Model"));
    out.lens = CleanText(TextOf(exif, "Exif.Photo.LensModel"));
    out.iso = NumberOf(exif, "Exif.Photo.ISOSpeedRatings");
    out.width = NumberOf(exif, "Exif.Photo.PixelXDimension");
    out.height = NumberOf(exif, "Exif.Photo.PixelYDimension");
    if (!out.width && image.pixelWidth() > 0) out.width = static_cast<uint32_t>(image.pixelWidth());
    if (!out.height && image.pixelHeight() > 0) out.height = static_cast<uint32_t>(image.pixelHeight());
    out.artist = CleanText(TextOf(exif, "Exif.Image.Artist"));
    out.title = CleanText(TextOf(exif, "Exif.Image.ImageDescription"));
}

}  // namespace

void ReadPhoto(std::string_view bytes, MediaFields& out) {
    if (!ReadJpegExif(bytes, out)) ReadPhotoWithExiv2(bytes, out);
}

void ReadPhotoWithExiv2(std::string_view bytes, MediaFields& out) {
    StartExiv2();
    try {
        auto image = Exiv2::ImageFactory::open(reinterpret_cast<const Exiv2::byte*>(bytes.data()),
                                               static_cast<long>(bytes.size()));
        if (image.get() == nullptr) return;
        // Exiv2's video decoders loop for seconds on some hostile headers; a
        // film's time comes from our own movie header reader instead.
        // Exiv2's video types (riff 20, mkv 21, qtime 22, asf 24): their headers
        // do not compile on their own.
        const int type = static_cast<int>(image->imageType());
        if (type == 20 || type == 21 || type == 22 || type == 24) {
            out.error = u"not a photo";
            return;
        }
        image->readMetadata();
        TakeFields(*image, out);
    } catch (const std::exception& e) {  // Exiv2::AnyError and the allocator's
        out = MediaFields{};
        out.error = CleanText(e.what());
        if (out.error.empty()) out.error = u"unreadable";
    }
}

}  // namespace quirnel::media
