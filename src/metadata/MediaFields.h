#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "metadata/FieldTypes.h"

namespace quirnel {

// Which reader a file goes to, by its extension.
MediaKind MediaKindOf(std::u16string_view fileName);

// The fields of one file. Reads are bounded: a photo's first few MiB, a film's
// box headers, a song through its tag reader; a file that cannot be read gives
// its error and no fields.
MediaFields ReadMediaFields(const std::u16string& path);

// The same over bytes already in memory (what the fuzz target drives).
MediaFields ReadMediaBytes(std::string_view bytes, MediaKind kind);

// "YYYY-MM-DD hh:mm:ss" of a wall time, the list's time text.
std::u16string WallTimeText(int64_t wallSeconds);

}  // namespace quirnel
