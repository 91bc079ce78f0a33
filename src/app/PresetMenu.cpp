#include "app/PresetMenu.h"

#include "base/MenuIds.h"
#include "base/StringTable.h"
#include "base/TextIds.h"
#include "presets/PresetEditing.h"

namespace quirnel {

std::u16string PresetMenuText(int number, const QuirnelPreset& preset) {
    return FormatText(LoadText(text::PresetMenuItem),
                      {static_cast<long long>(number), PresetDisplayName(preset), static_cast<long long>(number)});
}

std::vector<PresetMenuEntry> PresetMenuEntries(const PresetTable& presets, const HotkeyTable& hotkeys) {
    std::vector<PresetMenuEntry> entries;
    for (int i = 0; i < kPresetCount; ++i) {
        PresetMenuEntry entry;
        entry.commandId = menu::ApplyPreset1 + i;
        entry.text = PresetMenuText(i + 1, presets[i]);
        entry.enabled = !presets[i].Tasks.empty();
        if (auto found = hotkeys.find(entry.commandId); found != hotkeys.end())
            entry.text = HotkeyMenuText(entry.text, found->second);
        entries.push_back(std::move(entry));
    }
    return entries;
}

}  // namespace quirnel
