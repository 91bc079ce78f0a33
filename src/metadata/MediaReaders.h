#pragma once
// The library readers behind ReadMediaFields; only metadata/ includes this.
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "metadata/FieldTypes.h"
#include "metadata/MovieTime.h"

namespace quirnel::media {

// EXIF, then XMP, of a photo whose first bytes are given.
void ReadPhoto(std::string_view bytes, MediaFields& out);
// The same through Exiv2 alone, without our own reading of JPEG EXIF.
void ReadPhotoWithExiv2(std::string_view bytes, MediaFields& out);
// Tags and length of a song, from its file or from bytes.
void ReadAudioFile(const std::string& nativePath, MediaFields& out);
void ReadAudioBytes(std::string_view bytes, MediaFields& out);

// A file to read films from; nothing when it cannot be opened.
std::unique_ptr<ByteSource> OpenFileSource(const std::string& nativePath);

// "2023:07:04 09:05:31" (also with '-' in the date) as wall seconds.
std::optional<int64_t> ReadExifTime(std::string_view text);
// "+09:00" / "-0530" / "Z" as minutes east of UTC.
std::optional<int32_t> ReadUtcOffset(std::string_view text);
// A library's UTF-8 text, trimmed; empty when only blanks or controls.
std::u16string CleanText(std::string_view utf8);

}  // namespace quirnel::media
