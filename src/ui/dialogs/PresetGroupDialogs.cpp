#include "ui/dialogs/PresetGroupDialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

#include "app/Configuration.h"
#include "base/Host.h"
#include "base/StringTable.h"
#include "base/TextIds.h"
#include "ui/QtText.h"

namespace quirnel {
namespace {

// Both dialogs start with no name, in the folder either of them used last
// while the program runs; the chosen path, or nothing.
std::optional<std::u16string> AskPresetGroupFile(QWidget* parent, int titleId, QFileDialog::AcceptMode mode) {
    static QString lastFolder;
    QFileDialog dialog(parent, Q(LoadText(titleId)), lastFolder);
    dialog.setAcceptMode(mode);
    dialog.setNameFilters(PresetGroupFilters());
    if (mode == QFileDialog::AcceptSave) {
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setDefaultSuffix(QStringLiteral("qpx"));
    } else {
        // The toolkit would add a default suffix to every name without a dot
        // and then miss such a file, which "All Files" lists.
        dialog.setFileMode(QFileDialog::ExistingFile);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    lastFolder = QFileInfo(dialog.selectedFiles().first()).absolutePath();
    return U(QDir::toNativeSeparators(dialog.selectedFiles().first()));
}

}  // namespace

QStringList PresetGroupFilters() {
    // "*" rather than "*.*": on this platform a name need not have a dot.
    return {T(text::PresetFilesFilter), T(text::PresetAllFilesFilter)};
}

void ExportPresetGroupWithDialog(QWidget* parent, const AppState& app, Host& host) {
    const std::optional<std::u16string> path = AskPresetGroupFile(parent, text::ExportPresetTitle, QFileDialog::AcceptSave);
    if (!path || ExportPresetGroup(*path, app)) return;
    host.AppendLog(FormatText(LoadText(text::PresetGroupNotWritten), {*path}));
}

bool ImportPresetGroupWithDialog(QWidget* parent, AppState& app, Host& host) {
    const std::optional<std::u16string> path = AskPresetGroupFile(parent, text::ImportPresetTitle, QFileDialog::AcceptOpen);
    if (!path) return false;
    if (!ImportPresetGroup(*path, app))
        host.AppendLog(FormatText(LoadText(text::PresetGroupNotRead), {*path}));
    return true;
}

}  // namespace quirnel
