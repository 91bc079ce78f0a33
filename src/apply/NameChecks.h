#pragma once
#include <memory>
#include <string>
#include <vector>

#include "apply/ApplyRows.h"
#include "apply/ApplySink.h"
#include "apply/PathIndex.h"
#include "apply/TargetPaths.h"

namespace quirnel {

struct CheckResult {
    bool ok = true;
    int failingRow = -1;
    std::u16string message;  // for the message dialog
};

// The target of each row, in list order, as the checks decide them.
class TargetAssigner {
public:
    enum class Verdict { Ok, EmptyName, Forbidden, Duplicate, Numbered };
    // Fills targets, one entry per row checked.
    TargetAssigner(const ApplyRows& rows, bool autoNumber, TargetPaths& targets);
    ~TargetAssigner();
    // Checks the next row and appends its target: the numbered one when a
    // duplicate is numbered, the plain one for a refused row (which later
    // rows never collide with). duplicateOf: the earlier row with the same
    // target; number: the number given.
    Verdict next(int& duplicateOf, long long& number);

private:
    struct State;  // numbering and the surrogate check
    const ApplyRows& rows_;
    bool autoNumber_;
    TargetPaths& targets_;
    std::u16string target_;  // the row's plain target, written out in one buffer
    // The plain targets' hashes some rows ahead, their slots fetched meanwhile.
    size_t plainHash(int row);
    static constexpr int kAhead = 8;
    size_t ahead_[kAhead + 1] = {};
    int hashed_ = 0;  // rows whose plain hash is known
    std::u16string aheadText_;
    PathIndex assigned_;
    std::unique_ptr<State> state_;
};

// Checks every row's New Name in list order (with the POSIX style, also that
// neither it nor the New Folder holds half of a surrogate pair) and fills
// targetPaths (one target per row). A duplicate target stops the
// checks, or with autoNumber gets the next free numbered name (reported
// through sink.rowNumbered and a log line). Nothing on disk is consulted.
[[nodiscard]] CheckResult CheckNames(const ApplyRows& rows, bool autoNumber, TargetPaths& targetPaths, ApplySink& sink);

}  // namespace quirnel
