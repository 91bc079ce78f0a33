#include "apply/ApplyChanges.h"

#include "apply/ApplyEngine.h"
#include "apply/WorkspaceSink.h"

namespace quirnel {

ApplyOutcome ApplyChanges(Workspace& ws, ApplyType applyType) {
    BeginApply(ws, applyType);
    ApplyOptions options = ApplyOptionsFor(ws, applyType);
    ApplyOutcome outcome;
    {
        ListRows rows(ws.list);
        WorkspaceSink sink(ws, options);
        outcome = RunApplyEngine(rows, options, ws.flags.stopFlag, sink);
    }
    EndApply(ws);
    return outcome;
}

}  // namespace quirnel
