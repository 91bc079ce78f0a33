#pragma once
#include <QDialog>

#include "base/AppSettings.h"

namespace quirnel {

// Runs an options dialog that shows a copy of the settings and writes them
// back with store() only when it ends with OK; true then.
template <typename Dialog>
bool EditSettings(AppSettings& settings, QWidget* parent) {
    Dialog dialog(settings, parent);
    if (dialog.exec() != QDialog::Accepted) return false;
    dialog.store(settings);
    return true;
}

}  // namespace quirnel
