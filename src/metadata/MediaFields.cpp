#include "metadata/MediaFields.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <ctime>

#include "metadata/JpegExif.h"
#include "metadata/MediaReaders.h"
#include "metadata/MovieTime.h"
#include "platform/FileContent.h"
#include "platform/LocalTime.h"
#include "platform/NativeText.h"

namespace quirnel {
namespace {

// EXIF sits in the first segments of a photo; raw files keep their IFDs
// early too. More than this is never read, whatever the file claims.
constexpr size_t kPhotoHeadBytes = 4u << 20;

std::u16string LowerExtension(std::u16string_view name) {
    size_t dot = name.rfind(u'.');
    if (dot == std::u16string_view::npos) return {};
    std::u16string ext(name.substr(dot + 1));
    for (char16_t& c : ext)
        if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
    return ext;
}

template <size_t N>
bool OneOf(const std::u16string& ext, const char16_t* const (&list)[N]) {
    return std::find(std::begin(list), std::end(list), ext) != std::end(list);
}

class MemorySource : public media::ByteSource {
public:
    explicit MemorySource(std::string_view bytes) : bytes_(bytes) {}
    std::string readAt(uint64_t offset, size_t count) override {
        if (offset >= bytes_.size()) return {};
        return std::string(bytes_.substr(offset, count));
    }
    uint64_t size() override { return bytes_.size(); }

private:
    std::string_view bytes_;
};

// A film's UTC recording time, as the wall time where it is now read.
void ReadMovie(media::ByteSource& source, MediaFields& out) {
    auto header = media::ReadMovieHeader(source);
    if (!header) {
        out.error = u"no movie header";
        return;
    }
    out.durationSeconds = header->durationSeconds;
    std::tm cal{};
    if (header->createdUtc && ToLocalCalendar(*header->createdUtc, cal)) {
        int64_t wall = DaysFromCivil(cal.tm_year + 1900, cal.tm_mon + 1, cal.tm_mday) * 86400 +
                       cal.tm_hour * 3600 + cal.tm_min * 60 + cal.tm_sec;
        out.taken = TakenTime{wall, static_cast<int32_t>((wall - *header->createdUtc) / 60)};
    }
}

bool IsSpaceOrControl(char16_t c) { return c <= u' ' || c == 0x7F; }

}  // namespace

MediaKind MediaKindOf(std::u16string_view fileName) {
    static const char16_t* const kPhotos[] = {u"jpg", u"jpeg", u"jpe", u"tif", u"tiff", u"png", u"webp", u"heic",
                                              u"heif", u"avif", u"cr2", u"cr3", u"nef", u"arw", u"dng", u"orf",
                                              u"rw2", u"raf", u"pef", u"srw", u"exv"};
    static const char16_t* const kAudio[] = {u"mp3", u"flac", u"ogg", u"oga", u"opus", u"m4a", u"m4b",
                                             u"wav", u"aif", u"aiff", u"wma", u"ape", u"wv", u"mpc"};
    static const char16_t* const kMovies[] = {u"mov", u"mp4", u"m4v", u"3gp", u"3g2", u"qt"};
    const std::u16string ext = LowerExtension(fileName);
    if (OneOf(ext, kPhotos)) return MediaKind::Photo;
    if (OneOf(ext, kAudio)) return MediaKind::Audio;
    if (OneOf(ext, kMovies)) return MediaKind::Movie;
    return MediaKind::None;
}

MediaFields ReadMediaBytes(std::string_view bytes, MediaKind kind) {
    MediaFields out;
    switch (kind) {
        case MediaKind::Photo: media::ReadPhoto(bytes.substr(0, kPhotoHeadBytes), out); break;
        case MediaKind::Audio: media::ReadAudioBytes(bytes, out); break;
        case MediaKind::Movie: {
            MemorySource source(bytes);
            ReadMovie(source, out);
            break;
        }
        case MediaKind::None: break;
    }
    return out;
}

MediaFields ReadMediaFields(const std::u16string& path) {
    MediaFields out;
    const MediaKind kind = MediaKindOf(path);
    if (kind == MediaKind::Photo) {
        // The first chunk holds a common JPEG's EXIF; the rest only when the
        // library has to look.
        std::string head;
        bool done = false;
        Result r = ReadFileChunks(path, [&](std::string_view chunk) {
            head.append(chunk.substr(0, kPhotoHeadBytes - head.size()));
            if (head.size() == chunk.size() && media::ReadJpegExif(head, out)) done = true;
            return !done && head.size() < kPhotoHeadBytes;
        });
        if (!r.ok()) {
            out = MediaFields{};
            out.error = r.reason.empty() ? u"cannot be read" : r.reason;
            return out;
        }
        if (!done) media::ReadPhotoWithExiv2(head, out);
    } else if (kind == MediaKind::Audio) {
        media::ReadAudioFile(ToNative(path), out);
    } else if (kind == MediaKind::Movie) {
        auto source = media::OpenFileSource(ToNative(path));
        if (!source) out.error = u"cannot be opened";
        else ReadMovie(*source, out);
    }
    return out;
}

std::u16string WallTimeText(int64_t wallSeconds) {
    int64_t days = wallSeconds / 86400, rest = wallSeconds % 86400;
    if (rest < 0) rest += 86400, --days;
    int64_t year;
    int month, day;
    CivilFromDays(days, year, month, day);
    char text[32];
    snprintf(text, sizeof text, "%04lld-%02d-%02d %02d:%02d:%02d", static_cast<long long>(year), month, day,
             static_cast<int>(rest / 3600), static_cast<int>(rest / 60 % 60), static_cast<int>(rest % 60));
    return std::u16string(text, text + strlen(text));
}

namespace media {

std::optional<int64_t> ReadExifTime(std::string_view t) {
    // "YYYY:MM:DD hh:mm:ss"; cameras without a clock write zeros or blanks.
    if (t.size() < 19) return std::nullopt;
    auto num = [&](size_t at, size_t n, int& v) {
        v = 0;
        for (size_t i = at; i < at + n; ++i) {
            if (t[i] < '0' || t[i] > '9') return false;
            v = v * 10 + (t[i] - '0');
        }
        return true;
    };
    int y, mo, d, h, mi, s;
    if (!num(0, 4, y) || !num(5, 2, mo) || !num(8, 2, d) || !num(11, 2, h) || !num(14, 2, mi) || !num(17, 2, s))
        return std::nullopt;
    static const int kDays[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (y < 1 || mo < 1 || mo > 12 || d < 1 || d > kDays[mo - 1] || h > 23 || mi > 59 || s > 60) return std::nullopt;
    if (mo == 2 && d == 29 && !(y % 4 == 0 && (y % 100 != 0 || y % 400 == 0))) return std::nullopt;
    return DaysFromCivil(y, mo, d) * 86400 + h * 3600 + mi * 60 + std::min(s, 59);
}

std::optional<int32_t> ReadUtcOffset(std::string_view t) {
    while (!t.empty() && t.front() == ' ') t.remove_prefix(1);
    if (t.empty()) return std::nullopt;
    if (t.front() == 'Z') return 0;
    if (t.size() < 5 || (t[0] != '+' && t[0] != '-')) return std::nullopt;
    std::string digits;
    for (char c : t.substr(1, 5))
        if (c >= '0' && c <= '9') digits.push_back(c);
        else if (c != ':') break;
    if (digits.size() != 4) return std::nullopt;
    int h = (digits[0] - '0') * 10 + digits[1] - '0', m = (digits[2] - '0') * 10 + digits[3] - '0';
    if (h > 14 || m > 59) return std::nullopt;
    return (t[0] == '-' ? -1 : 1) * (h * 60 + m);
}

std::u16string CleanText(std::string_view utf8) {
    std::u16string t = FromUtf8(utf8.substr(0, 1024));
    // Control characters never belong in a name; a separator would make a folder level.
    for (char16_t& c : t)
        if (c < u' ' || c == 0x7F) c = u' ';
        else if (c == u'/' || c == u'\\') c = u'_';
    size_t b = 0, e = t.size();
    while (b < e && IsSpaceOrControl(t[b])) ++b;
    while (e > b && IsSpaceOrControl(t[e - 1])) --e;
    return t.substr(b, e - b);
}

}  // namespace media
}  // namespace quirnel
