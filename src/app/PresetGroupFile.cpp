#include "app/PresetGroupFile.h"

#include "app/Configuration.h"
#include "base/TextFile.h"

namespace quirnel {

bool ExportPresetGroup(const std::u16string& path, const AppState& app) {
    return WriteTextFile(path, FormatPresetBlock(app.presets));
}

bool ImportPresetGroup(const std::u16string& path, AppState& app) {
    std::u16string text;
    if (!ReadTextFile(path, text)) return false;
    PresetTable fresh{};
    if (ApplyConfigurationText(text, {app.settings, fresh, app.hotkeys}) == 0) return false;
    app.presets = std::move(fresh);
    return true;
}

}  // namespace quirnel
