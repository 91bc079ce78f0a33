#pragma once
#include "apply/ApplyOptions.h"
#include "namelist/Workspace.h"

namespace quirnel {

// The apply run on the calling thread (UseThread 0, the command-line front
// end): the list is changed as each row succeeds.
ApplyOutcome ApplyChanges(Workspace& ws, ApplyType applyType);

}  // namespace quirnel
