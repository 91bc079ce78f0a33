#include "metadata/MediaCache.h"

#include <algorithm>
#include <atomic>
#include <thread>

#include "platform/FileSystem.h"
#include "platform/TaskThread.h"

namespace quirnel {
namespace {

struct Slot {
    DirEntry entry;
    bool found = false;
    bool fresh = false;  // read now, to be kept
    MediaFields fields;
};

unsigned ThreadCount(unsigned asked, size_t work) {
    unsigned n = asked ? asked : std::max(1u, std::thread::hardware_concurrency());
    return static_cast<unsigned>(std::min<size_t>(n, std::max<size_t>(work / 64, 1)));
}

}  // namespace

std::vector<MediaFields> MediaCache::fieldsOf(const std::vector<std::u16string>& paths, unsigned threads) {
    std::vector<Slot> slots(paths.size());
    std::atomic<size_t> next{0};
    // The map is only read while the workers run and only written after.
    auto work = [&] {
        for (size_t i; (i = next.fetch_add(1)) < paths.size();) {
            Slot& s = slots[i];
            if (paths[i].empty() || !LookUpEntry(paths[i], s.entry) || s.entry.isFolder) continue;
            s.found = true;
            auto kept = kept_.find(paths[i]);
            if (kept != kept_.end() && kept->second.size == s.entry.size && kept->second.modified == s.entry.modified) {
                s.fields = kept->second.fields;
                continue;
            }
            s.fields = reader_(paths[i]);
            s.fresh = true;
        }
    };
    std::vector<TaskThread> workers;
    for (unsigned t = 1; t < ThreadCount(threads, paths.size()); ++t) workers.push_back(TaskThread::startOrRun(work));
    work();
    for (TaskThread& w : workers) w.join();

    std::vector<MediaFields> out;
    out.reserve(slots.size());
    for (size_t i = 0; i < slots.size(); ++i) {
        Slot& s = slots[i];
        if (s.fresh) kept_[paths[i]] = Kept{s.entry.size, s.entry.modified, s.fields};
        out.push_back(std::move(s.fields));
    }
    return out;
}

}  // namespace quirnel
