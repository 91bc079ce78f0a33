#include "namelist/MediaFill.h"

#include <algorithm>

namespace quirnel {
namespace {

// The first piece is small so the rows in sight fill at once; later ones
// grow, since each costs the cache a merge of what it keeps.
constexpr size_t kFirstPiece = 1024;
constexpr size_t kLargestPiece = 16384;

}  // namespace

MediaFillTask::MediaFillTask(MediaCache& cache, std::vector<MediaFile> files, std::function<void()> notify)
    : cache_(cache), files_(std::move(files)), notify_(std::move(notify)) {
    taken_.total = files_.size();
    thread_ = TaskThread::startOrRun([this] { run(); });
}

MediaFillTask::~MediaFillTask() {
    stop_ = true;
    thread_.join();
}

MediaFillTask::Taken MediaFillTask::take() {
    std::lock_guard lock(m_);
    told_ = false;
    Taken out = std::move(taken_);
    taken_ = Taken{};
    taken_.done = out.done;
    taken_.total = out.total;
    taken_.finished = out.finished;
    taken_.stopped = out.stopped;
    return out;
}

void MediaFillTask::tell() {
    if (notify_ && !told_.exchange(true)) notify_();
}

void MediaFillTask::run() {
    size_t size = kFirstPiece, first = 0;
    for (; first < files_.size() && !stop_; first += size, size = std::min(size * 2, kLargestPiece)) {
        const size_t end = std::min(first + size, files_.size());
        std::vector<MediaFile> piece(std::make_move_iterator(files_.begin() + first),
                                     std::make_move_iterator(files_.begin() + end));
        auto progress = [this, first](size_t done, size_t) {
            {
                std::lock_guard lock(m_);
                taken_.done = first + done;
            }
            tell();
            return !stop_;
        };
        std::vector<MediaFields> fields = cache_.fieldsOf(piece, 0, progress);
        if (stop_) break;
        {
            std::lock_guard lock(m_);
            taken_.done = end;
            taken_.pieces.push_back(Piece{first, std::move(fields)});
        }
        tell();
    }
    {
        std::lock_guard lock(m_);
        taken_.finished = true;
        taken_.stopped = first < files_.size();
    }
    told_ = false;  // the end is always told
    tell();
}

}  // namespace quirnel
