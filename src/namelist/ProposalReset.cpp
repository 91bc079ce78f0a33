#include "namelist/ProposalReset.h"

namespace quirnel {

void UndoChanges(NameList& list, UndoScope scope) {
    for (int r = 0; r < list.size(); ++r) {
        if (scope == UndoScope::SelectedRows && !list.selected(r)) continue;
        list.setNewName(r, list.oldName(r));
        list.setNewFolder(r, list.oldFolder(r));
    }
}

bool RowHasProposal(const NameList& list, int row) {
    return list.newName(row) != list.oldName(row) || list.newFolder(row) != list.oldFolder(row);
}

bool AnyPendingProposal(const NameList& list) {
    for (int r = 0; r < list.size(); ++r)
        if (RowHasProposal(list, r)) return true;
    return false;
}

}  // namespace quirnel
