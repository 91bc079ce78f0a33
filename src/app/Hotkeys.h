#pragma once
#include <cstdint>
#include <map>
#include <optional>
#include <string>

namespace quirnel {

// The key combination of one menu command; KeyCode 0 means none. Alt is
// never part of a hotkey.
struct HotkeyRecord {
    int32_t CommandId = 0;
    int32_t KeyCode = 0;  // a virtual key code (app/VirtualKeys.h)
    int32_t Ctrl = 0;
    int32_t Shift = 0;

    bool operator==(const HotkeyRecord&) const = default;
};

// Ordered by command id. Only the default set creates records; the file and
// the dialogs change them but never add or remove any.
using HotkeyTable = std::map<int32_t, HotkeyRecord>;

// Empties the table and inserts the 44 default records.
void ResetHotkeys(HotkeyTable& table);
HotkeyTable DefaultHotkeys();

// The lowest command id whose record matches the key and both modifiers.
std::optional<int32_t> FindHotkey(const HotkeyTable& table, int32_t keyCode, bool ctrlDown, bool shiftDown);

// Another command holding the same combination. Only the lower id of the two
// ever runs by it, so the higher one's key "does nothing".
struct HotkeyConflict {
    int32_t otherCommand = 0;
    bool shadowed = false;  // otherCommand runs instead of this one

    bool operator==(const HotkeyConflict&) const = default;
};

// None when no other record holds the key and both modifiers of this one, or
// when this one has no key. A shadowed record names the command that runs.
std::optional<HotkeyConflict> FindHotkeyConflict(const HotkeyTable& table, int32_t commandId);

// The name shown for a key code ("F1", "Numpad 3", "0x7c" for unnamed codes).
std::u16string KeyName(int32_t keyCode);

// "Ctrl＋Shift＋Z"-style text; empty for a record without key and modifiers.
std::u16string HotkeyText(const HotkeyRecord& record);

// A menu item text with its hotkey after the tab: the part before the first
// tab is kept, then a tab and the hotkey text (empty when there is none).
std::u16string HotkeyMenuText(const std::u16string& menuText, const HotkeyRecord& record);

}  // namespace quirnel
