#pragma once
// Real faults on real folders: mounts that fill up or turn read-only, other
// processes that race the run, signals. Mounting needs root; a test that
// cannot set its fault up skips with the reason.
#include <fcntl.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "../TestSupport.h"
#include "../apply/ApplyTestSupport.h"
#include "TestPaths.h"

namespace quirnel::test {

// A mount made for one test and taken away at its end (lazily, so that a
// failed test never leaves it busy).
class TestMount {
public:
    // A tmpfs of the given size in bytes.
    static TestMount Tmpfs(const std::string& at, long bytes) {
        TestMount m(at);
        std::string options = "size=" + std::to_string(bytes) + ",mode=0755";
        m.Mount(::mount("quirnel-test", at.c_str(), "tmpfs", 0, options.c_str()));
        return m;
    }
    // A folder mounted over itself, so that it can be made read-only alone.
    static TestMount Bind(const std::string& at) {
        TestMount m(at);
        m.Mount(::mount(at.c_str(), at.c_str(), nullptr, MS_BIND, nullptr));
        return m;
    }
    TestMount(TestMount&& other) noexcept : at_(other.at_), mounted_(other.mounted_), why_(other.why_) {
        other.mounted_ = false;
    }
    ~TestMount() {
        if (mounted_) umount2(at_.c_str(), MNT_DETACH);
    }
    bool ok() const { return mounted_; }
    const std::string& why() const { return why_; }
    // Root ignores permission bits; a read-only mount stops it too.
    bool MakeReadOnly() {
        return ::mount(nullptr, at_.c_str(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) == 0;
    }

private:
    explicit TestMount(std::string at) : at_(std::move(at)) {}
    void Mount(int result) {
        mounted_ = result == 0;
        if (!mounted_) why_ = std::string("cannot mount here (") + strerror(errno) + "); needs root";
    }
    std::string at_;
    bool mounted_ = false;
    std::string why_;
};

// A recording host that can act when the run reports progress (every two
// rows of a hundred when UseThread is 1): the moment a fault strikes.
class FaultHost : public ApplyHost {
public:
    void setProgress(int percent) override {
        ApplyHost::setProgress(percent);
        if (onProgress) onProgress(percent);
    }
    std::function<void(int)> onProgress;
};

// Runs a function in a child process and waits for it: another process
// acting on the same folders.
inline void InAnotherProcess(const std::function<void()>& act) {
    pid_t pid = fork();
    if (pid == 0) {
        act();
        _exit(0);
    }
    int status = 0;
    waitpid(pid, &status, 0);
}

// quirnel-cli started with the arguments, its output in a file.
inline pid_t StartCli(const std::vector<std::string>& args, const std::string& outputFile) {
    pid_t pid = fork();
    if (pid == 0) {
        int fd = open(outputFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        dup2(fd, 1);
        dup2(fd, 2);
        std::vector<char*> argv{const_cast<char*>(::quirnel::test::CliPath())};
        for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        execv(::quirnel::test::CliPath(), argv.data());
        _exit(127);
    }
    return pid;
}

inline int WaitForExit(pid_t pid) {
    int status = 0;
    waitpid(pid, &status, 0);
    return status;
}

inline std::set<std::string> Entries(const std::string& folder) {
    std::set<std::string> names;
    for (auto& e : std::filesystem::directory_iterator(folder)) names.insert(e.path().filename().string());
    return names;
}

// A file of the given size whose bytes depend on their position, so a
// truncated or shifted copy never compares equal.
inline void PatternFile(const std::string& path, size_t size) {
    std::string block(1 << 20, '\0');
    std::ofstream out(path, std::ios::binary);
    for (size_t done = 0; done < size; done += block.size()) {
        for (size_t i = 0; i + 8 <= block.size(); i += 8) {
            uint64_t word = done + i;
            memcpy(&block[i], &word, sizeof word);
        }
        out.write(block.data(), static_cast<std::streamsize>(std::min(block.size(), size - done)));
    }
}

// A workspace over a temporary folder whose host can strike mid-run.
struct FaultBench {
    TempDir dir;
    AppState app;
    FaultHost host;
    Workspace ws{app.settings, app.flags, host, PathStyle::forPosix()};

    FaultBench() {
        app.settings.AutoSort = 0;
        app.settings.LoadType = 0;
        app.settings.UseThread = 1;  // progress after every two rows of a hundred
    }
    // count files name<i> in folder, each holding "content <i>", as rows
    // proposed to become newPrefix<i> in the same folder.
    void Files(const std::string& folder, int count, const std::string& newPrefix) {
        std::vector<std::u16string> paths;
        for (int i = 0; i < count; ++i) {
            std::string path = dir.file(folder + "/" + Name("f", i), Name("content ", i));
            paths.push_back(FromNative(path));
        }
        AddPathList(ws, paths);
        for (int i = 0; i < count; ++i) ws.list.setNewName(i, FromNative(Name(newPrefix.c_str(), i)));
    }
    size_t LogLinesWith(const std::string& text) const {
        size_t n = 0;
        for (const auto& line : host.log) n += Utf8(line).find(text) != std::string::npos;
        return n;
    }
};

}  // namespace quirnel::test
