#include "namelist/ProposalReset.h"

namespace quirnel {

void UndoChanges(NameList& list, UndoScope scope) {
    for (int r = 0; r < list.size(); ++r) {
        if (scope == UndoScope::SelectedRows && !list.selected(r)) continue;
        list.setNewName(r, list.oldName(r));
        list.setNewFolder(r, list.oldFolder(r));
    }
}

}  // namespace quirnel
