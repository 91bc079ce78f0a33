#include "app/PresetGroupFile.h"

#include "app/Configuration.h"
#include "app/TextFile.h"

namespace quirnel {

bool ExportPresetGroup(const std::u16string& path, const AppState& app) {
    return WriteTextFile(path, FormatPresetBlock(app.Presets));
}

bool ImportPresetGroup(const std::u16string& path, AppState& app) {
    std::u16string text;
    if (!ReadTextFile(path, text)) return false;
    PresetTable fresh{};
    if (ApplyConfigurationText(text, {app.settings, fresh, app.Hotkeys}) == 0) return false;
    app.Presets = std::move(fresh);
    return true;
}

}  // namespace quirnel
