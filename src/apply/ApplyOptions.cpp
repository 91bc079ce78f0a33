#include "apply/ApplyOptions.h"

namespace quirnel {

ApplyOptions ApplyOptionsFrom(const AppSettings& settings, ApplyType applyType) {
    ApplyOptions o;
    o.applyType = applyType;
    o.autoNumber = settings.AutoNumber == 1;
    o.clearAfterApply = settings.ClearAfterApply == 1;
    o.showDoneDialog = settings.ShowDoneDialog == 1;
    o.reportProgress = settings.UseThread == 1;
    return o;
}

}  // namespace quirnel
