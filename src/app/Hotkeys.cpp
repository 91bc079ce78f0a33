#include "app/Hotkeys.h"

#include <cstdio>
#include <iterator>
#include <string_view>

#include "app/VirtualKeys.h"
#include "base/MenuIds.h"

namespace quirnel {
namespace {

// Between modifier names, the full-width plus sign.
constexpr char16_t kPlus = u'\uFF0B';

using namespace menu;

// The default hotkeys: Ctrl is the third field, Shift the fourth.
constexpr HotkeyRecord kDefaults[] = {
    {PresetSettings, vk::F1 + 10, 0, 0},  // F11
    {ApplyPreset1, vk::F1, 0, 0},         {ApplyPreset1 + 1, vk::F1 + 1, 0, 0},
    {ApplyPreset1 + 2, vk::F1 + 2, 0, 0}, {ApplyPreset1 + 3, vk::F1 + 3, 0, 0},
    {ApplyPreset1 + 4, vk::F1 + 4, 0, 0},
    {ApplyChanges, 'S', 1, 0},            {UndoChanges, 'Z', 1, 0},        {UndoSelectedOnly, 'Z', 1, 1},
    {AddFiles, 'O', 1, 0},                {ClearOrFilterList, 'L', 1, 0},  {SortList, 'R', 1, 0},
    {RemoveSelected, vk::Delete, 0, 0},   {MoveUp, vk::Comma, 0, 0},       {MoveDown, vk::Period, 0, 0},
    {CopyNewNames, 'C', 1, 0},            {PasteNewNames, 'V', 1, 0},      {SaveNewNames, 'D', 1, 0},
    {LoadNewNames, 'F', 1, 0},            {CopyPaths, 'C', 1, 1},          {PastePaths, 'V', 1, 1},
    {SavePaths, 'D', 1, 1},               {LoadPaths, 'F', 1, 1},
    {ExportPresetGroup, vk::F1 + 6, 0, 0}, {ImportPresetGroup, vk::F1 + 7, 0, 0},  // F7, F8
    {PathLoadOptions, 0, 0, 0},           {ViewOptions, 0, 0, 0},          {OtherOptions, 0, 0, 0},
    {Version, 0, 0, 0},
    {Replace, '1', 1, 0},                 {AddPrefix, '2', 1, 0},          {AddSuffix, '3', 1, 0},
    {EmptyName, '4', 1, 0},               {Remove, '5', 1, 0},             {NumbersOnly, '6', 1, 0},
    {DelNumbers, '7', 1, 0},              {MatchDigits, '8', 1, 0},        {AddNumbers, '9', 1, 0},
    {ChangeFolder, '0', 1, 0},
    {EmptyExt, '1', 0, 1},                {AddExt, '2', 0, 1},             {ReplaceExt, '3', 0, 1},
    {AddFolders, 'O', 1, 1},              {ClearListInstantly, 'L', 1, 1},
};
static_assert(sizeof kDefaults / sizeof kDefaults[0] == 44);

const char16_t* NamedKey(int32_t code) {
    switch (code) {
        case vk::Backspace: return u"Backspace";
        case vk::Tab: return u"Tab";
        case vk::Clear: return u"Clear";
        case vk::Enter: return u"Enter";
        case vk::Shift: return u"Shift";
        // The bare Ctrl keys can never be a hotkey's main key.
        case vk::Control: case vk::LeftControl: case vk::RightControl: return u"NULL";
        case vk::Pause: return u"PAUSE";
        case vk::CapsLock: return u"CapsLock";
        case vk::Escape: return u"Escape";
        case vk::Space: return u"Space";
        case vk::PageUp: return u"Page Up";
        case vk::PageDown: return u"Page Down";
        case vk::End: return u"End";
        case vk::Home: return u"Home";
        case vk::Left: return u"Left Arrow";
        case vk::Up: return u"Up Arrow";
        case vk::Right: return u"Right Arrow";
        case vk::Down: return u"Down Arrow";
        case vk::PrintScreen: return u"PrintScreen";
        case vk::Insert: return u"Insert";
        case vk::Delete: return u"Delete";
        case vk::Multiply: return u"Numpad *";
        case vk::Add: return u"Numpad +";
        case vk::Subtract: return u"Numpad -";
        case vk::Decimal: return u"Numpad .";
        case vk::Divide: return u"Numpad /";
        case vk::NumLock: return u"NumLock";
        case vk::ScrollLock: return u"ScrollLock";
        case vk::LeftShift: return u"Left Shift";
        case vk::RightShift: return u"Right Shift";
        // The punctuation keys show their shifted character for some.
        case vk::Semicolon: return u";";
        case vk::Equals: return u"=";
        case vk::Comma: return u"<";
        case vk::Minus: return u"-";
        case vk::Period: return u">";
        case vk::Slash: return u"?";
        case vk::Grave: return u"~";
        case vk::LeftBracket: return u"[";
        case vk::Backslash: return u"\\";
        case vk::RightBracket: return u"]";
        case vk::Quote: return u"'";
        default: return nullptr;
    }
}

std::u16string Ascii(std::string_view text) { return std::u16string(text.begin(), text.end()); }

}  // namespace

void ResetHotkeys(HotkeyTable& table) {
    table.clear();
    for (const HotkeyRecord& record : kDefaults) table.emplace(record.CommandId, record);
}

HotkeyTable DefaultHotkeys() {
    HotkeyTable table;
    ResetHotkeys(table);
    return table;
}

std::optional<int32_t> FindHotkey(const HotkeyTable& table, int32_t keyCode, bool ctrlDown, bool shiftDown) {
    if (keyCode == 0) return std::nullopt;  // an unmapped key must not start a command without hotkey
    for (const auto& [id, record] : table)
        if (record.KeyCode == keyCode && (record.Ctrl != 0) == ctrlDown && (record.Shift != 0) == shiftDown)
            return id;
    return std::nullopt;
}

std::optional<HotkeyConflict> FindHotkeyConflict(const HotkeyTable& table, int32_t commandId) {
    auto it = table.find(commandId);
    if (it == table.end()) return std::nullopt;
    const HotkeyRecord& record = it->second;
    std::optional<int32_t> runs = FindHotkey(table, record.KeyCode, record.Ctrl != 0, record.Shift != 0);
    if (!runs) return std::nullopt;
    if (*runs != commandId) return HotkeyConflict{*runs, true};
    for (auto later = std::next(it); later != table.end(); ++later)
        if (FindHotkey(table, later->second.KeyCode, later->second.Ctrl != 0, later->second.Shift != 0) == commandId)
            return HotkeyConflict{later->first, false};
    return std::nullopt;
}

std::u16string KeyName(int32_t keyCode) {
    if (const char16_t* name = NamedKey(keyCode)) return name;
    if ((keyCode >= '0' && keyCode <= '9') || (keyCode >= 'A' && keyCode <= 'Z'))
        return std::u16string(1, static_cast<char16_t>(keyCode));
    char text[24];
    if (keyCode >= vk::Numpad0 && keyCode <= vk::Numpad0 + 9)
        std::snprintf(text, sizeof text, "Numpad %d", keyCode - vk::Numpad0);
    else if (keyCode >= vk::F1 && keyCode <= vk::F1 + 11)
        std::snprintf(text, sizeof text, "F%d", keyCode - vk::F1 + 1);
    else
        std::snprintf(text, sizeof text, "0x%x", static_cast<unsigned>(keyCode));
    return Ascii(text);
}

std::u16string HotkeyText(const HotkeyRecord& record) {
    std::u16string text;
    if (record.Ctrl != 0) text += std::u16string(u"Ctrl") + kPlus;
    if (record.Shift != 0) text += std::u16string(u"Shift") + kPlus;
    if (record.KeyCode != 0) text += KeyName(record.KeyCode);
    return text;
}

std::u16string HotkeyMenuText(const std::u16string& menuText, const HotkeyRecord& record) {
    return menuText.substr(0, menuText.find(u'\t')) + u'\t' + HotkeyText(record);
}

}  // namespace quirnel
