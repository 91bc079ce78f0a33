#pragma once
#include "namelist/NameList.h"
#include "platform/Collation.h"
#include "namelist/Workspace.h"

namespace quirnel {

// How rows a and b order by a column: negative, zero or positive. Name and
// path columns put files before folders, then compare their texts logically or
// plainly; Size compares numbers; the time columns compare times; any other
// column (-1 included) finds all rows equal.
int CompareRows(const NameList& list, int a, int b, int column, TextOrder order);

// Reorders all rows by a column; descending negates the comparison. Stable:
// rows that compare equal keep their order.
void SortRows(NameList& list, int column, bool ascending, TextOrder order);

// The direction a click on a column header sorts in: descending when that
// column is sorted ascending now, ascending otherwise.
bool HeaderClickAscending(const Workspace& ws, int column);

// Remembers column and direction as the list's sort state and sorts, in the
// text order SortLikeWindows chooses; the date taken column reads the files
// through the workspace's cache.
void SortList(Workspace& ws, int column, bool ascending);

}  // namespace quirnel
