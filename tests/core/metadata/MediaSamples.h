#pragma once
// Small real media files for the tests, written with the libraries the
// readers use (photos, songs) or byte by byte (films).
#include <exiv2/exiv2.hpp>
#include <taglib/flacfile.h>
#include <taglib/id3v1tag.h>
#include <taglib/id3v2tag.h>
#include <taglib/mpegfile.h>
#include <taglib/xiphcomment.h>

#include <fstream>
#include <map>
#include <string>

namespace quirnel::test {

using ExifValues = std::map<std::string, std::string>;

// A 1x1 JPEG or TIFF (Exiv2's blank image) with these EXIF values and,
// for keys under Xmp., XMP values.
inline void WritePhoto(const std::string& path, int type, const ExifValues& values) {
    auto image = Exiv2::ImageFactory::create(type, path);
    Exiv2::ExifData exif;
    Exiv2::XmpData xmp;
    for (const auto& [key, value] : values) {
        if (key.rfind("Xmp.", 0) == 0) xmp[key] = value;
        else exif[key] = value;
    }
    image->setExifData(exif);
    image->setXmpData(xmp);
    image->writeMetadata();
}
inline void WriteJpeg(const std::string& path, const ExifValues& values) {
    WritePhoto(path, Exiv2::ImageType::jpeg, values);
}
// A raw-like file: the TIFF structure raw formats are built on, EXIF only.
inline void WriteTiff(const std::string& path, const ExifValues& values) {
    Exiv2::ExifData exif;
    for (const auto& [key, value] : values) exif[key] = value;
    Exiv2::Blob blob;
    Exiv2::ExifParser::encode(blob, Exiv2::littleEndian, exif);
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(blob.data()), blob.size());
}

inline std::string Le32(uint32_t v) { return {char(v), char(v >> 8), char(v >> 16), char(v >> 24)}; }
inline std::string RiffChunk(const std::string& id, std::string body) {
    if (body.size() % 2) body += '\0';
    return id + Le32(static_cast<uint32_t>(body.size())) + body;
}
// A 1x1 lossless WebP with an EXIF chunk, built chunk by chunk (the library
// does not write new WebP files).
inline void WriteWebp(const std::string& path, const ExifValues& values) {
    Exiv2::ExifData exif;
    for (const auto& [key, value] : values) exif[key] = value;
    Exiv2::Blob blob;
    Exiv2::ExifParser::encode(blob, Exiv2::littleEndian, exif);
    const std::string extended = std::string("\x08\0\0\0", 4) + std::string(6, '\0');  // flags: EXIF; 1x1
    const std::string body = "WEBP" + RiffChunk("VP8X", extended) + RiffChunk("VP8L", std::string("\x2f\0\0\0\0", 5)) +
                             RiffChunk("EXIF", std::string(blob.begin(), blob.end()));
    std::ofstream(path, std::ios::binary) << "RIFF" + Le32(static_cast<uint32_t>(body.size())) + body;
}

// MPEG-1 layer III frames of 128 kbit/s at 44.1 kHz: about 0.026 s each.
inline std::string Mp3Frames(int count) {
    std::string frame(417, '\0');
    frame[0] = '\xFF', frame[1] = '\xFB', frame[2] = '\x90', frame[3] = '\x64';
    std::string out;
    for (int i = 0; i < count; ++i) out += frame;
    return out;
}

struct SongTags {
    std::string artist, album, title;
    unsigned track = 0, year = 0;
};

inline void SetTags(TagLib::Tag& tag, const SongTags& t) {
    tag.setArtist(TagLib::String(t.artist, TagLib::String::UTF8));
    tag.setAlbum(TagLib::String(t.album, TagLib::String::UTF8));
    tag.setTitle(TagLib::String(t.title, TagLib::String::UTF8));
    tag.setTrack(t.track);
    tag.setYear(t.year);
}

// An MP3 with an ID3v2 tag, or with only an ID3v1 tag.
inline void WriteMp3(const std::string& path, const SongTags& t, bool onlyV1 = false) {
    std::ofstream(path, std::ios::binary) << Mp3Frames(80);
    TagLib::MPEG::File f(path.c_str());
    SetTags(onlyV1 ? static_cast<TagLib::Tag&>(*f.ID3v1Tag(true)) : *f.ID3v2Tag(true), t);
    f.save(onlyV1 ? TagLib::MPEG::File::ID3v1 : TagLib::MPEG::File::ID3v2);
}

// A FLAC stream with only its STREAMINFO block, then a Vorbis comment.
inline void WriteFlac(const std::string& path, const SongTags& t, const std::string& albumArtist = {}) {
    std::string info = "fLaC";
    info += std::string("\x80\x00\x00\x22", 4);  // last block, STREAMINFO, 34 bytes
    const unsigned char streamInfo[18] = {0x10, 0x00, 0x10, 0x00, 0, 0, 0, 0, 0, 0,
                                          0x0A, 0xC4, 0x42, 0xF0, 0x00, 0x02, 0xB1, 0x10};  // 44.1 kHz, 176400 samples
    info += std::string(reinterpret_cast<const char*>(streamInfo), 18) + std::string(16, '\0');
    std::ofstream(path, std::ios::binary) << info;
    TagLib::FLAC::File f(path.c_str());
    SetTags(*f.xiphComment(true), t);
    if (!albumArtist.empty()) f.xiphComment(true)->addField("ALBUMARTIST", TagLib::String(albumArtist, TagLib::String::UTF8));
    f.xiphComment(true)->addField("DISCNUMBER", "2/3");
    f.save();
}

inline std::string Be32(uint32_t v) {
    return {char(v >> 24), char(v >> 16), char(v >> 8), char(v)};
}
inline std::string Box(const std::string& type, const std::string& body) {
    return Be32(static_cast<uint32_t>(8 + body.size())) + type + body;
}
// A QuickTime film: ftyp, a large mdat, then moov with a version-0 mvhd.
inline std::string MovieBytes(uint32_t createdSince1904, uint32_t timescale, uint32_t duration) {
    std::string mvhd = std::string(4, '\0') + Be32(createdSince1904) + Be32(createdSince1904) + Be32(timescale) +
                       Be32(duration) + std::string(80, '\0');
    return Box("ftyp", "qt  " + Be32(0)) + Box("mdat", std::string(4000, '\x55')) + Box("moov", Box("mvhd", mvhd));
}

inline std::string Be16(uint16_t v) { return {char(v >> 8), char(v)}; }

// An M4A as a phone or an encoder writes its tags: moov/udta/meta/ilst with
// one data atom an item, before the sound (left out: nothing reads it here).
inline void WriteM4a(const std::string& path, const SongTags& t) {
    auto text = [](const std::string& type, const std::string& value) {
        return Box(type, Box("data", Be32(1) + Be32(0) + value));  // 1: UTF-8
    };
    const std::string ilst = text("\xA9" "ART", t.artist) + text("\xA9" "alb", t.album) + text("\xA9nam", t.title) +
                             text("\xA9" "day", std::to_string(t.year)) +
                             Box("trkn", Box("data", Be32(0) + Be32(0) + Be16(0) + Be16(t.track) + Be16(9) + Be16(0)));
    const std::string hdlr = Box("hdlr", Be32(0) + Be32(0) + "mdir" + "appl" + std::string(9, '\0'));
    const std::string mvhd = Box("mvhd", std::string(4, '\0') + Be32(0) + Be32(0) + Be32(1000) + Be32(0) + std::string(80, '\0'));
    const std::string moov = Box("moov", mvhd + Box("udta", Box("meta", Be32(0) + hdlr + Box("ilst", ilst))));
    std::ofstream(path, std::ios::binary) << Box("ftyp", "M4A " + Be32(0) + "M4A isom") + moov;
}

// A HEIF still as cameras and phones store its EXIF: an item of type Exif
// named in iinf, placed by iloc in mdat, its TIFF behind a 4-byte offset.
inline void WriteHeif(const std::string& path, const ExifValues& values) {
    Exiv2::ExifData exif;
    for (const auto& [key, value] : values) exif[key] = value;
    Exiv2::Blob blob;
    Exiv2::ExifParser::encode(blob, Exiv2::littleEndian, exif);
    const std::string payload = Be32(0) + std::string(blob.begin(), blob.end());
    const std::string ftyp = Box("ftyp", "heic" + Be32(0) + "mif1heic");
    const std::string hdlr = Box("hdlr", Be32(0) + Be32(0) + "pict" + std::string(13, '\0'));
    const std::string iinf = Box("iinf", Be32(0) + Be16(1) + Box("infe", Be32(0x02000000) + Be16(1) + Be16(0) + "Exif" + '\0'));
    auto meta = [&](uint32_t at) {
        // version 0, 4-byte offsets and lengths, one item with one extent
        const std::string iloc = Box("iloc", Be32(0) + "\x44" + '\0' + Be16(1) + Be16(1) + Be16(0) + Be16(1) + Be32(at) +
                                                 Be32(static_cast<uint32_t>(payload.size())));
        return Box("meta", Be32(0) + hdlr + iinf + iloc);
    };
    const uint32_t at = static_cast<uint32_t>(ftyp.size() + meta(0).size() + 8);
    std::ofstream(path, std::ios::binary) << ftyp + meta(at) + Box("mdat", payload);
}

}  // namespace quirnel::test
