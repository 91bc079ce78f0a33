#pragma once
#include "namelist/NameList.h"

namespace quirnel {

// Discards pending proposals: New Name = Old Name and New Folder = Old Folder,
// for every row or only the selected ones. Never touches the disk, logs
// nothing, keeps the selection.
void UndoChanges(NameList& list, bool selectedOnly);

}  // namespace quirnel
