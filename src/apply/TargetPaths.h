#pragma once
#include <string>
#include <unordered_map>
#include <vector>

#include "apply/ApplyRows.h"
#include "apply/PathList.h"

namespace quirnel {

// The target of every row the checks have passed through, in list order: the
// row's New Folder joined with its New Name, written out when asked for. Only
// a target the checks numbered is held as text of its own.
class TargetPaths : public PathList {
public:
    explicit TargetPaths(const ApplyRows& rows) : rows_(rows) {}
    size_t size() const override { return count_; }
    void write(size_t i, std::u16string& out) const override;
    bool is(size_t i, std::u16string_view text) const override;

    // The next row's target: its own folder and name, or a numbered path.
    void addPlain() { ++count_; }
    void addNumbered(std::u16string path) { numbered_.insert_or_assign(count_++, std::move(path)); }
    void clear();
    // Every target as text, for output that lists them all.
    std::vector<std::u16string> all() const;

private:
    const ApplyRows& rows_;
    size_t count_ = 0;
    std::unordered_map<size_t, std::u16string> numbered_;
};

}  // namespace quirnel
