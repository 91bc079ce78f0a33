#pragma once
#include <atomic>
#include <string>
#include <utility>
#include <vector>

#include "base/Host.h"
#include "base/RunFlags.h"
#include "namelist/NameList.h"
#include "platform/Result.h"

namespace quirnel {

struct RevertOutcome {
    bool journalRead = false;
    bool journalFailed = false;   // its own journal could not be written: nothing changed
    std::u16string ownJournal;    // the revert's journal (a revert can be reverted)
    int total = 0;                // steps found done
    int reverted = 0;
    int skipped = 0;              // changed since, or failed: reported, never forced
    int left = 0;                 // what killed copies left and could not be removed: reported
    // Entries moved back, as (where the run had put it, where it is again).
    std::vector<std::pair<std::u16string, std::u16string>> movedBack;
};

// Rows that stand for an entry the revert moved back stand for it at its
// old path again: their proposal comes back as New Name and New Folder.
void FollowRevert(NameList& list, const RevertOutcome& outcome);

// Undoes what a run recorded in its journal did, the last step first, each
// without replacing anything: a moved entry goes back only while its target
// path still names the entry the run put there, a copy is removed only
// while it is exactly the copy the run made. Steps of an interrupted run
// that carry no mark are decided from the disk. Folders the run created
// are removed once empty again. Everything is reported through the host's
// log; the revert keeps its own journal at place, which names this journal.
// Steps that standing earlier reverts of the run (in place's folder) undid
// count as reverted and are recorded so. Stops between steps once stop is 1.
RevertOutcome RevertJournal(const std::u16string& journal, const JournalPlace& place, Host& host,
                            const std::atomic<int>* stop = nullptr);

// "Revert Last Apply": the newest run of the place's folder that changed
// the disk and still stands, or the interrupted revert of one, which this
// finishes (JournalHistory::lastApply). One question naming the run
// (Question::RevertRun) comes first; No, or nothing to revert, moves
// nothing and says so in the log. A revert that a run's steps already had
// counts them as reverted.
RevertOutcome RevertLastApply(const JournalPlace& place, Host& host);

// The redo the window offers: the newest standing revert, reverted after
// one question (Question::RedoRun) that names the run that comes back.
RevertOutcome RedoRevertedApply(const JournalPlace& place, Host& host);

// At start-up: for every interrupted run not yet settled, one question
// naming it (Question::RevertInterrupted): Yes reverts what it did (for an
// interrupted revert, finishes it), No keeps the disk as it is and settles
// it. Returns how many were found.
int RecoverInterruptedRuns(const JournalPlace& place, Host& host);

// Leaves the disk as an interrupted run left it and marks its journal
// settled, so that it is not offered again; a failure when it cannot be marked.
[[nodiscard]] Result SettleJournal(const std::u16string& journal, Host& host);

}  // namespace quirnel
