#pragma once
#include <QString>
#include <cstdint>
#include <vector>

namespace quirnel {

// One entry of a popup: a command with the text id of its caption, a
// separator (command 0, no text), or the UI Language submenu (kLanguageSubmenu).
struct MenuEntry {
    int32_t command;
    int textId = 0;
};

// An entry's caption in the current language.
QString EntryCaption(const MenuEntry& entry);
constexpr int32_t kSeparator = 0;
constexpr int32_t kLanguageSubmenu = -1;

struct MenuPopup {
    int textId;
    std::vector<MenuEntry> entries;
};

// The menu bar in display order. The window shows only the commands it can
// carry out.
const std::vector<MenuPopup>& MenuBarLayout();
const std::vector<MenuEntry>& LanguageSubmenu();
QString LanguageSubmenuCaption();

// A command's caption in the current language, without a hotkey; empty for
// an id the menu does not have.
QString MenuCaption(int32_t command);

}  // namespace quirnel
