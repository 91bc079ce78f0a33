#pragma once
#include <string>

#include "platform/PathStyle.h"

namespace quirnel {

// Text before the last separator; empty without one. In POSIX style a path
// directly under the root gives "/", so paths built from it stay absolute.
std::u16string ParentFolderOf(const std::u16string& path, const PathStyle& style);

// Part after the last separator; without extension it is cut before its last dot.
std::u16string NameOf(const std::u16string& text, bool withExtension, const PathStyle& style);

// Empty for folders and names without a dot; else from the last dot on.
std::u16string ExtensionOf(const std::u16string& name, bool isFolder, bool withDot);

// Folder with one separator appended unless empty or already ending in one.
std::u16string JoinFolder(const std::u16string& folder, const PathStyle& style);

// Folder + separator + name. Windows style always inserts the separator; POSIX
// style does not double one that the folder already ends in ("/" + "a").
std::u16string JoinPath(const std::u16string& folder, const std::u16string& name, const PathStyle& style);

}  // namespace quirnel
