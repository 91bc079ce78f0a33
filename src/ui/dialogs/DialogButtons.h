#pragma once
#include <QDialog>

#include "base/AppSettings.h"

class QDialogButtonBox;

namespace quirnel {

// "OK" (the default button) and "Cancel" in the current language, wired to
// the dialog's accept and reject.
QDialogButtonBox* OkCancelButtons(QDialog* dialog);

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
