#pragma once
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "namelist/NameList.h"

namespace quirnel::test {

// One row of a list built by hand, without touching the disk.
struct Item {
    std::u16string name;
    std::u16string folder = u"C:\\data";
    bool isFolder = false;
    int64_t created = 0;
    int64_t modified = 0;
    uint64_t size = 0;
};

inline void Fill(NameList& list, const std::vector<Item>& items) {
    for (const Item& it : items) {
        RowSource s;
        s.name = it.name;
        s.folder = it.folder;
        s.isFolder = it.isFolder;
        s.size = it.size;
        s.created = it.created;
        s.modified = it.modified;
        list.appendRow(s);
    }
}

// Files of one folder.
inline void AddRows(NameList& list, const std::u16string& folder, std::initializer_list<const char16_t*> names) {
    std::vector<Item> items;
    for (const char16_t* n : names) items.push_back({n, folder});
    Fill(list, items);
}

inline std::unique_ptr<NameList> MakeList(const std::vector<Item>& items,
                                          const PathStyle& style = PathStyle::forWindows()) {
    auto list = std::make_unique<NameList>(style);
    Fill(*list, items);
    return list;
}

inline std::unique_ptr<NameList> OneFile(const std::u16string& name) { return MakeList({{name}}); }
inline std::unique_ptr<NameList> OneFolder(const std::u16string& name) { return MakeList({{name, u"C:\\data", true}}); }

inline std::vector<std::u16string> ColumnTexts(const NameList& list, int column) {
    std::vector<std::u16string> out;
    for (int r = 0; r < list.size(); ++r) out.push_back(list.text(r, column));
    return out;
}

inline std::vector<std::u16string> NewNames(const NameList& list) {
    std::vector<std::u16string> out;
    for (int r = 0; r < list.size(); ++r) out.emplace_back(list.newName(r));
    return out;
}

inline std::vector<std::u16string> NewFolders(const NameList& list) {
    std::vector<std::u16string> out;
    for (int r = 0; r < list.size(); ++r) out.push_back(list.newFolder(r));
    return out;
}

inline std::vector<bool> Selection(const NameList& list) {
    std::vector<bool> out;
    for (int r = 0; r < list.size(); ++r) out.push_back(list.selected(r));
    return out;
}

}  // namespace quirnel::test
