#pragma once
#include <functional>
#include <string>
#include <vector>

#include "base/CommandIds.h"
#include "namelist/NameList.h"
#include "namelist/Workspace.h"

namespace quirnel {

// Whether a wildcard pattern (* any run, ? one character) matches somewhere
// in a text. The list filters take it as a parameter so that they share the
// one wildcard engine of the rename commands.
using PatternFinder = std::function<bool(const std::u16string& text, const std::u16string& pattern)>;

// Two rows that changed places: the window moves its focus and scroll with them.
struct RowSwap {
    int a;
    int b;
};

// Exchanges two rows completely, selection included; the PathSet is unaffected.
void SwapRows(NameList& list, int a, int b);

// Each selected row moves one place up (down) as a block; nothing moves when
// the top (bottom) row is selected. Returns the swaps made, in order; the
// last one's b is the row to scroll into view.
std::vector<RowSwap> MoveUp(NameList& list);
std::vector<RowSwap> MoveDown(NameList& list);

// Removes the selected rows and their paths, then updates the count (which
// logs the removal).
void RemoveSelected(Workspace& ws);

// Empties the list (sub::ClearAll) or removes the rows a filter matches
// (sub::ClearNameHas .. sub::ClearChangedPath);
// any other value removes nothing. The count is updated in every case.
// Returns the number of rows removed.
int ClearList(Workspace& ws, int item, const std::u16string& pattern, const std::u16string& second,
              const PatternFinder& found);

}  // namespace quirnel
