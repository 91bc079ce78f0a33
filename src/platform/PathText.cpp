#include "platform/PathText.h"

namespace quirnel {

std::u16string ParentFolderOf(const std::u16string& path, const PathStyle& style) {
    size_t p = path.rfind(style.separator);
    if (p == std::u16string::npos) return {};
    if (p == 0 && !style.windows) return std::u16string(1, style.separator);
    return path.substr(0, p);
}

std::u16string NameOf(std::u16string_view path, Extension extension, const PathStyle& style) {
    size_t p = path.rfind(style.separator);
    std::u16string_view name = p == std::u16string_view::npos ? path : path.substr(p + 1);
    return std::u16string(extension == Extension::Keep ? name : NamePart(name, false));
}

std::u16string_view NamePart(std::u16string_view name, bool isFolder) {
    if (isFolder) return name;
    size_t dot = name.rfind(u'.');
    return dot == std::u16string_view::npos ? name : name.substr(0, dot);
}

std::u16string_view ExtensionOf(std::u16string_view name, bool isFolder, Dot dot) {
    if (isFolder) return {};
    size_t at = name.rfind(u'.');
    if (at == std::u16string_view::npos) return {};
    return name.substr(dot == Dot::With ? at : at + 1);
}

std::u16string JoinFolder(const std::u16string& folder, const PathStyle& style) {
    if (folder.empty() || folder.back() == style.separator) return folder;
    return folder + style.separator;
}

namespace {

bool NeedsSeparator(std::u16string_view folder, const PathStyle& style) {
    return style.windows || folder.empty() || folder.back() != style.separator;
}

}  // namespace

void WriteJoinedPath(std::u16string_view folder, std::u16string_view name, const PathStyle& style, std::u16string& out) {
    out.reserve(folder.size() + 1 + name.size());
    out.assign(folder);
    if (NeedsSeparator(folder, style)) out.push_back(style.separator);
    out.append(name);
}

std::u16string JoinPath(std::u16string_view folder, std::u16string_view name, const PathStyle& style) {
    std::u16string out;
    WriteJoinedPath(folder, name, style, out);
    return out;
}

bool IsJoinedPath(std::u16string_view text, std::u16string_view folder, std::u16string_view name, const PathStyle& style) {
    const size_t sep = NeedsSeparator(folder, style) ? 1 : 0;
    return text.size() == folder.size() + sep + name.size() && text.substr(0, folder.size()) == folder &&
           (!sep || text[folder.size()] == style.separator) && text.substr(folder.size() + sep) == name;
}

}  // namespace quirnel
