#pragma once
#include <string>
#include <string_view>
#include <unordered_map>

#include "platform/PathStyle.h"

namespace quirnel {

// Where icons come from: the window asks its icon theme, the core has none.
class IconProvider {
public:
    virtual ~IconProvider() = default;
    virtual int folderIcon() { return 3; }
    // The icon of this very file (its path and its extension with the dot).
    virtual int fileIcon(const std::u16string& path, const std::u16string& extension) { return 0; }
};

// Icons by extension (with its dot, compared exactly), asked once per
// extension; executables, icons and links carry their own and are asked every time.
class IconCache {
public:
    explicit IconCache(IconProvider* provider = nullptr) : provider_(provider) {}
    void setProvider(IconProvider* provider) { provider_ = provider; cache_.clear(); }
    int iconFor(const std::u16string& path, std::u16string_view name, bool isFolder);
    // The same for the entry name in folder; the path is written out only
    // when the provider is asked.
    int iconFor(const std::u16string& folder, std::u16string_view name, bool isFolder, const PathStyle& style);
    void clear() { cache_.clear(); }
    size_t size() const { return cache_.size(); }

private:
    template <typename MakePath>
    int lookup(std::u16string_view name, bool isFolder, MakePath makePath);

    IconProvider fallback_;
    IconProvider* provider_;
    std::unordered_map<std::u16string, int> cache_;
};

// True for ".exe", ".ico" and ".lnk" in any letter case.
bool CarriesOwnIcon(const std::u16string& extension);

}  // namespace quirnel
