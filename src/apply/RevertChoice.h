#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "apply/Journal.h"

namespace quirnel {

// What a journal says about its run: enough to choose a revert and to name
// the run to a person.
struct RunSummary {
    std::u16string journal;
    bool readable = false;
    std::u16string unreadable;  // why not, in words
    JournalKind kind = JournalKind::Rename;
    std::u16string reverts;     // the journal whose run this one undoes; empty for a run
    bool ended = false;
    bool settled = false;
    bool changedDisk = false;   // a step or a folder may have happened
    bool reverted = false;      // an "X reverted" decision
    std::u16string revertedBy;
    int entries = 0;            // each entry once, whatever temporary names it passed
    bool moves = false;         // an entry changes its folder
    std::u16string folder;      // the common folder of its steps, or the first step's
    int64_t startedUtc = 0;     // seconds
};

// Reads a journal once while its size and time stay the same.
RunSummary SummarizeJournal(const std::u16string& journal);

// One line naming a run: its kind, when it was, how many entries, which folder.
std::u16string DescribeRun(const RunSummary& run);

// What a revert is to do.
struct RevertChoice {
    enum class What { NoJournal, Nothing, Unreadable, Revert, Redo } what = What::NoJournal;
    std::u16string journal;  // the journal to revert: a run's, or for a redo the revert's
    bool resumes = false;    // an earlier revert of it was interrupted: this one finishes it
    RunSummary run;          // what changes back: for a redo, the run that comes back
};

// The journals of a folder and how they undo each other. A revert names
// the journal it undoes (journals of older versions are named by the
// "X reverted" line of the journal they undid); a run stands while no
// finished revert of it stands.
class JournalHistory {
public:
    explicit JournalHistory(const std::u16string& folder);

    // "Revert Last Apply": the newest standing run that changed the disk;
    // an interrupted revert of a standing run comes first and is finished.
    // Finished reverts are never taken: reverting one is a redo.
    RevertChoice lastApply() const;
    // The redo offered: the newest standing revert, while no standing run
    // is newer.
    RevertChoice redo() const;
    // A journal the user names: a revert's journal is a redo.
    RevertChoice named(const std::u16string& journal) const;
    // For an interrupted revert: reverting its run again, which finishes it;
    // Nothing for any other journal.
    RevertChoice finishing(const std::u16string& journal) const;

    // The journals of standing reverts of a journal, oldest first: what
    // their steps did counts as reverted.
    std::vector<std::u16string> standingRevertsOf(const std::u16string& journal) const;
    // Whether reverting the journal redoes a run (it records a revert).
    bool isRevert(const std::u16string& journal) const;

private:
    static constexpr int kUnlisted = -1;
    int indexOf(const std::u16string& journal) const;
    void link();
    RevertChoice revertOf(size_t i, bool resumes) const;

    std::vector<RunSummary> runs_;  // oldest first
    std::vector<int> target_;       // the run each one undoes, kUnlisted for none or one not here
    std::vector<bool> hasTarget_;   // it is a revert, of a run here or gone
    std::vector<int> depth_;        // 0 a run, 1 its revert, 2 a redo, ...
    std::vector<bool> undone_;      // a finished revert of it stands
};

}  // namespace quirnel
