// Text files and names: a file reads as its bytes decode, whether whole or
// line by line, and a name's bytes survive the trip through text.
#include <sys/mman.h>
#include <unistd.h>

#include "FuzzInput.h"
#include "base/TextFile.h"
#include "base/TextLines.h"
#include "platform/NativeText.h"

using namespace quirnel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    FUZZ_CHECK(ToNative(FromNative(bytes)) == bytes);

    const std::u16string whole = DecodeTextFile(bytes);
    std::u16string joined;
    bool first = true;
    LineReader reader(LineDecoding::Utf8Text, [&](std::u16string& line) {
        joined += (first ? u"" : u"\n") + line;
        first = false;
        return true;
    });
    // Pieces of a size the input chooses, as a pipe might hand them out.
    const size_t piece = size > 0 ? 1 + data[0] % 7 : 1;
    for (size_t i = 0; i < size; i += piece) reader.feed(bytes.substr(i, piece));
    reader.finish();
    // No line can reach the length at which the line reader cuts.
    if (size < LineReader::kMaxLineUnits) FUZZ_CHECK(joined == whole);

    // The real reader, on a file that lives in memory.
    int fd = memfd_create("text", MFD_CLOEXEC);
    if (fd < 0) return 0;
    if (write(fd, data, size) == static_cast<ssize_t>(size)) {
        std::u16string read;
        const std::u16string path = FromNative("/proc/self/fd/" + std::to_string(fd));
        FUZZ_CHECK(ReadTextFile(path, read) && read == whole);
    }
    close(fd);
    return 0;
}
