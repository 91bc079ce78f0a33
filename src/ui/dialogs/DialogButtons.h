#pragma once

class QDialog;
class QDialogButtonBox;

namespace quirnel {

// "OK" (the default button) and "Cancel" in the current language, wired to
// the dialog's accept and reject.
QDialogButtonBox* OkCancelButtons(QDialog* dialog);

}  // namespace quirnel
