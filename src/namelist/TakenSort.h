#pragma once
#include <optional>
#include <vector>

#include "metadata/FieldTypes.h"
#include "namelist/NameList.h"
#include "namelist/Workspace.h"

namespace quirnel {

// Reorders the rows by the time their files were taken or recorded (fields[r]
// of row r): by the moment where the file gives its UTC offset, by the wall
// time otherwise. Rows without a date keep their order after the others, in
// both directions; the sort is stable.
void SortRowsByTaken(NameList& list, const std::vector<MediaFields>& fields, bool ascending);
// The same from the dates alone (taken[r] of row r; empty for a row without one).
void SortRowsByTaken(NameList& list, const std::vector<std::optional<TakenTime>>& taken, bool ascending);

// The same over the workspace's list, reading the files through its cache.
void SortListByTaken(Workspace& ws, bool ascending);

}  // namespace quirnel
