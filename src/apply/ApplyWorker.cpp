#include "apply/ApplyWorker.h"

#include <chrono>
#include <future>
#include <utility>

#include "platform/LocalTime.h"

#include "apply/ApplyEngine.h"

namespace quirnel {
namespace {

// The run is marked active and the selection cleared before the rows are copied.
const NameList& BegunList(Workspace& ws, ApplyType applyType) {
    BeginApply(ws, applyType);
    return ws.list;
}

}  // namespace

struct ApplyWorker::Update {
    enum Kind { Log, Status, Progress, Numbered, Changed, ChecksFailed, Ended, Message, Finished };
    explicit Update(Kind kind, int value = 0, std::u16string text = {}, std::u16string title = {})
        : kind(kind), value(value), text(std::move(text)), title(std::move(title)) {}
    Kind kind;
    int value;  // row or percent
    int64_t at = 0;  // when a log line happened
    std::u16string text;
    std::u16string title;
    RowChange change;
    ApplyCounts counts;
    std::promise<void>* answered = nullptr;
    ApplyOutcome outcome;
};

// The worker's side: updates are collected and handed over in batches, by
// size or age, before a slow copy, and with every message.
class ApplyWorker::QueueSink : public ApplySink {
public:
    explicit QueueSink(ApplyWorker& owner) : owner_(owner) {}
    ~QueueSink() override { flush(); }

    void log(const std::u16string& m) override {
        Update u(Update::Log, 0, m);
        u.at = NowUtcSeconds();
        push(std::move(u));
    }
    // The status line and progress show the newest figure when the owner gets
    // to them, never one the run has passed meanwhile; one update waits at a time.
    void status(const std::u16string& t) override {
        if (owner_.latest(&t, nullptr)) push(Update(Update::Status));
    }
    void progress(int p) override {
        if (owner_.latest(nullptr, &p)) push(Update(Update::Progress));
    }
    void rowNumbered(int row, const std::u16string& name) override { push(Update(Update::Numbered, row, name)); }
    void rowChanged(RowChange&& c) override {
        Update u(Update::Changed);
        u.change = std::move(c);
        push(std::move(u));
    }
    void checksFailed(int row) override { push(Update(Update::ChecksFailed, row)); }
    void changesEnded(const ApplyCounts& counts) override {
        owner_.changesOver_.store(true, std::memory_order_release);
        Update u(Update::Ended);
        u.counts = counts;
        push(std::move(u));
    }
    void message(const std::u16string& text, const std::u16string& title) override {
        std::promise<void> answered;
        Update u(Update::Message, 0, text, title);
        u.answered = &answered;
        batch_.push_back(std::move(u));
        flush();
        answered.get_future().wait();
    }
    void flush() override {
        if (!batch_.empty()) owner_.publish(batch_);
        batchStart_ = std::chrono::steady_clock::now();
    }
    void finish(const ApplyOutcome& outcome) {
        Update u(Update::Finished);
        u.outcome = outcome;
        batch_.push_back(std::move(u));
        flush();
    }

private:
    void push(Update&& u) {
        batch_.push_back(std::move(u));
        if (batch_.size() >= 1024 || std::chrono::steady_clock::now() - batchStart_ > std::chrono::milliseconds(30))
            flush();
    }

    ApplyWorker& owner_;
    std::vector<Update> batch_;
    std::chrono::steady_clock::time_point batchStart_ = std::chrono::steady_clock::now();
};

ApplyWorker::ApplyWorker(Workspace& ws, ApplyType applyType, std::function<void()> notify)
    : ws_(ws),
      options_(ApplyOptionsFor(ws, applyType)),
      rows_(BegunList(ws, applyType)),
      owner_(ws, options_),
      notify_(std::move(notify)) {
    thread_ = TaskThread::start([this] {
        QueueSink sink(*this);
        ApplyOutcome outcome = RunApplyEngine(rows_, options_, ws_.flags.stopFlag, sink);
        changesOver_.store(true, std::memory_order_release);  // also a run its checks stopped
        sink.finish(outcome);
    });
}

ApplyWorker::~ApplyWorker() {
    if (!finished_) {
        ws_.flags.stopFlag = 1;
        wait();
    }
    thread_.join();
}

void ApplyWorker::publish(std::vector<Update>& batch) {
    bool wasEmpty;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        wasEmpty = queue_.empty();
        if (wasEmpty) {
            queue_.swap(batch);
        } else {
            for (Update& u : batch) queue_.push_back(std::move(u));
        }
    }
    batch.clear();
    ready_.notify_all();
    if (wasEmpty && notify_) notify_();
}

bool ApplyWorker::latest(const std::u16string* status, const int* percent) {
    std::lock_guard<std::mutex> lock(mutex_);
    bool& waiting = status ? latest_.statusWaits : latest_.percentWaits;
    if (status) latest_.text = *status;
    if (percent) latest_.percent = *percent;
    return !std::exchange(waiting, true);
}

ApplyWorker::Latest ApplyWorker::takeLatest(bool status) {
    std::lock_guard<std::mutex> lock(mutex_);
    (status ? latest_.statusWaits : latest_.percentWaits) = false;
    return latest_;
}

bool ApplyWorker::drainUpdates() {
    // A message dialog runs its own event loop, which may call in here again;
    // the worker waits meanwhile, so nothing new can be pending.
    if (draining_ || finished_) return finished_;
    draining_ = true;
    std::vector<Update> updates;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        updates.swap(queue_);
    }
    // Log lines in a row go to the owner together, before whatever follows them.
    std::vector<TimedLine> lines;
    auto logLines = [&] {
        if (!lines.empty()) owner_.logLines(lines);
        lines.clear();
    };
    for (Update& u : updates) {
        if (u.kind == Update::Log) {
            lines.push_back({u.at, std::move(u.text)});
            continue;
        }
        logLines();
        apply(u);
    }
    logLines();
    draining_ = false;
    return finished_;
}

void ApplyWorker::apply(Update& u) {
    switch (u.kind) {
        case Update::Log: break;  // handed over in batches by drainUpdates
        case Update::Status: owner_.status(takeLatest(true).text); break;
        case Update::Progress: owner_.progress(takeLatest(false).percent); break;
        case Update::Numbered: owner_.rowNumbered(u.value, u.text); break;
        case Update::Changed: owner_.rowChanged(std::move(u.change)); break;
        case Update::ChecksFailed: owner_.checksFailed(u.value); break;
        case Update::Ended: owner_.changesEnded(u.counts); break;
        case Update::Message:
            owner_.message(u.text, u.title);
            u.answered->set_value();
            break;
        case Update::Finished:
            thread_.join();
            outcome_ = u.outcome;
            EndApply(ws_);
            finished_ = true;
            break;
    }
}

ApplyOutcome ApplyWorker::wait() {
    while (!drainUpdates()) {
        std::unique_lock<std::mutex> lock(mutex_);
        ready_.wait(lock, [this] { return !queue_.empty(); });
    }
    return outcome_;
}

}  // namespace quirnel
