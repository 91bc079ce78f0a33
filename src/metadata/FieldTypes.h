#pragma once
// The values the readers give, apart from the reading, so the readers
// themselves can include them.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quirnel {

// A clock reading as the camera wrote it: the wall time where the picture was
// taken, and its offset from UTC when the file says it.
struct TakenTime {
    int64_t wallSeconds = 0;  // the wall time counted as if it were UTC
    std::optional<int32_t> offsetMinutes;
    bool operator==(const TakenTime&) const = default;
};

// What a photo, song or film says about itself. A field the file does not
// hold stays empty; texts are trimmed and never empty when set.
struct MediaFields {
    std::optional<TakenTime> taken;
    std::u16string make, model, lens;
    std::optional<uint32_t> width, height, iso;
    std::u16string artist, albumArtist, album, title, genre;
    std::optional<uint32_t> track, disc, year;
    std::optional<uint32_t> durationSeconds;
    // Why nothing could be read (a cut-short or damaged file); empty otherwise.
    std::u16string error;
    // The reading was stopped before this file: nothing is known of it.
    bool unread = false;
    bool operator==(const MediaFields&) const = default;
};

// The readers there are.
enum class MediaKind { None, Photo, Audio, Movie };

}  // namespace quirnel
