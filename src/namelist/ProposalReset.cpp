#include "namelist/ProposalReset.h"

namespace quirnel {

void UndoChanges(NameList& list, UndoScope scope) {
    for (int r = 0; r < list.size(); ++r) {
        if (scope == UndoScope::SelectedRows && !list.selected(r)) continue;
        list.setNewName(r, list.oldName(r));
        list.setNewFolder(r, list.oldFolder(r));
    }
}

bool AnyPendingProposal(const NameList& list) {
    for (int r = 0; r < list.size(); ++r)
        if (list.newName(r) != list.oldName(r) || list.newFolder(r) != list.oldFolder(r)) return true;
    return false;
}

}  // namespace quirnel
