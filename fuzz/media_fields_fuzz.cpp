// The readers of what files hold, on any bytes: no crash, hang or leak, and
// what they give keeps the promises of MediaFields.
#include "FuzzInput.h"
#include "metadata/MediaFields.h"

using namespace quirnel;

namespace {

bool Clean(const std::u16string& t) {
    if (t.empty()) return true;
    if (t.front() == u' ' || t.back() == u' ') return false;
    for (char16_t c : t)
        if (c < u' ' || c == u'/' || c == u'\\') return false;
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::FuzzInput in(data, size);
    const MediaKind kind = static_cast<MediaKind>(in.Byte() % 4);
    const std::string bytes = in.RestBytes();
    const MediaFields f = ReadMediaBytes(bytes, kind);
    for (const std::u16string* t : {&f.make, &f.model, &f.lens, &f.artist, &f.albumArtist, &f.album, &f.title, &f.genre})
        FUZZ_CHECK(Clean(*t));
    if (f.taken) {
        const std::u16string text = WallTimeText(f.taken->wallSeconds);
        FUZZ_CHECK(text.size() == 19);
    }
    if (kind == MediaKind::None) FUZZ_CHECK(f == MediaFields{});
    return 0;
}
