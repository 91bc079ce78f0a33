#include "app/PresetGroupFile.h"

#include "app/Configuration.h"
#include "base/TextFile.h"

namespace quirnel {

bool ExportPresetGroup(const std::u16string& path, const AppState& app) {
    return WriteTextFile(path, FormatPresetBlock(app.presets));
}

ReadStatus ImportPresetGroup(const std::u16string& path, AppState& app) {
    std::u16string text;
    if (ReadStatus status = ReadTextFile(path, text); !status) return status;
    PresetTable fresh{};
    if (ApplyConfigurationText(text, {app.settings, fresh, app.hotkeys}) == 0) return {ReadStatus::Unreadable};
    app.presets = std::move(fresh);
    return {};
}

}  // namespace quirnel
