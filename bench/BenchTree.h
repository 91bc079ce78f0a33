#pragma once
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

namespace quirnel::bench {

using Clock = std::chrono::steady_clock;

// folders x filesPerFolder empty files named like a camera's, most of them
// .jpg and every seventh .mov.
inline void MakeTree(const std::string& root, int folders, int filesPerFolder) {
    std::filesystem::create_directories(root);
    for (int f = 0; f < folders; ++f) {
        std::string dir = root + "/album " + std::to_string(f);
        std::filesystem::create_directories(dir);
        for (int i = 0; i < filesPerFolder; ++i) {
            std::string name = dir + "/IMG_2023" + std::to_string(100000 + i) + (i % 7 ? ".jpg" : ".mov");
            int fd = open(name.c_str(), O_CREAT | O_WRONLY, 0644);
            if (fd >= 0) close(fd);
        }
    }
}

inline double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

inline double Seconds(Clock::time_point since) { return std::chrono::duration<double>(Clock::now() - since).count(); }

}  // namespace quirnel::bench
