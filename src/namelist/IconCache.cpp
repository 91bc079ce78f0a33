#include "namelist/IconCache.h"

#include "platform/PathText.h"

namespace quirnel {

bool CarriesOwnIcon(const std::u16string& ext) {
    if (ext.size() != 4 || ext[0] != u'.') return false;
    std::u16string low;
    for (char16_t c : ext) low.push_back(c >= u'A' && c <= u'Z' ? c + 32 : c);
    return low == u".exe" || low == u".ico" || low == u".lnk";
}

int IconCache::IconFor(const std::u16string& path, const std::u16string& name, bool isFolder) {
    IconProvider& p = provider_ ? *provider_ : fallback_;
    if (isFolder) return p.FolderIcon();
    std::u16string ext = ExtensionOf(name, false, true);
    if (CarriesOwnIcon(ext)) return p.FileIcon(path, ext);
    auto it = cache_.find(ext);
    if (it != cache_.end()) return it->second;
    int icon = p.FileIcon(path, ext);
    cache_.emplace(ext, icon);
    return icon;
}

}  // namespace quirnel
