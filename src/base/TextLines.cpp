#include "base/TextLines.h"

#include <algorithm>

#include "platform/FileContent.h"
#include "platform/NativeText.h"

namespace quirnel {

bool LineReader::feed(std::string_view bytes) {
    if (done()) return false;
    if (form_ == Form::Unknown) {
        // Two bytes decide; a pipe may hand them out one at a time.
        size_t take = std::min(bytes.size(), 2 - head_.size());
        head_.append(bytes.substr(0, take));
        bytes.remove_prefix(take);
        if (head_.size() < 2) return true;
        if (head_ == "\xFF\xFE") {
            form_ = Form::Utf16;
        } else {
            form_ = Form::Bytes;
            feedBytes(head_);
        }
    }
    if (form_ == Form::Utf16)
        feedUtf16(bytes);
    else
        feedBytes(bytes);
    return !done();
}

void LineReader::feedUtf16(std::string_view bytes) {
    for (size_t i = 0; i < bytes.size() && !done(); ++i) {
        unsigned char b = static_cast<unsigned char>(bytes[i]);
        if (oddByte_ < 0) {
            oddByte_ = b;
            continue;
        }
        char16_t unit = static_cast<char16_t>(oddByte_ | (b << 8));
        oddByte_ = -1;
        if (unit == 0)
            ended_ = true;
        else if (unit == u'\n')
            endLine();
        else if (units_.size() < kMaxLineUnits)
            units_.push_back(unit);
    }
}

void LineReader::feedBytes(std::string_view bytes) {
    while (!bytes.empty() && !done()) {
        size_t stop = bytes.find_first_of(std::string_view("\n\0", 2));
        std::string_view part = bytes.substr(0, stop);
        if (bytes_.size() < kMaxLineUnits) bytes_.append(part.substr(0, kMaxLineUnits - bytes_.size()));
        if (stop == std::string_view::npos) return;
        if (bytes[stop] == '\0')
            ended_ = true;
        else
            endLine();
        bytes.remove_prefix(stop + 1);
    }
}

void LineReader::endLine() {
    std::u16string line;
    if (form_ == Form::Utf16) {
        line.swap(units_);
    } else {
        line = decoding_ == LineDecoding::FileNames ? FromNative(bytes_) : FromUtf8(bytes_);
        bytes_.clear();
    }
    stopped_ = !onLine_(line);
}

void LineReader::finish() {
    if (form_ == Form::Unknown) {
        form_ = Form::Bytes;
        feedBytes(head_);
    } else if (form_ == Form::Utf16 && oddByte_ > 0 && !done() && units_.size() < kMaxLineUnits) {
        units_.push_back(static_cast<char16_t>(oddByte_));  // an odd last byte is the low byte of a last unit
    }
    if (stopped_ || finished_) return;
    finished_ = true;
    endLine();
}

namespace {

template <typename Read>
bool ReadLines(LineDecoding decoding, const LineSink& onLine, Read read) {
    LineReader reader(decoding, onLine);
    if (!read([&](std::string_view chunk) { return reader.feed(chunk); })) return false;
    reader.finish();
    return true;
}

}  // namespace

bool ReadTextFileLines(const std::u16string& path, LineDecoding decoding, const LineSink& onLine) {
    return ReadLines(decoding, onLine, [&](const ChunkSink& sink) { return ReadFileChunks(path, sink); });
}

bool ReadStandardInputLines(LineDecoding decoding, const LineSink& onLine) {
    return ReadLines(decoding, onLine, [](const ChunkSink& sink) { return ReadStandardInputChunks(sink); });
}

}  // namespace quirnel
