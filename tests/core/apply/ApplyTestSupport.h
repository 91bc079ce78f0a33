#pragma once
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <functional>
#include <map>
#include <regex>
#include <string>
#include <vector>

#include "app/AppState.h"
#include "namelist/AddItems.h"
#include "namelist/Workspace.h"
#include "../TestSupport.h"

namespace quirnel::test {

// A recording host that can act when a log line arrives (a stop request
// while a row is handled, as the Stop button would).
class ApplyHost : public RecordingHost {
public:
    void AppendLog(const std::u16string& m) override {
        RecordingHost::AppendLog(m);
        if (onLog) onLog(m);
    }
    void appendLogLines(const std::vector<TimedLine>& lines) override {
        for (const TimedLine& line : lines) {
            logTimes.push_back(line.utcSeconds);
            AppendLog(line.text);
        }
    }
    void rowsRemoved() override {
        if (onRowsRemoved) onRowsRemoved();
    }
    void ShowMessageDialog(const std::u16string& text, const std::u16string& title) override {
        RecordingHost::ShowMessageDialog(text, title);
        if (onMessage) onMessage();
    }
    std::function<void(const std::u16string&)> onLog;
    std::vector<int64_t> logTimes;  // of the lines that came from another thread
    std::function<void()> onRowsRemoved, onMessage;
};

// A workspace over a temporary folder, filled by the real adding code.
struct ApplyBench {
    TempDir dir;
    TempDir state;  // journals, apart from the files renamed
    AppState app;
    ApplyHost host;
    Workspace ws{app.settings, app.flags, host, PathStyle::forPosix()};

    ApplyBench() {
        app.settings.AutoSort = 0;  // rows stay in the order they were added
        app.settings.LoadType = 0;  // a folder is a row of its own
        app.settings.UseThread = 0;
    }
    std::u16string Path(const std::string& rel) const { return FromNative(dir / rel); }
    // Runs keep journals in the state folder from now on.
    std::u16string KeepJournals() { return app.flags.journal.folder = state.u16("journal"); }
    void Add(const std::vector<std::string>& rels) {
        std::vector<std::u16string> paths;
        for (const auto& r : rels) paths.push_back(Path(r));
        AddPathList(ws, paths);
    }
    void Propose(int row, const std::string& name, const std::string& folderRel = "") {
        ws.list.setNewName(row, FromNative(name));
        if (!folderRel.empty()) ws.list.setNewFolder(row, Path(folderRel));
    }
    std::vector<std::string> Log() const {
        std::vector<std::string> out;
        for (const auto& l : host.log) out.push_back(Utf8(l));
        return out;
    }
    size_t LogFrom(const std::string& start) const {
        std::vector<std::string> log = Log();
        for (size_t i = log.size(); i-- > 0;)
            if (log[i] == start) return i;
        return log.size();
    }
};

inline bool OnDisk(const std::string& path) {
    struct stat st;
    return lstat(path.c_str(), &st) == 0;
}

inline std::string Content(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// Every entry below a folder with a file's content ("<dir>" for a folder).
inline std::map<std::string, std::string> Tree(const std::string& dir) {
    std::map<std::string, std::string> out;
    for (auto& e : std::filesystem::recursive_directory_iterator(dir))
        out[std::filesystem::relative(e.path(), dir).string()] = e.is_directory() ? "<dir>" : Content(e.path().string());
    return out;
}

// prefix + i + suffix, built by appending (GCC 12 warns wrongly about "a" + to_string).
inline std::string Name(const char* prefix, int i, const char* suffix = "") {
    std::string s(prefix);
    s += std::to_string(i);
    s += suffix;
    return s;
}

// The log line without its varying figure.
inline std::string WithoutMs(const std::string& line) {
    return std::regex_replace(line, std::regex("Elapsed Time: [0-9]+ ms"), "Elapsed Time: _ ms");
}

}  // namespace quirnel::test
