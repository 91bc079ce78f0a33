#include "apply/ApplyPlanner.h"

#include "apply/PathIndex.h"

namespace quirnel {
namespace {

// The hash of each row's path a few rows before it is needed, so that its
// slot can be fetched meanwhile; only the rows ahead are held, not a table.
template <typename HashOf>
class HashesAhead {
public:
    static constexpr size_t kAhead = 8;
    HashesAhead(size_t n, HashOf hashOf) : n_(n), hashOf_(hashOf) {}
    // The hash of row i; the one of row i + kAhead is worked out and fetched.
    template <typename Prefetch>
    size_t at(size_t i, Prefetch prefetch) {
        for (; next_ < n_ && next_ <= i + kAhead; ++next_) {
            ring_[next_ % (kAhead + 1)] = hashOf_(next_);
            prefetch(ring_[next_ % (kAhead + 1)]);
        }
        return ring_[i % (kAhead + 1)];
    }

private:
    size_t n_, next_ = 0;
    HashOf hashOf_;
    size_t ring_[kAhead + 1] = {};
};

// blocker[i]: the row whose current path is row i's target, if this run
// renames that row away.
// The table is far larger than the caches: each slot is fetched a few rows
// before it is needed.
std::vector<int> Blockers(const PathList& oldPaths, const PathList& targets) {
    const size_t n = oldPaths.size();
    std::vector<uint8_t> changes(n);
    std::u16string path;  // one buffer for every path written out
    for (size_t i = 0; i < n; ++i) {
        oldPaths.write(i, path);
        changes[i] = !targets.is(i, path);
    }
    PathIndex sources(oldPaths, n);
    auto prefetch = [&sources](size_t hash) { sources.prefetch(hash); };
    std::u16string ahead;
    auto hashOf = [&](const PathList& paths) {
        return [&changes, &ahead, list = &paths](size_t i) {
            if (!changes[i]) return size_t{0};
            list->write(i, ahead);
            return PathIndex::hashOf(ahead);
        };
    };
    HashesAhead oldHashes(n, hashOf(oldPaths));
    for (size_t i = 0; i < n; ++i) {
        const size_t hash = oldHashes.at(i, prefetch);
        if (changes[i]) sources.addNext(hash);
        else sources.skipNext();
    }
    std::vector<int> blocker(n, PathIndex::kNone);
    HashesAhead targetHashes(n, hashOf(targets));
    for (size_t i = 0; i < n; ++i) {
        const size_t hash = targetHashes.at(i, prefetch);
        if (!changes[i]) continue;
        targets.write(i, path);
        int j = sources.find(path, hash);
        if (j != static_cast<int>(i)) blocker[i] = j;
    }
    return blocker;
}

}  // namespace

ApplyPlan PlanApply(const PathList& oldPaths, const PathList& targets, bool renames) {
    const int n = static_cast<int>(oldPaths.size());
    ApplyPlan plan;
    // The plan's own tables only after the index of paths is gone.
    if (renames) plan.blockers = Blockers(oldPaths, targets);
    plan.steps.reserve(n);
    plan.links.assign(n, Link::None);
    if (!renames) {
        for (int i = 0; i < n; ++i) plan.steps.push_back({i, StepKind::Whole});
        return plan;
    }
    const std::vector<int>& blocker = plan.blockers;
    for (int i = 0; i < n; ++i) {
        if (blocker[i] == PathIndex::kNone) continue;
        plan.links[i] = Link::Chain;
        plan.links[blocker[i]] = Link::Chain;
    }
    // Each row is the target of at most one other row, so the rows and their
    // blockers form simple paths and cycles; each is walked once.
    enum : uint8_t { Pending, Walking, Placed };
    std::vector<uint8_t> state(n, Pending);
    std::vector<int> walk;
    for (int i = 0; i < n; ++i) {
        if (state[i] == Placed) continue;
        walk.clear();
        int k = i;
        while (k != PathIndex::kNone && state[k] == Pending) {
            state[k] = Walking;
            walk.push_back(k);
            k = blocker[k];
        }
        const bool cycle = k == i;
        if (cycle) plan.steps.push_back({i, StepKind::ToTemp});
        for (size_t m = walk.size(); m-- > (cycle ? 1 : 0);) plan.steps.push_back({walk[m], StepKind::Whole});
        if (cycle) plan.steps.push_back({i, StepKind::FromTemp});
        for (int r : walk) {
            state[r] = Placed;
            if (cycle) plan.links[r] = Link::Cycle;
        }
    }
    return plan;
}

}  // namespace quirnel
