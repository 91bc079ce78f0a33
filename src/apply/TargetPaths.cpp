#include "apply/TargetPaths.h"

#include "platform/PathText.h"

namespace quirnel {

void TargetPaths::write(size_t i, std::u16string& out) const {
    if (!numbered_.empty())
        if (auto it = numbered_.find(i); it != numbered_.end()) {
            out = it->second;
            return;
        }
    const int r = static_cast<int>(i);
    WriteJoinedPath(rows_.newFolder(r), rows_.newName(r), rows_.style(), out);
}

bool TargetPaths::is(size_t i, std::u16string_view text) const {
    if (!numbered_.empty())
        if (auto it = numbered_.find(i); it != numbered_.end()) return it->second == text;
    const int r = static_cast<int>(i);
    return IsJoinedPath(text, rows_.newFolder(r), rows_.newName(r), rows_.style());
}

void TargetPaths::clear() {
    count_ = 0;
    numbered_.clear();
}

std::vector<std::u16string> TargetPaths::all() const {
    std::vector<std::u16string> out(count_);
    for (size_t i = 0; i < count_; ++i) write(i, out[i]);
    return out;
}

}  // namespace quirnel
