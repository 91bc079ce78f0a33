#pragma once
#include <atomic>
#include <functional>
#include <mutex>
#include <vector>

#include "metadata/MediaCache.h"
#include "platform/TaskThread.h"

namespace quirnel {

// Every row's fields, read through a cache on threads of their own and handed
// over in pieces as they come, so a window can show them while it stays free.
// The task reads a copy of the rows' files, not the list; while it lives it
// alone uses the cache, so whoever else needs the cache ends it first.
class MediaFillTask {
public:
    struct Piece {
        size_t first = 0;  // the row of fields[0]
        std::vector<MediaFields> fields;
    };
    // What the task has to hand over since it was last asked.
    struct Taken {
        std::vector<Piece> pieces;
        size_t done = 0, total = 0;
        bool finished = false;  // read every file, or stopped
        bool stopped = false;
    };

    // notify is called on the task's threads whenever there is something new
    // to take; it is not called again until take() has been.
    MediaFillTask(MediaCache& cache, std::vector<MediaFile> files, std::function<void()> notify = {});
    // Stops an unfinished task and waits for its threads.
    ~MediaFillTask();
    MediaFillTask(const MediaFillTask&) = delete;
    MediaFillTask& operator=(const MediaFillTask&) = delete;

    // The piece being read is given up: its rows stay unread, and what its
    // readers finished is kept in the cache all the same.
    void stop() { stop_ = true; }
    Taken take();
    void wait() { thread_.join(); }

private:
    void run();
    void tell();

    MediaCache& cache_;
    std::vector<MediaFile> files_;
    std::function<void()> notify_;
    std::atomic<bool> stop_{false};
    std::atomic<bool> told_{false};
    std::mutex m_;
    Taken taken_;  // under m_
    TaskThread thread_;
};

}  // namespace quirnel
