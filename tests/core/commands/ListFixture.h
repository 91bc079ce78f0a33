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

#include "platform/LocalTime.h"

namespace quirnel::testing {

// UTC seconds of a local calendar time, so the list shows exactly that time.
inline int64_t LocalSeconds(int y, int mo, int d, int h, int mi, int s) {
    std::tm cal{};
    cal.tm_year = y - 1900;
    cal.tm_mon = mo - 1;
    cal.tm_mday = d;
    cal.tm_hour = h;
    cal.tm_min = mi;
    cal.tm_sec = s;
    int64_t out = 0;
    FromLocalCalendar(cal, out);
    return out;
}

// A time the list cannot show: its column text is empty.
constexpr int64_t kNoTime = INT64_MAX;

}  // namespace quirnel::testing
