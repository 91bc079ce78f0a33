#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "apply/PathList.h"

namespace quirnel {

// One change on disk. A cycle's first row moves to a free temporary name
// first and from there to its target last.
enum class StepKind : uint8_t { Whole, ToTemp, FromTemp };

struct PlanStep {
    int row = 0;
    StepKind kind = StepKind::Whole;
};

// Whether a row's order was decided by another row: its target is the
// current path of a row renamed away, or its own path is such a target.
enum class Link : uint8_t { None, Chain, Cycle };

struct ApplyPlan {
    std::vector<PlanStep> steps;  // in the order they run; every row once, a cycle's first row twice
    std::vector<Link> links;      // per row
    std::vector<int> blockers;    // per row: the row whose path it takes, or -1 (rename runs only)
};

// The order of a run. Rows keep list order, except that a row whose target
// is the current path of another row that this run renames away waits for
// that row; a cycle of such rows is broken through a temporary name. Only a
// rename run frees paths (renames is false for copies: list order). Rows
// whose target equals their path free nothing. Targets must be distinct
// (the name checks guarantee it). Linear in the rows.
ApplyPlan PlanApply(const PathList& oldPaths, const PathList& targets, bool renames);

}  // namespace quirnel
