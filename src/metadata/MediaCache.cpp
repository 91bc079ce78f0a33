#include "metadata/MediaCache.h"

#include <algorithm>
#include <atomic>
#include <string_view>
#include <thread>

#include "platform/FileSystem.h"
#include "platform/TaskThread.h"

namespace quirnel {
namespace {

uint64_t Mix(uint64_t x) {  // splitmix64's finaliser
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
    return x ^ (x >> 31);
}
uint64_t StampOf(const DirEntry& e) { return Mix(e.size ^ Mix(static_cast<uint64_t>(e.modified))); }
uint64_t KeyOf(const std::u16string& path) { return Mix(std::hash<std::u16string_view>{}(path)); }

struct Slot {
    uint64_t stamp = 0;
    bool fresh = false;  // read now, to be kept
    MediaFields fields;
};

unsigned ThreadCount(unsigned asked, size_t work) {
    unsigned n = asked ? asked : std::max(1u, std::thread::hardware_concurrency());
    return static_cast<unsigned>(std::min<size_t>(n, std::max<size_t>(work / 64, 1)));
}

}  // namespace

const MediaCache::Kept* MediaCache::find(uint64_t key) const {
    auto it = std::lower_bound(kept_.begin(), kept_.end(), Kept{key});
    return it != kept_.end() && it->key == key ? &*it : nullptr;
}

void MediaCache::keep(std::vector<Kept> fresh) {
    if (fresh.empty()) return;
    std::sort(fresh.begin(), fresh.end());
    std::vector<Kept> added;
    for (Kept& k : fresh) {
        auto it = std::lower_bound(kept_.begin(), kept_.end(), k);
        if (it != kept_.end() && it->key == k.key) *it = k;  // the file changed; its old record stays unused
        else if (added.empty() || added.back().key != k.key) added.push_back(k);
    }
    const size_t old = kept_.size();
    kept_.reserve(old + added.size());
    kept_.insert(kept_.end(), added.begin(), added.end());
    std::inplace_merge(kept_.begin(), kept_.begin() + static_cast<std::ptrdiff_t>(old), kept_.end());
    kept_.shrink_to_fit();
    packed_.shrink();
}

std::vector<MediaFields> MediaCache::fieldsOf(const std::vector<std::u16string>& paths, unsigned threads) {
    std::vector<Slot> slots(paths.size());
    std::atomic<size_t> next{0};
    // The kept records are only read while the workers run and only added to after.
    auto work = [&] {
        for (size_t i; (i = next.fetch_add(1)) < paths.size();) {
            Slot& s = slots[i];
            DirEntry entry;
            if (paths[i].empty() || !LookUpEntry(paths[i], entry) || entry.isFolder) continue;
            s.stamp = StampOf(entry);
            const Kept* kept = find(KeyOf(paths[i]));
            if (kept && kept->stamp == s.stamp) {
                s.fields = packed_.unpack(kept->record);
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
    std::vector<Kept> fresh;
    out.reserve(slots.size());
    for (size_t i = 0; i < slots.size(); ++i) {
        Slot& s = slots[i];
        if (s.fresh) fresh.push_back(Kept{KeyOf(paths[i]), s.stamp, packed_.pack(s.fields)});
        out.push_back(std::move(s.fields));
    }
    keep(std::move(fresh));
    return out;
}

}  // namespace quirnel
