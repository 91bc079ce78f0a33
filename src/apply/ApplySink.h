#pragma once
#include <string>
#include <string_view>

namespace quirnel {

// A row whose change succeeded on disk: the row now stands for target.
struct RowChange {
    int row = 0;
    std::u16string oldPath;  // the row's path before the change, to find it again
    std::u16string target;
    // The New Folder and New Name are the two ends of the target: a row's
    // change carries no copies of them.
    size_t folderLength = 0;
    size_t nameAt = 0;
    bool extensionChanged = false;
    std::u16string_view newFolder() const { return std::u16string_view(target).substr(0, folderLength); }
    std::u16string_view newName() const { return std::u16string_view(target).substr(nameAt); }
};

struct ApplyCounts {
    int total = 0;
    int processed = 0;
    int changed = 0;
    int skipped = 0;  // unchanged rows, neither changed nor failed
};

// Everything an apply run reports or writes back, in the order it happens.
// The synchronous form applies each call to the list at once; the worker form
// queues them for the thread that owns the list. Only message waits.
class ApplySink {
public:
    virtual ~ApplySink() = default;
    virtual void log(const std::u16string& message) = 0;
    virtual void status(const std::u16string& text) = 0;
    virtual void progress(int percent) = 0;
    virtual void rowNumbered(int row, const std::u16string& newName) = 0;
    // The sink may take the change's texts.
    virtual void rowChanged(RowChange&& change) = 0;
    virtual void checksFailed(int row) = 0;
    // The row loop is over: flags and clear-after-apply follow from the counts.
    virtual void changesEnded(const ApplyCounts& counts) = 0;
    // Returns when the person has closed the message.
    virtual void message(const std::u16string& text, const std::u16string& title) = 0;
    // A slow disk operation follows: hand over what waits.
    virtual void flush() {}
};

}  // namespace quirnel
