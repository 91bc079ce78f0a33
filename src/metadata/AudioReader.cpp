#include <taglib/fileref.h>
#include <taglib/tbytevectorstream.h>
#include <taglib/tfilestream.h>
#include <taglib/tpropertymap.h>

#include <algorithm>

#include "metadata/BlockStream.h"
#include "metadata/MediaReaders.h"

namespace quirnel::media {
namespace {

std::u16string TextOf(const TagLib::String& s) { return CleanText(s.to8Bit(true)); }

std::optional<uint32_t> Positive(unsigned v) { return v > 0 ? std::optional<uint32_t>(v) : std::nullopt; }

// "2/12" -> 2; a text without a leading number gives nothing.
std::optional<uint32_t> LeadingNumber(const TagLib::PropertyMap& map, const char* key) {
    auto it = map.find(key);
    if (it == map.end() || it->second.isEmpty()) return std::nullopt;
    const std::string t = it->second.front().to8Bit(true);
    uint32_t n = 0;
    size_t i = 0;
    for (; i < t.size() && i < 9 && t[i] >= '0' && t[i] <= '9'; ++i) n = n * 10 + (t[i] - '0');
    return i > 0 && n > 0 ? std::optional<uint32_t>(n) : std::nullopt;
}

void TakeFields(TagLib::FileRef& ref, MediaFields& out) {
    if (const TagLib::Tag* tag = ref.tag()) {
        out.artist = TextOf(tag->artist());
        out.album = TextOf(tag->album());
        out.title = TextOf(tag->title());
        out.genre = TextOf(tag->genre());
        out.year = Positive(tag->year());
        out.track = Positive(tag->track());
    }
    const TagLib::PropertyMap map = ref.file()->properties();
    auto albumArtist = map.find("ALBUMARTIST");
    if (albumArtist != map.end() && !albumArtist->second.isEmpty()) out.albumArtist = TextOf(albumArtist->second.front());
    out.disc = LeadingNumber(map, "DISCNUMBER");
    if (const TagLib::AudioProperties* p = ref.audioProperties()) {
        if (p->lengthInSeconds() > 0) out.durationSeconds = static_cast<uint32_t>(p->lengthInSeconds());
    }
}

void ReadStream(TagLib::IOStream& stream, MediaFields& out) {
    try {
        TagLib::FileRef ref(&stream, true, TagLib::AudioProperties::Fast);
        if (ref.isNull() || !ref.file()->isValid()) {
            out.error = u"no tags could be read";
            return;
        }
        TakeFields(ref, out);
    } catch (const std::exception& e) {
        out = MediaFields{};
        out.error = CleanText(e.what());
    }
}

}  // namespace

void ReadAudioFile(const std::string& nativePath, MediaFields& out) {
    BlockStream stream(nativePath.c_str());
    if (!stream.isOpen()) {
        out.error = u"cannot be opened";
        return;
    }
    ReadStream(stream, out);
}

void ReadAudioBytes(std::string_view bytes, MediaFields& out) {
    TagLib::ByteVector data(bytes.data(), static_cast<unsigned>(bytes.size()));
    TagLib::ByteVectorStream stream(data);
    ReadStream(stream, out);
}

}  // namespace quirnel::media

namespace quirnel::media {
namespace {

// TagLib's file stream serves as the seekable reader of films too.
class FileSource : public ByteSource {
public:
    explicit FileSource(const std::string& path) : stream_(path.c_str(), true) {}
    bool open() const { return stream_.isOpen(); }
    std::string readAt(uint64_t offset, size_t count) override {
        if (offset >= size()) return {};
        stream_.seek(static_cast<long>(offset));
        TagLib::ByteVector b = stream_.readBlock(static_cast<unsigned long>(count));
        return std::string(b.data(), b.size());
    }
    uint64_t size() override {
        if (size_ < 0) size_ = stream_.length();
        return static_cast<uint64_t>(std::max<long>(size_, 0));
    }

private:
    TagLib::FileStream stream_;
    long size_ = -1;
};

}  // namespace

std::unique_ptr<ByteSource> OpenFileSource(const std::string& nativePath) {
    auto source = std::make_unique<FileSource>(nativePath);
    if (!source->open()) return nullptr;
    return source;
}

}  // namespace quirnel::media
