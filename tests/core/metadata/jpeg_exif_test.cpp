#include <gtest/gtest.h>

#include "MediaSamples.h"
#include "TestSupport.h"
#include "metadata/JpegExif.h"
#include "metadata/MediaReaders.h"
#include "metadata/PackedFields.h"

namespace quirnel {
namespace {

using test::TempDir;

std::string Slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// A JPEG whose EXIF segment is encoded in the given byte order, put right
// after the start marker of a JPEG without one.
std::string JpegWithExif(const TempDir& dir, Exiv2::ByteOrder order, const test::ExifValues& values) {
    test::WriteJpeg(dir / "bare.jpg", {});
    std::string bare = Slurp(dir / "bare.jpg");
    Exiv2::ExifData exif;
    for (const auto& [key, value] : values) exif[key] = value;
    Exiv2::Blob blob;
    Exiv2::ExifParser::encode(blob, order, exif);
    const std::string body = std::string("Exif\0\0", 6) + std::string(blob.begin(), blob.end());
    const size_t length = body.size() + 2;
    return bare.substr(0, 2) + "\xFF\xE1" + char(length >> 8) + char(length & 0xFF) + body + bare.substr(2);
}

MediaFields ByExiv2(std::string_view bytes) {
    MediaFields f;
    media::ReadPhotoWithExiv2(bytes, f);
    return f;
}

// Our reading of a JPEG's EXIF gives what the library gives, on the photos
// it takes, in both byte orders, and hands the others to the library.
TEST(JpegExif, ReadsAsTheLibraryDoes) {
    TempDir dir;
    const test::ExifValues full = {{"Exif.Photo.DateTimeOriginal", "2023:07:04 09:05:31"},
                                   {"Exif.Photo.OffsetTimeOriginal", "+09:00"},
                                   {"Exif.Image.Make", "Maker  "},
                                   {"Exif.Image.Model", "Model 1"},
                                   {"Exif.Photo.LensModel", "A lens, 50 mm"},
                                   {"Exif.Photo.ISOSpeedRatings", "640"},
                                   {"Exif.Photo.PixelXDimension", "4000"},
                                   {"Exif.Photo.PixelYDimension", "3000"},
                                   {"Exif.Image.Artist", "Someone"},
                                   {"Exif.Image.ImageDescription", "Lake / shore"}};
    struct Case {
        const char* name;
        test::ExifValues values;
        bool ours;  // read without the library
    } cases[] = {
        {"everything", full, true},
        {"digitized only", {{"Exif.Photo.DateTimeDigitized", "2021:02:03 04:05:06"}, {"Exif.Photo.OffsetTimeDigitized", "-05:30"}}, true},
        {"in IFD0", {{"Exif.Image.DateTimeOriginal", "2020:02:29 10:00:00"}}, true},
        {"short text inline", {{"Exif.Photo.DateTimeOriginal", "2023:07:04 09:05:31"}, {"Exif.Image.Make", "Abc"}}, true},
        {"no date", {{"Exif.Image.Make", "Maker"}}, false},
        {"blank clock", {{"Exif.Photo.DateTimeOriginal", "    :  :     :  :  "}}, false},
    };
    for (const Case& c : cases) {
        for (auto order : {Exiv2::littleEndian, Exiv2::bigEndian}) {
            const std::string jpeg = JpegWithExif(dir, order, c.values);
            MediaFields ours;
            EXPECT_EQ(media::ReadJpegExif(jpeg, ours), c.ours) << c.name << " " << order;
            MediaFields read;
            media::ReadPhoto(jpeg, read);
            EXPECT_EQ(read, ByExiv2(jpeg)) << c.name << " " << order;
            if (c.ours) EXPECT_EQ(ours, read) << c.name;
        }
    }
    // One written by the library itself, and one with XMP, which goes to the library.
    test::WriteJpeg(dir / "written.jpg", full);
    MediaFields f;
    EXPECT_TRUE(media::ReadJpegExif(Slurp(dir / "written.jpg"), f));
    EXPECT_EQ(f, ByExiv2(Slurp(dir / "written.jpg")));
    EXPECT_EQ(f.lens, u"A lens, 50 mm");
    EXPECT_EQ(f.title, u"Lake _ shore");
    test::WriteJpeg(dir / "xmp.jpg", {{"Exif.Photo.DateTimeOriginal", "2023:07:04 09:05:31"}, {"Xmp.xmp.CreateDate", "2019-05-06T07:08:09"}});
    EXPECT_FALSE(media::ReadJpegExif(Slurp(dir / "xmp.jpg"), f));
}

// Cut anywhere, a photo reads as the library reads it: our reader refuses what
// it cannot finish and never reads past the end.
TEST(JpegExif, CutShortPhotosGoToTheLibrary) {
    TempDir dir;
    const std::string jpeg = JpegWithExif(dir, Exiv2::bigEndian,
                                          {{"Exif.Photo.DateTimeOriginal", "2023:07:04 09:05:31"}, {"Exif.Image.Model", "A model"}});
    for (size_t cut = 0; cut < jpeg.size(); cut += 7) {
        const std::string head = jpeg.substr(0, cut);  // its own buffer, so a read past it shows under ASan
        MediaFields read;
        media::ReadPhoto(head, read);
        EXPECT_EQ(read, ByExiv2(head)) << cut;
    }
}

TEST(PackedFields, GivesBackWhatWasPackedAndKeepsATextOnce) {
    MediaFields song;
    song.artist = u"Artist", song.album = u"Album", song.title = u"Title", song.track = 3, song.year = 1999;
    song.durationSeconds = 201;
    MediaFields photo;
    photo.taken = TakenTime{-86400 * 400, -330};
    photo.make = u"Maker", photo.model = u"Model", photo.width = 4000, photo.height = 3000, photo.iso = 100;
    MediaFields noOffset;
    noOffset.taken = TakenTime{int64_t{1} << 40, std::nullopt};
    MediaFields broken;
    broken.error = u"cut short";
    PackedFields packed;
    std::vector<std::pair<uint32_t, MediaFields>> kept;
    for (const MediaFields& f : {song, photo, noOffset, broken, MediaFields{}}) kept.push_back({packed.pack(f), f});
    for (const auto& [record, f] : kept) EXPECT_EQ(packed.unpack(record), f);
    auto shrunk = [&] {
        packed.shrink();
        return packed.bytes();
    };
    const size_t before = shrunk();
    std::u16string longArtist(200, u'x');
    song.artist = longArtist;
    const uint32_t first = packed.pack(song);
    const size_t once = shrunk();
    for (int i = 0; i < 10; ++i) packed.pack(song);
    const size_t again = shrunk();
    EXPECT_EQ(packed.unpack(first), song);
    EXPECT_GT(once, before + longArtist.size() * 2);
    EXPECT_LT(again, once + 10 * 40u) << "ten more records, the long text not again";
}

}  // namespace
}  // namespace quirnel
