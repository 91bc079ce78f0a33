#pragma once
#include <memory>
#include <string>
#include <vector>

#include "namelist/NameList.h"
#include "platform/NativeText.h"

namespace quirnel::testing {

struct Item {
    std::u16string name;
    std::u16string folder = u"C:\\data";
    bool isFolder = false;
    int64_t created = 0;
    int64_t modified = 0;
};

inline std::unique_ptr<NameList> MakeList(const std::vector<Item>& items,
                                          const PathStyle& style = PathStyle::Windows()) {
    auto list = std::make_unique<NameList>(style);
    for (const Item& it : items) {
        RowSource s;
        s.name = it.name;
        s.folder = it.folder;
        s.isFolder = it.isFolder;
        s.created = it.created;
        s.modified = it.modified;
        list->appendRow(s);
    }
    return list;
}

inline std::unique_ptr<NameList> OneFile(const std::u16string& name) { return MakeList({{name}}); }
inline std::unique_ptr<NameList> OneFolder(const std::u16string& name) { return MakeList({{name, u"C:\\data", true}}); }

inline std::vector<std::u16string> NewNames(const NameList& list) {
    std::vector<std::u16string> out;
    for (int r = 0; r < list.size(); ++r) out.push_back(list.newName(r));
    return out;
}

inline std::vector<std::u16string> NewFolders(const NameList& list) {
    std::vector<std::u16string> out;
    for (int r = 0; r < list.size(); ++r) out.push_back(list.newFolder(r));
    return out;
}

inline std::string U8(const std::u16string& s) { return ToUtf8(s); }

}  // namespace quirnel::testing
