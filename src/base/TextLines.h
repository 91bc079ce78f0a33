#pragma once
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace quirnel {

// How the bytes of a text that is not UTF-16 become text: as file names
// (lossless: each byte that is not part of valid UTF-8 keeps its own marker,
// so the name comes back byte for byte), or as plain UTF-8 (such bytes
// become U+FFFD), as ReadTextFile reads them.
enum class LineDecoding { FileNames, Utf8Text };

// Receives each line without its line feed (a CR before it stays); returns
// false to stop reading.
using LineSink = std::function<bool(std::u16string& line)>;

// A text cut into lines while it is read, so that a text of any length costs
// memory for one line only. UTF-16LE after FF FE, otherwise bytes decoded as
// above; the text ends at its first 0 code unit (or 0 byte), as in
// ReadTextFile. The text after the last line feed is a line too, so every
// text has at least one line. A line longer than kMaxLineUnits keeps only
// its start: no path or name can be that long.
class LineReader {
public:
    static constexpr size_t kMaxLineUnits = 64 * 1024;

    LineReader(LineDecoding decoding, LineSink onLine) : decoding_(decoding), onLine_(std::move(onLine)) {}
    // False once the text has ended or the sink asked to stop.
    bool feed(std::string_view bytes);
    // Hands out the last line.
    void finish();

private:
    enum class Form { Unknown, Utf16, Bytes };
    void feedUtf16(std::string_view bytes);
    void feedBytes(std::string_view bytes);
    void endLine();
    bool done() const { return ended_ || stopped_; }

    LineDecoding decoding_;
    LineSink onLine_;
    Form form_ = Form::Unknown;
    std::string head_;      // the first bytes, until the form is known
    int oddByte_ = -1;      // a UTF-16 unit's low byte waiting for its high byte
    std::u16string units_;  // the line so far, UTF-16
    std::string bytes_;     // the line so far, bytes
    bool ended_ = false;    // a 0 unit or byte ended the text
    bool stopped_ = false;  // the sink asked to stop
    bool finished_ = false;
};

// A file's or standard input's lines through a LineReader. False when the
// source cannot be opened or read (lines read before a read error have been
// handed out).
[[nodiscard]] bool ReadTextFileLines(const std::u16string& path, LineDecoding decoding, const LineSink& onLine);
[[nodiscard]] bool ReadStandardInputLines(LineDecoding decoding, const LineSink& onLine);

}  // namespace quirnel
