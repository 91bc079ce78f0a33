#include "metadata/MediaCache.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
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
    bool done = false;   // looked up or read
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
    std::atomic<size_t> done{0};
    std::atomic<bool> stop{false};
    std::mutex m;
    std::condition_variable stepped;
    auto read = [this](const MediaFile& f, Slot& s) {
        s.done = true;
        if (f.path.empty()) return;
        const Kept* kept = find(KeyOf(f.path));
        if (kept && kept->stamp == StampOf(f)) {
            s.fields = packed_.unpack(kept->record);
            return;
        }
        s.fields = reader_(f.path);
        s.fresh = s.fields.error.empty();
    };
    // The kept records are only read while the workers run and only added to after.
    auto work = [&] {
        for (size_t i; !stop && (i = next.fetch_add(1)) < files.size();) {
            read(files[i], slots[i]);
            const size_t d = done.fetch_add(1) + 1;
            if (d % kProgressStep == 0 || d == files.size()) {
                std::lock_guard lock(m);
                stepped.notify_one();
            }
        }
    };
    const unsigned n = ThreadCount(threads, files.size());
    if (!progress || n == 1) {
        // One reader, or nobody to tell: the calling thread reads itself.
        for (size_t i = 0; i < files.size() && !stop; ++i) {
            if (progress && i % kProgressStep == 0 && !progress(i, files.size())) stop = true;
            else read(files[i], slots[i]);
        }
    } else {
        // The calling thread only tells, so that the progress keeps pace with
        // the readers however the work falls between them.
        std::vector<TaskThread> workers;
        for (unsigned t = 0; t < n; ++t) workers.push_back(TaskThread::startOrRun(work));
        for (size_t told = SIZE_MAX;;) {
            std::unique_lock lock(m);
            stepped.wait_for(lock, std::chrono::milliseconds(100),
                             [&] { return done / kProgressStep != told / kProgressStep || done == files.size(); });
            lock.unlock();
            const size_t d = done;
            if (d == files.size()) break;
            // Asked also when nothing moved: a reader stuck on one file must
            // not keep a stop from being heard.
            if (!progress(told = d, files.size())) {
                stop = true;
                break;
            }
        }
        for (TaskThread& w : workers) w.join();
    }
    if (progress && !stop) progress(files.size(), files.size());

    std::vector<MediaFields> out;
    std::vector<Kept> fresh;
    out.reserve(slots.size());
    for (size_t i = 0; i < slots.size(); ++i) {
        Slot& s = slots[i];
        if (s.fresh) fresh.push_back(Kept{KeyOf(files[i].path), StampOf(files[i]), packed_.pack(s.fields)});
        s.fields.unread = !s.done;
        out.push_back(std::move(s.fields));
    }
    keep(std::move(fresh));
    return out;
}

}  // namespace quirnel
