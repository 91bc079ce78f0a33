#include "namelist/IconCache.h"

#include "base/TextHelpers.h"
#include "platform/PathText.h"

namespace quirnel {

bool CarriesOwnIcon(const std::u16string& ext) {
    return EqualsIgnoringAsciiCase(ext, ".exe") || EqualsIgnoringAsciiCase(ext, ".ico") ||
           EqualsIgnoringAsciiCase(ext, ".lnk");
}

template <typename MakePath>
int IconCache::Lookup(const std::u16string& name, bool isFolder, MakePath makePath) {
    IconProvider& p = provider_ ? *provider_ : fallback_;
    if (isFolder) return p.FolderIcon();
    std::u16string ext(ExtensionOf(name, Dot::With));
    if (CarriesOwnIcon(ext)) return p.FileIcon(makePath(), ext);
    auto it = cache_.find(ext);
    if (it != cache_.end()) return it->second;
    int icon = p.FileIcon(makePath(), ext);
    cache_.emplace(ext, icon);
    return icon;
}

int IconCache::IconFor(const std::u16string& path, const std::u16string& name, bool isFolder) {
    return Lookup(name, isFolder, [&] { return path; });
}

int IconCache::IconFor(const std::u16string& folder, const std::u16string& name, bool isFolder,
                       const PathStyle& style) {
    return Lookup(name, isFolder, [&] { return JoinFolder(folder, style) + name; });
}

}  // namespace quirnel
