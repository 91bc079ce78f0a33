#include "apply/ApplyPlanner.h"

#include "apply/PathIndex.h"

namespace quirnel {
namespace {

// blocker[i]: the row whose current path is row i's target, if this run
// renames that row away.
// The table is far larger than the caches: each slot is fetched a few rows
// before it is needed.
std::vector<int> Blockers(const PathList& oldPaths, const PathList& targets) {
    constexpr size_t kAhead = 8;
    const size_t n = oldPaths.size();
    std::vector<size_t> hashes(n);
    std::vector<uint8_t> changes(n);
    std::u16string path;  // one buffer for every path written out
    for (size_t i = 0; i < n; ++i) {
        oldPaths.write(i, path);
        changes[i] = !targets.is(i, path);
        if (changes[i]) hashes[i] = PathIndex::hashOf(path);
    }
    PathIndex sources(oldPaths, n);
    for (size_t i = 0; i < n; ++i) {
        if (i + kAhead < n) sources.prefetch(hashes[i + kAhead]);
        if (changes[i]) sources.addNext(hashes[i]);
        else sources.skipNext();
    }
    for (size_t i = 0; i < n; ++i)
        if (changes[i]) {
            targets.write(i, path);
            hashes[i] = PathIndex::hashOf(path);
        }
    std::vector<int> blocker(n, PathIndex::kNone);
    for (size_t i = 0; i < n; ++i) {
        if (i + kAhead < n) sources.prefetch(hashes[i + kAhead]);
        if (!changes[i]) continue;
        targets.write(i, path);
        int j = sources.find(path, hashes[i]);
        if (j != static_cast<int>(i)) blocker[i] = j;
    }
    return blocker;
}

}  // namespace

ApplyPlan PlanApply(const PathList& oldPaths, const PathList& targets, bool renames) {
    const int n = static_cast<int>(oldPaths.size());
    ApplyPlan plan;
    plan.steps.reserve(n);
    plan.links.assign(n, Link::None);
    if (!renames) {
        for (int i = 0; i < n; ++i) plan.steps.push_back({i, StepKind::Whole});
        return plan;
    }
    plan.blockers = Blockers(oldPaths, targets);
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
