#pragma once
#include <QString>
#include <cstdint>
#include <vector>

namespace quirnel {

// One entry of a popup: a command with its caption in both languages, a
// separator (command 0), or the UI Language submenu (kLanguageSubmenu).
struct MenuEntry {
    int32_t command;
    const char* english;
    const char* korean;
    int textId = 0;  // when set, the caption is this string of the table instead
};

// An entry's caption in the current language.
QString EntryCaption(const MenuEntry& entry);
constexpr int32_t kSeparator = 0;
constexpr int32_t kLanguageSubmenu = -1;

struct MenuPopup {
    const char* english;
    const char* korean;
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
