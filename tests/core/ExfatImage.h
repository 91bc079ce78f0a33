#pragma once
// An exFAT image mounted through FUSE: a real file system that ignores letter
// case and has neither unnamed files, hard links nor the no-replace flag.
// Needs root and the exFAT tools; ok() is false otherwise.
#include <unistd.h>

#include <cstdio>
#include <string>

#include "TestSupport.h"

namespace quirnel::test {

class ExfatImage {
public:
    explicit ExfatImage(const std::string& size = "32M") {
        if (geteuid() != 0 || Shell("command -v mkfs.exfat && command -v mount.exfat-fuse && command -v losetup").empty())
            return;
        std::string image = dir_ / "disk.img", mnt = dir_.folder("mnt");
        if (Shell("truncate -s " + size + " " + image + " && mkfs.exfat " + image).empty()) return;
        loop_ = Shell("losetup -f --show " + image);
        if (loop_.empty() || loop_ == "ok") return;
        if (Shell("mount.exfat-fuse " + loop_ + " " + mnt).empty()) return;
        mounted_ = mnt;
    }
    ~ExfatImage() {
        if (!mounted_.empty()) Shell("umount " + mounted_);
        if (!loop_.empty() && loop_ != "ok") Shell("losetup -d " + loop_);
    }
    ExfatImage(const ExfatImage&) = delete;
    ExfatImage& operator=(const ExfatImage&) = delete;

    bool ok() const { return !mounted_.empty(); }
    const std::string& path() const { return mounted_; }

    // Output of a shell command, "ok" when it printed nothing, empty when it failed.
    static std::string Shell(const std::string& cmd) {
        std::string out;
        FILE* p = popen((cmd + " 2>/dev/null").c_str(), "r");
        if (!p) return out;
        char buf[256];
        while (fgets(buf, sizeof buf, p)) out += buf;
        if (pclose(p) != 0) return {};
        while (!out.empty() && out.back() == '\n') out.pop_back();
        return out.empty() ? "ok" : out;
    }

private:
    TempDir dir_;
    std::string loop_, mounted_;
};

}  // namespace quirnel::test
