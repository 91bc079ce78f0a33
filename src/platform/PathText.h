#pragma once
#include <string>
#include <string_view>

#include "platform/PathStyle.h"

namespace quirnel {

// Text before the last separator; empty without one. In POSIX style a path
// directly under the root gives "/", so paths built from it stay absolute.
std::u16string ParentFolderOf(const std::u16string& path, const PathStyle& style);

// Whether a name keeps its extension, and an extension its leading dot.
enum class Extension { Drop, Keep };
enum class Dot { Without, With };

// Part after the last separator; dropping the extension cuts it before its last dot.
std::u16string NameOf(std::u16string_view path, Extension extension, const PathStyle& style);

// A name as commands and filters split it: a folder's name is all name part;
// a file's is cut before its last dot, which starts the extension.
std::u16string_view NamePart(std::u16string_view name, bool isFolder);
// Empty for folders and names without a dot; else from the last dot on.
std::u16string_view ExtensionOf(std::u16string_view name, bool isFolder, Dot dot);
// The extension of a name known to be a file's.
inline std::u16string_view ExtensionOf(std::u16string_view fileName, Dot dot) {
    return ExtensionOf(fileName, false, dot);
}

// Folder with one separator appended unless empty or already ending in one.
std::u16string JoinFolder(const std::u16string& folder, const PathStyle& style);

// Folder + separator + name. Windows style always inserts the separator; POSIX
// style does not double one that the folder already ends in ("/" + "a").
std::u16string JoinPath(std::u16string_view folder, std::u16string_view name, const PathStyle& style);
// The same path into out, whose buffer is reused.
void WriteJoinedPath(std::u16string_view folder, std::u16string_view name, const PathStyle& style, std::u16string& out);
// Whether text is JoinPath(folder, name), without writing it out.
bool IsJoinedPath(std::u16string_view text, std::u16string_view folder, std::u16string_view name, const PathStyle& style);

}  // namespace quirnel
