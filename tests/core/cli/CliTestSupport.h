#pragma once
#include <sys/wait.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "TestPaths.h"

// Runs the real quirnel-cli (its path comes from the build) and lists folders.
#ifdef QUIRNEL_HAS_CLI
namespace quirnel::test {

struct Result {
    int status = -1;
    std::string out, err;
};

inline std::string Quote(const std::string& s) {
    std::string q = "'";
    for (char c : s) {
        if (c == '\'')
            q += "'\\''";
        else
            q.push_back(c);
    }
    return q + "'";
}

// Runs the real program with the given arguments and standard input.
// env: assignments put before the command ("XDG_STATE_HOME=/x").
inline Result Cli(const std::vector<std::string>& args, const std::string& input = "", const std::string& env = "") {
    TempDir errDir;
    std::string cmd = "printf '%s' " + Quote(input) + " | ";
    if (!env.empty()) cmd += env + " ";
    cmd += Quote(::quirnel::test::CliPath());
    for (const auto& a : args) {
        cmd += ' ';
        cmd += Quote(a);
    }
    cmd += " 2>" + Quote(errDir / "err");
    Result r;
    FILE* p = popen(cmd.c_str(), "r");
    std::array<char, 4096> buf;
    size_t n;
    while ((n = fread(buf.data(), 1, buf.size(), p)) > 0) r.out.append(buf.data(), n);
    int raw = pclose(p);
    r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    r.err = errDir.read("err");
    return r;
}

inline std::vector<std::string> Files(const std::string& dir) {
    std::vector<std::string> names;
    for (auto& e : std::filesystem::recursive_directory_iterator(dir)) names.push_back(std::filesystem::relative(e.path(), dir).string());
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace quirnel::test
#endif
