#pragma once
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "base/Host.h"
#include "platform/NativeText.h"

namespace quirnel::test {

// A temporary folder removed with everything in it at the end of the test.
class TempDir {
public:
    // In /tmp, or in another folder (another file system).
    explicit TempDir(const std::string& base = "/tmp") {
        std::string tmpl = base + "/quirnel-test-XXXXXX";
        const char* made = mkdtemp(tmpl.data());
        path_ = made ? made : "";
    }
    ~TempDir() {
        std::error_code ec;
        if (!path_.empty()) std::filesystem::remove_all(path_, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& path() const { return path_; }
    std::u16string u16() const { return FromNative(path_); }
    // The path of an entry inside, as the core takes it; nothing is created.
    std::u16string u16(const std::string& rel) const { return FromNative(path_ + "/" + rel); }
    std::string operator/(const std::string& rel) const { return path_ + "/" + rel; }
    // Creates a file (and its folders) holding exactly these bytes.
    std::string file(const std::string& rel, const std::string& content = "") const {
        std::filesystem::path p = path_ + "/" + rel;
        std::filesystem::create_directories(p.parent_path());
        std::ofstream(p, std::ios::binary) << content;
        return p.string();
    }
    std::string folder(const std::string& rel) const {
        std::filesystem::create_directories(path_ + "/" + rel);
        return path_ + "/" + rel;
    }
    // The raw bytes of a file inside, for files the program wrote itself.
    std::string read(const std::string& rel) const {
        std::ifstream in(path_ + "/" + rel, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

private:
    std::string path_;
};

// Records what the core tells a person; questions get scripted answers.
class RecordingHost : public Host {
public:
    explicit RecordingHost(bool answer = true) : answer(answer) {}
    void AppendLog(const std::u16string& m) override { log.push_back(m); }
    void SetStatusText(const std::u16string& t) override { status = t; }
    void ShowMessageDialog(const std::u16string& text, const std::u16string& title) override {
        messages.push_back(title + u": " + text);
        dialogs.push_back({title, text});
    }
    bool askYesNo(Question id, const std::u16string& text) override {
        questionIds.push_back(id);
        questions.push_back(text);
        return answer;
    }
    void setProgress(int p) override { progress.push_back(p); }
    void commandStateChanged() override { ++stateChanges; }

    std::vector<std::u16string> log, messages, questions;
    std::vector<Question> questionIds;  // the questions asked, by identity
    std::vector<std::pair<std::u16string, std::u16string>> dialogs;  // title, text
    std::vector<int> progress;
    std::u16string status;
    bool answer;
    int stateChanges = 0;
};

inline std::string Utf8(std::u16string_view s) { return ToUtf8(s); }

// True while a process writes an unnamed file in folder: a copy in progress,
// which shows under no name until it is complete.
inline bool UnnamedFileOpenIn(const std::string& folder, pid_t pid = getpid(), std::uintmax_t atLeast = 0) {
    std::error_code ec;
    const std::string prefix = folder + "/#";
    for (auto& fd : std::filesystem::directory_iterator("/proc/" + std::to_string(pid) + "/fd", ec)) {
        std::string target = std::filesystem::read_symlink(fd.path(), ec).string();
        if (ec || target.compare(0, prefix.size(), prefix) != 0) continue;
        if (atLeast == 0) return true;
        const std::uintmax_t size = std::filesystem::file_size(fd.path(), ec);
        if (!ec && size >= atLeast) return true;
    }
    return false;
}

}  // namespace quirnel::test
