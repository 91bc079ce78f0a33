#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace quirnel {

// Paths by position, each written out when asked for: a run over a million
// rows never holds a million full paths at once.
class PathList {
public:
    virtual ~PathList() = default;
    virtual size_t size() const = 0;
    // Path i into out, replacing what out held (its buffer is reused).
    virtual void write(size_t i, std::u16string& out) const = 0;
    virtual bool is(size_t i, std::u16string_view text) const {
        std::u16string path;
        write(i, path);
        return path == text;
    }
    std::u16string operator[](size_t i) const {
        std::u16string path;
        write(i, path);
        return path;
    }
};

// Paths a caller holds already.
class PathVector : public PathList {
public:
    explicit PathVector(const std::vector<std::u16string>& paths) : paths_(paths) {}
    size_t size() const override { return paths_.size(); }
    void write(size_t i, std::u16string& out) const override { out = paths_[i]; }
    bool is(size_t i, std::u16string_view text) const override { return paths_[i] == text; }

private:
    const std::vector<std::u16string>& paths_;
};

}  // namespace quirnel
