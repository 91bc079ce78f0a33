#pragma once
#include <QStringList>

#include "app/AppState.h"

class QWidget;

namespace quirnel {

class Host;

// The file types both dialogs offer: preset groups first, then every file.
QStringList PresetGroupFilters();

// "Export current preset": the platform's save dialog (overwrites confirmed,
// "qpx" added to a name without a suffix), then the five presets written
// there. A place that cannot be written is said in the log.
void ExportPresetGroupWithDialog(QWidget* parent, const AppState& app, Host& host);

// "Import a preset": the platform's open dialog for an existing file, then the
// presets read from it. A file that cannot be read or holds no preset keeps
// the presets and is said in the log. True when a file was chosen: the caller
// rewrites its menus, since even a file without presets may have brought
// settings or hotkeys.
bool ImportPresetGroupWithDialog(QWidget* parent, AppState& app, Host& host);

}  // namespace quirnel
