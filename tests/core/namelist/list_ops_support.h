#pragma once
#include <string>
#include <vector>

#include "app/AppState.h"
#include "app/Host.h"
#include "namelist/NameList.h"
#include "namelist/Workspace.h"

namespace quirnel::testing_support {

// Records what the core reports instead of showing it.
class RecordingHost : public Host {
public:
    void AppendLog(const std::u16string& message) override { log.push_back(message); }
    void SetStatusText(const std::u16string& text) override { status = text; }
    void ShowMessageDialog(const std::u16string& text, const std::u16string&) override { messages.push_back(text); }
    bool AskYesNo(const std::u16string&) override { return true; }
    void CommandStateChanged() override { ++stateChanges; }

    std::vector<std::u16string> log;
    std::u16string status;
    std::vector<std::u16string> messages;
    int stateChanges = 0;
};

struct Item {
    std::u16string name;
    std::u16string folder;
    bool isFolder = false;
    uint64_t size = 0;
    int64_t modified = 0;
};

inline void Fill(NameList& list, const std::vector<Item>& items) {
    for (const Item& it : items) {
        RowSource s;
        s.name = it.name;
        s.folder = it.folder;
        s.isFolder = it.isFolder;
        s.size = it.size;
        s.modified = it.modified;
        s.created = it.modified;
        list.appendRow(s);
    }
}

inline std::vector<std::u16string> ColumnTexts(const NameList& list, int column) {
    std::vector<std::u16string> out;
    for (int r = 0; r < list.size(); ++r) out.push_back(list.text(r, column));
    return out;
}

inline std::vector<bool> Selection(const NameList& list) {
    std::vector<bool> out;
    for (int r = 0; r < list.size(); ++r) out.push_back(list.selected(r));
    return out;
}

// A workspace with its own state and host, in the given path style.
struct TestWorkspace {
    explicit TestWorkspace(const PathStyle& style = PathStyle::Windows()) : ws(app, host, style) {}
    AppState app;
    RecordingHost host;
    Workspace ws;
};

}  // namespace quirnel::testing_support
