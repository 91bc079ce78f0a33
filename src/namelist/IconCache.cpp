#include "namelist/IconCache.h"

#include "base/TextHelpers.h"
#include "platform/PathText.h"

namespace quirnel {

bool CarriesOwnIcon(const std::u16string& ext) {
    return EqualsIgnoringAsciiCase(ext, ".exe") || EqualsIgnoringAsciiCase(ext, ".ico") ||
           EqualsIgnoringAsciiCase(ext, ".lnk");
}

template <typename MakePath>
int IconCache::lookup(std::u16string_view name, bool isFolder, MakePath makePath) {
    IconProvider& p = provider_ ? *provider_ : fallback_;
    if (isFolder) return p.folderIcon();
    std::u16string ext(ExtensionOf(name, Dot::With));
    if (CarriesOwnIcon(ext)) return p.fileIcon(makePath(), ext);
    auto it = cache_.find(ext);
    if (it != cache_.end()) return it->second;
    int icon = p.fileIcon(makePath(), ext);
    cache_.emplace(ext, icon);
    return icon;
}

int IconCache::iconFor(const std::u16string& path, std::u16string_view name, bool isFolder) {
    return lookup(name, isFolder, [&] { return path; });
}

int IconCache::iconFor(const std::u16string& folder, std::u16string_view name, bool isFolder,
                       const PathStyle& style) {
    return lookup(name, isFolder, [&] {
        std::u16string path = JoinFolder(folder, style);
        path += name;
        return path;
    });
}

}  // namespace quirnel
