#include "apply/ApplyOptions.h"

namespace quirnel {

ApplyOptions ApplyOptionsFrom(const AppSettings& settings, ApplyType applyType) {
    ApplyOptions o;
    o.applyType = applyType;
    o.autoNumber = IsOn(settings.AutoNumber);
    o.clearAfterApply = IsOn(settings.ClearAfterApply);
    o.showDoneDialog = IsOn(settings.ShowDoneDialog);
    o.reportProgress = IsOn(settings.UseThread);
    return o;
}

}  // namespace quirnel
