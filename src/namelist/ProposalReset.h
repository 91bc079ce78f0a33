#pragma once
#include "namelist/NameList.h"

namespace quirnel {

enum class UndoScope { AllRows, SelectedRows };

// Discards pending proposals: New Name = Old Name and New Folder = Old Folder,
// for every row or only the selected ones. Never touches the disk, logs
// nothing, keeps the selection. (Taking back what a run did on disk is the
// revert of its journal, apply/Revert.h.)
void UndoChanges(NameList& list, UndoScope scope);

// Whether any row proposes a name or a folder other than its own: what
// UndoChanges would discard and closing the window would lose.
bool AnyPendingProposal(const NameList& list);
// Whether one row does.
bool RowHasProposal(const NameList& list, int row);

}  // namespace quirnel
