#pragma once
#include <string>
#include <string_view>

namespace quirnel {

// File names on POSIX are bytes. Valid UTF-8 decodes normally; each byte of an
// invalid sequence becomes a lone surrogate U+DC80..U+DCFF and encodes back to
// the same byte, so no name is ever altered by a round trip.
std::u16string FromNative(std::string_view bytes);
std::string ToNative(std::u16string_view text);

// Plain UTF-8 <-> UTF-16 for texts that are not file names (malformed input
// becomes U+FFFD; lone surrogates encode as U+FFFD).
std::u16string FromUtf8(std::string_view bytes);
std::string ToUtf8(std::u16string_view text);

// ToNative and ToUtf8 appending to out, for output written piece by piece.
void AppendNative(std::string& out, std::u16string_view text);
void AppendUtf8Text(std::string& out, std::u16string_view text);

}  // namespace quirnel
