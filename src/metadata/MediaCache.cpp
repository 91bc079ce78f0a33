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
uint64_t StampOf(const MediaFile& f) { return Mix(f.size ^ Mix(static_cast<uint64_t>(f.modified))); }
uint64_t KeyOf(const std::u16string& path) { return Mix(std::hash<std::u16string_view>{}(path)); }

struct Slot {
    bool fresh = false;  // read now, to be kept
    MediaFields fields;
};

constexpr size_t kProgressStep = 256;

unsigned ThreadCount(unsigned asked, size_t work) {
    unsigned n = asked ? asked : std::max(1u, std::thread::hardware_concurrency());
    return static_cast<unsigned>(std::min<size_t>(n, std::max<size_t>(work / 64, 1)));
}

}  // namespace

MediaFile MediaFileAt(const std::u16string& path) {
    DirEntry e;
    if (path.empty() || !LookUpEntry(path, e) || e.isFolder) return {};
    return MediaFile{path, e.size, e.modified};
}

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

std::vector<MediaFields> MediaCache::fieldsOf(const std::vector<MediaFile>& files, unsigned threads,
                                              const MediaProgress& progress) {
    std::vector<Slot> slots(files.size());
    std::atomic<size_t> next{0};
    std::atomic<bool> stop{false};
    // The kept records are only read while the workers run and only added to after.
    auto work = [&](bool reports) {
        for (size_t i; !stop && (i = next.fetch_add(1)) < files.size();) {
            if (reports && progress && i % kProgressStep == 0 && !progress(i, files.size())) stop = true;
            const MediaFile& f = files[i];
            if (f.path.empty()) continue;
            Slot& s = slots[i];
            const Kept* kept = find(KeyOf(f.path));
            if (kept && kept->stamp == StampOf(f)) {
                s.fields = packed_.unpack(kept->record);
                continue;
            }
            s.fields = reader_(f.path);
            s.fresh = s.fields.error.empty();
        }
    };
    std::vector<TaskThread> workers;
    for (unsigned t = 1; t < ThreadCount(threads, files.size()); ++t)
        workers.push_back(TaskThread::startOrRun([&] { work(false); }));
    work(true);
    for (TaskThread& w : workers) w.join();
    if (progress && !stop) progress(files.size(), files.size());

    std::vector<MediaFields> out;
    std::vector<Kept> fresh;
    out.reserve(slots.size());
    for (size_t i = 0; i < slots.size(); ++i) {
        Slot& s = slots[i];
        if (s.fresh) fresh.push_back(Kept{KeyOf(files[i].path), StampOf(files[i]), packed_.pack(s.fields)});
        out.push_back(std::move(s.fields));
    }
    keep(std::move(fresh));
    return out;
}

}  // namespace quirnel
