#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace quirnel {

// The local path a file URL names: "file:///home/me/a%20b.txt" gives
// "/home/me/a b.txt". The percent-encoded bytes are the name's own bytes, so
// a name that is not UTF-8 keeps every byte. Nothing for a text that is not a
// file URL of this machine (empty host or "localhost").
std::optional<std::u16string> PathOfFileUrl(std::u16string_view url);

}  // namespace quirnel
