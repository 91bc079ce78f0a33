#include "apply/RowStatus.h"

#include "apply/ApplyPlanner.h"
#include "apply/NameChecks.h"
#include "base/StringTable.h"
#include "base/TextIds.h"
#include "platform/EntryIds.h"
#include "platform/ThreadPriority.h"

namespace quirnel {
namespace {

bool Cancelled(const std::atomic<int>* cancel) { return cancel && cancel->load(std::memory_order_relaxed) != 0; }

bool Refused(RowFate f) { return f == RowFate::EmptyName || f == RowFate::ForbiddenCharacter || f == RowFate::Duplicate; }

// The checks' verdict and the kind of change, before the disk and the order.
std::vector<RowStatus> Verdicts(const ApplyRows& rows, const StatusOptions& options, TargetPaths& targets,
                                const std::atomic<int>* cancel) {
    using V = TargetAssigner::Verdict;
    std::vector<RowStatus> out(rows.count());
    TargetAssigner assigner(rows, options.autoNumber, targets);
    std::u16string target;
    for (int j = 0; j < rows.count(); ++j) {
        if (j % 4096 == 0 && Cancelled(cancel)) return out;
        int duplicateOf = -1;
        long long number = 0;
        RowStatus& s = out[j];
        switch (assigner.next(duplicateOf, number)) {
            case V::EmptyName: s.fate = RowFate::EmptyName; break;
            case V::Forbidden: s.fate = RowFate::ForbiddenCharacter; break;
            case V::Duplicate: s = {RowFate::Duplicate, duplicateOf}; break;
            case V::Numbered: s = {RowFate::Numbered, number}; break;
            case V::Ok:
                targets.write(j, target);
                if (rows.oldPathIs(j, target)) s.fate = RowFate::Unchanged;
                else if (options.applyType == ApplyType::Copies) s.fate = RowFate::Copy;
                else if (rows.newFolder(j) != rows.oldFolder(j)) s.fate = RowFate::Move;
                else s.fate = RowFate::Rename;
                break;
        }
    }
    return out;
}

}  // namespace

std::vector<RowStatus> RowStatuses(const ApplyRows& rows, const StatusOptions& options, const std::atomic<int>* cancel,
                                   std::vector<std::u16string>* targetsOut) {
    const int n = rows.count();
    TargetPaths targets(rows);
    std::vector<RowStatus> out = Verdicts(rows, options, targets, cancel);
    if (targetsOut) *targetsOut = targets.all();
    if (Cancelled(cancel)) return out;
    const bool renames = options.applyType != ApplyType::Copies;
    ApplyPlan plan = PlanApply(OldPaths(rows), targets, renames);
    auto freed = [&](int i) { return renames && plan.blockers[i] >= 0; };

    if (options.lookUpDisk && !Cancelled(cancel)) {
        std::vector<std::u16string> askPaths;
        std::vector<int> asked;
        for (int i = 0; i < n; ++i) {
            RowFate f = out[i].fate;
            if (Refused(f) || f == RowFate::Unchanged || freed(i)) continue;
            askPaths.push_back(targets[i]);
            asked.push_back(i);
        }
        const std::vector<std::u16string_view> ask(askPaths.begin(), askPaths.end());
        std::vector<EntryId> found = LookUpEntryIds(ask, FolderReading::Never, cancel);
        for (size_t k = 0; k < asked.size(); ++k)
            if (found[k]) out[asked[k]] = {RowFate::TargetExists, -1};
    }
    if (Cancelled(cancel)) return out;
    // In the order of the run a row's blocker comes first: a row waiting for
    // a row that cannot move cannot move either.
    for (const PlanStep& step : plan.steps) {
        const int i = step.row;
        RowStatus& s = out[i];
        if (step.kind == StepKind::ToTemp || Refused(s.fate) || s.fate == RowFate::Unchanged) continue;
        const int b = freed(i) ? plan.blockers[i] : -1;
        if (b >= 0 && (out[b].fate == RowFate::TargetExists || Refused(out[b].fate))) {
            s = {RowFate::TargetExists, -1};
        } else if (s.fate != RowFate::TargetExists && s.fate != RowFate::Numbered && plan.links[i] != Link::None) {
            s.fate = plan.links[i] == Link::Cycle ? RowFate::Cycle : RowFate::Chain;
        }
    }
    return out;
}

std::u16string RowStatusText(const RowStatus& s) {
    switch (s.fate) {
        case RowFate::Unchanged: return LoadText(text::StatusUnchanged);
        case RowFate::Rename: return LoadText(text::StatusRename);
        case RowFate::Move: return LoadText(text::StatusMove);
        case RowFate::Copy: return LoadText(text::StatusCopy);
        case RowFate::Numbered: return FormatText(LoadText(text::StatusNumbered), {s.detail});
        case RowFate::EmptyName: return LoadText(text::NoValidName);
        case RowFate::ForbiddenCharacter: return LoadText(text::ForbiddenCharacters);
        case RowFate::Duplicate: return FormatText(LoadText(text::StatusDuplicate), {s.detail + 1});
        case RowFate::TargetExists: return LoadText(text::StatusTargetExists);
        case RowFate::Chain: return LoadText(text::StatusChain);
        case RowFate::Cycle: return LoadText(text::StatusCycle);
    }
    return {};
}

const char* RowFateWord(RowFate fate) {
    switch (fate) {
        case RowFate::Unchanged: return "unchanged";
        case RowFate::Rename: return "rename";
        case RowFate::Move: return "move";
        case RowFate::Copy: return "copy";
        case RowFate::Numbered: return "numbered";
        case RowFate::EmptyName: return "empty-name";
        case RowFate::ForbiddenCharacter: return "forbidden-character";
        case RowFate::Duplicate: return "duplicate";
        case RowFate::TargetExists: return "target-exists";
        case RowFate::Chain: return "chain";
        case RowFate::Cycle: return "cycle";
    }
    return "";
}

RowStatusTask::RowStatusTask(const NameList& list, const StatusOptions& options, std::function<void()> notify)
    : rows_(list), options_(options) {
    thread_ = TaskThread::start([this, notify = std::move(notify)] {
        RunAtLowPriority();
        statuses_ = RowStatuses(rows_, options_, &cancel_);
        finished_.store(true, std::memory_order_release);
        if (notify) notify();
    });
}

RowStatusTask::~RowStatusTask() {
    cancel_ = 1;
    thread_.join();
}

const std::vector<RowStatus>& RowStatusTask::statuses() {
    thread_.join();
    return statuses_;
}

}  // namespace quirnel
