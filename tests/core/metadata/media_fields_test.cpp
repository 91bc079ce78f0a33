#include <gtest/gtest.h>

#include "MediaSamples.h"
#include "TestSupport.h"
#include "metadata/MediaFields.h"
#include "metadata/MediaReaders.h"
#include "platform/LocalTime.h"

namespace quirnel {
namespace {

using test::TempDir;

int64_t Wall(int y, int mo, int d, int h, int mi, int s) { return DaysFromCivil(y, mo, d) * 86400 + h * 3600 + mi * 60 + s; }

MediaFields Read(const TempDir& dir, const std::string& name) { return ReadMediaFields(dir.u16(name)); }

TEST(MediaFields, PhotoDateTakenTakesTheFirstTimeThereIs) {
    TempDir dir;
    struct Case {
        const char* name;
        test::ExifValues values;
        std::optional<TakenTime> taken;
    } cases[] = {
        {"original.jpg",
         {{"Exif.Photo.DateTimeOriginal", "2023:07:04 09:05:31"}, {"Exif.Photo.DateTimeDigitized", "2020:01:01 00:00:00"}},
         TakenTime{Wall(2023, 7, 4, 9, 5, 31), std::nullopt}},
        {"digitized.jpg", {{"Exif.Photo.DateTimeDigitized", "2021:02:03 04:05:06"}}, TakenTime{Wall(2021, 2, 3, 4, 5, 6)}},
        {"offset.jpg",
         {{"Exif.Photo.DateTimeOriginal", "2022:12:31 23:59:59"}, {"Exif.Photo.OffsetTimeOriginal", "+09:00"}},
         TakenTime{Wall(2022, 12, 31, 23, 59, 59), 540}},
        {"xmp.jpg", {{"Xmp.xmp.CreateDate", "2019-05-06T07:08:09-05:30"}}, TakenTime{Wall(2019, 5, 6, 7, 8, 9), -330}},
        {"blank-clock.jpg", {{"Exif.Photo.DateTimeOriginal", "0000:00:00 00:00:00"}}, std::nullopt},
        {"no-exif.jpg", {}, std::nullopt},
    };
    for (const Case& c : cases) {
        test::WriteJpeg(dir / c.name, c.values);
        MediaFields f = Read(dir, c.name);
        EXPECT_EQ(f.taken, c.taken) << c.name;
        EXPECT_EQ(f.error, u"") << c.name;
    }
}

// The photo formats beside JPEG that the tests can make: what the library
// reads in them reaches the fields.
TEST(MediaFields, PngWebpAndHeifGiveTheirDateTaken) {
    TempDir dir;
    const test::ExifValues values = {{"Exif.Photo.DateTimeOriginal", "2023:07:04 09:05:31"}, {"Exif.Image.Model", "Model"}};
    test::WritePhoto(dir / "photo.png", Exiv2::ImageType::png, values);
    test::WriteWebp(dir / "photo.webp", values);
    test::WriteHeif(dir / "photo.heic", values);
    dir.file("named.avif", dir.read("photo.heic"));  // the brand, not the name, tells the reader what it is
    for (const char* name : {"photo.png", "photo.webp", "photo.heic", "named.avif"}) {
        MediaFields f = Read(dir, name);
        EXPECT_EQ(f.taken, (TakenTime{Wall(2023, 7, 4, 9, 5, 31), std::nullopt})) << name;
        EXPECT_EQ(f.model, u"Model") << name;
        EXPECT_EQ(f.error, u"") << name;
    }
}

TEST(MediaFields, RawLikeTiffGivesCameraLensAndIso) {
    TempDir dir;
    test::WriteTiff(dir / "raw.dng",
                     {{"Exif.Image.Make", "Canon"}, {"Exif.Image.Model", "Canon EOS R6 "}, {"Exif.Photo.LensModel", "RF50mm"},
                      {"Exif.Photo.ISOSpeedRatings", "800"}, {"Exif.Photo.DateTimeOriginal", "2024:02:29 12:00:00"}});
    MediaFields f = Read(dir, "raw.dng");
    EXPECT_EQ(f.make, u"Canon");
    EXPECT_EQ(f.model, u"Canon EOS R6");
    EXPECT_EQ(f.lens, u"RF50mm");
    EXPECT_EQ(f.iso, 800u);
    ASSERT_TRUE(f.taken);
    EXPECT_EQ(f.taken->wallSeconds, Wall(2024, 2, 29, 12, 0, 0));
}

TEST(MediaFields, SongsGiveTheirTags) {
    TempDir dir;
    test::WriteMp3(dir / "v2.mp3", {"Artist Ä", "Album", "Title", 3, 1999});
    test::WriteMp3(dir / "v1.mp3", {"Old Artist", "Old Album", "Old Title", 7, 1988}, true);
    test::WriteFlac(dir / "a.flac", {"Flac Artist", "Flac Album", "Flac Title", 12, 2005}, "Various");
    test::WriteM4a(dir / "a.m4a", {"M4a Artist", "M4a Album", "M4a Title", 5, 2011});
    MediaFields v2 = Read(dir, "v2.mp3"), v1 = Read(dir, "v1.mp3"), flac = Read(dir, "a.flac"), m4a = Read(dir, "a.m4a");
    EXPECT_EQ(v2.artist, u"Artist Ä");
    EXPECT_EQ(v2.track, 3u);
    EXPECT_EQ(v2.year, 1999u);
    EXPECT_EQ(v2.durationSeconds, 2u);
    EXPECT_EQ(v1.title, u"Old Title");
    EXPECT_EQ(v1.track, 7u);
    EXPECT_EQ(flac.album, u"Flac Album");
    EXPECT_EQ(flac.albumArtist, u"Various");
    EXPECT_EQ(flac.disc, 2u);
    EXPECT_EQ(flac.durationSeconds, 4u);
    EXPECT_EQ(m4a.artist, u"M4a Artist");
    EXPECT_EQ(m4a.title, u"M4a Title");
    EXPECT_EQ(m4a.track, 5u);
    EXPECT_EQ(m4a.year, 2011u);
    EXPECT_EQ(v2.error + v1.error + flac.error + m4a.error, u"");
}

TEST(MediaFields, FilmRecordingTimeComesFromTheMovieHeader) {
    TempDir dir;
    const int64_t utc = Wall(2021, 6, 1, 10, 0, 0);
    dir.file("clip.mov", test::MovieBytes(static_cast<uint32_t>(utc + 2082844800), 600, 600 * 75));
    MediaFields f = Read(dir, "clip.mov");
    ASSERT_TRUE(f.taken);
    EXPECT_EQ(f.durationSeconds, 75u);
    ASSERT_TRUE(f.taken->offsetMinutes);
    // The wall time where it is read, whose offset leads back to the UTC time.
    EXPECT_EQ(f.taken->wallSeconds - *f.taken->offsetMinutes * 60, utc);
    dir.file("unset.mp4", test::MovieBytes(0, 600, 600));
    EXPECT_FALSE(Read(dir, "unset.mp4").taken);
}

TEST(MediaFields, CutShortOrHostileFilesGiveAnErrorAndNoFields) {
    TempDir dir;
    test::WriteJpeg(dir / "whole.jpg", {{"Exif.Photo.DateTimeOriginal", "2023:07:04 09:05:31"},
                                         {"Exif.Image.ImageDescription", std::string(3000, 'x')}});
    const std::string whole = dir.read("whole.jpg");
    dir.file("cut.jpg", whole.substr(0, 600));
    MediaFields cut = Read(dir, "cut.jpg");
    EXPECT_FALSE(cut.taken);
    EXPECT_NE(cut.error, u"");

    std::string film = test::MovieBytes(3000000000u, 600, 600);
    dir.file("cut.mov", film.substr(0, film.size() - 50));
    EXPECT_FALSE(Read(dir, "cut.mov").taken);
    // A box that claims more than the file holds, and one of size 8 over and over.
    std::string loop;
    for (int i = 0; i < 10000; ++i) loop += test::Be32(8) + "free";
    dir.file("loop.mov", loop + test::Box("moov", ""));
    dir.file("huge.mov", test::Be32(0xFFFFFFF0u) + "moov" + std::string(16, '\0'));
    EXPECT_FALSE(Read(dir, "loop.mov").taken);
    EXPECT_FALSE(Read(dir, "huge.mov").taken);
    dir.file("junk.mp3", std::string(5000, '\xFF'));
    dir.file("junk.flac", "fLaC" + std::string(100, '\x7F'));
    EXPECT_EQ(Read(dir, "junk.mp3").artist, u"");
    EXPECT_EQ(Read(dir, "junk.flac").artist, u"");
    EXPECT_NE(Read(dir, "missing.jpg").error, u"");
}

TEST(MediaFields, TimeAndOffsetTexts) {
    EXPECT_EQ(media::ReadExifTime("2023:07:04 09:05:31"), Wall(2023, 7, 4, 9, 5, 31));
    EXPECT_EQ(media::ReadExifTime("2023-07-04 09:05:31"), Wall(2023, 7, 4, 9, 5, 31));
    for (const char* bad : {"", "    :  :     :  :  ", "2023:02:29 00:00:00", "2023:13:01 00:00:00", "2023:07:04 24:00:00"})
        EXPECT_FALSE(media::ReadExifTime(bad)) << bad;
    EXPECT_EQ(media::ReadUtcOffset("+09:00"), 540);
    EXPECT_EQ(media::ReadUtcOffset("-0530"), -330);
    EXPECT_EQ(media::ReadUtcOffset("Z"), 0);
    EXPECT_FALSE(media::ReadUtcOffset("+25:00"));
    EXPECT_FALSE(media::ReadUtcOffset("   "));
    EXPECT_EQ(media::CleanText(" AC/DC\n "), u"AC_DC");
    EXPECT_EQ(WallTimeText(Wall(2023, 7, 4, 9, 5, 31)), u"2023-07-04 09:05:31");
}

}  // namespace
}  // namespace quirnel
