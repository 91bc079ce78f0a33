#include "apply/Undo.h"

namespace quirnel {

void UndoChanges(NameList& list, bool selectedOnly) {
    for (int r = 0; r < list.size(); ++r) {
        if (selectedOnly && !list.selected(r)) continue;
        list.setNewName(r, list.oldName(r));
        list.setNewFolder(r, list.oldFolder(r));
    }
}

}  // namespace quirnel
