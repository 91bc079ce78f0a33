#pragma once
#include <string>
#include <vector>

#include "base/RunFlags.h"

namespace quirnel {

// How many journals a folder keeps; older finished ones are deleted.
constexpr size_t kJournalsKept = 20;

// The path for a new run's journal: the named file, or a new name in the
// folder that sorts after every earlier one. Empty when there is no place.
std::u16string NewJournalPath(const JournalPlace& place);

// The journals of a folder, oldest first.
std::vector<std::u16string> ListJournals(const std::u16string& folder);

// The newest journal of a folder; empty when there is none.
std::u16string NewestJournal(const std::u16string& folder);

// Journals of runs that were interrupted (no end mark) and not yet settled
// by a revert or a decision to keep the disk as it is.
std::vector<std::u16string> UnsettledJournals(const std::u16string& folder);

// Deletes all but the newest kept journals. An unsettled one is never
// deleted: it is the only record of what an interrupted run did.
void PruneJournals(const std::u16string& folder, size_t keep = kJournalsKept);

}  // namespace quirnel
