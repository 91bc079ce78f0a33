#pragma once
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "platform/NativeText.h"

namespace quirnel::test {

// A fresh folder under /tmp, removed with everything in it at the end.
class TempFolder {
public:
    TempFolder() {
        char pattern[] = "/tmp/quirnel-test-XXXXXX";
        const char* made = mkdtemp(pattern);
        path_ = made ? made : "";
    }
    ~TempFolder() {
        std::error_code ec;
        if (!path_.empty()) std::filesystem::remove_all(path_, ec);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& native() const { return path_; }
    std::u16string path() const { return FromNative(path_); }
    std::u16string file(const std::string& name) const { return FromNative(path_ + "/" + name); }

    // Writes raw bytes, for files the program did not write itself.
    void writeBytes(const std::string& name, const std::string& bytes) const {
        std::ofstream(path_ + "/" + name, std::ios::binary) << bytes;
    }
    std::string readBytes(const std::string& name) const {
        std::ifstream in(path_ + "/" + name, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

private:
    std::string path_;
};

}  // namespace quirnel::test
