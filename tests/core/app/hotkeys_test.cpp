#include "app/Hotkeys.h"

#include <gtest/gtest.h>

#include "app/VirtualKeys.h"
#include "base/MenuIds.h"

using namespace quirnel;

namespace {

TEST(Hotkeys, DefaultSetHoldsTheFortyFourRecords) {
    HotkeyTable table;
    table[1] = {1, 65, 0, 0};
    ResetHotkeys(table);
    EXPECT_EQ(table.size(), 44u);
    EXPECT_EQ(table.count(1), 0u);
    struct Row { int id, key, ctrl, shift; };
    const Row rows[] = {
        {32770, 122, 0, 0}, {32771, 112, 0, 0}, {32775, 116, 0, 0}, {32780, 'S', 1, 0}, {32782, 'Z', 1, 1},
        {32793, 46, 0, 0},  {32794, 188, 0, 0}, {32795, 190, 0, 0}, {32804, 'C', 1, 1}, {32808, 118, 0, 0},
        {32809, 119, 0, 0}, {32810, 0, 0, 0},   {32813, 0, 0, 0},   {32821, '1', 1, 0}, {32829, '9', 1, 0},
        {32830, '0', 1, 0}, {32831, '1', 0, 1}, {32833, '3', 0, 1}, {32854, 'O', 1, 1}, {32855, 'L', 1, 1},
    };
    for (const Row& r : rows) EXPECT_EQ(table.at(r.id), (HotkeyRecord{r.id, r.key, r.ctrl, r.shift})) << r.id;
    for (int id : {32820, 32834, 32840, 32861, 32865, 32867, 2}) EXPECT_EQ(table.count(id), 0u) << id;
}

TEST(Hotkeys, FindTakesTheLowestMatchingCommand) {
    HotkeyTable table = DefaultHotkeys();
    EXPECT_EQ(FindHotkey(table, '1', true, false), 32821);
    EXPECT_EQ(FindHotkey(table, '1', false, true), 32831);
    EXPECT_EQ(FindHotkey(table, '1', true, true), std::nullopt);
    EXPECT_EQ(FindHotkey(table, 'S', false, false), std::nullopt);
    table.at(32780) = {32780, vk::F1, 0, 0};
    EXPECT_EQ(FindHotkey(table, vk::F1, false, false), 32771) << "preset 1 keeps F1";
    // Commands without a key must not answer a key the window could not map.
    EXPECT_EQ(FindHotkey(table, 0, false, false), std::nullopt);
}

TEST(Hotkeys, KeyNames) {
    const std::pair<int, std::u16string> cases[] = {
        {8, u"Backspace"}, {12, u"Clear"},       {17, u"NULL"},     {162, u"NULL"},      {163, u"NULL"},
        {19, u"PAUSE"},    {32, u"Space"},       {33, u"Page Up"},  {40, u"Down Arrow"}, {44, u"PrintScreen"},
        {46, u"Delete"},   {48, u"0"},           {57, u"9"},        {65, u"A"},          {90, u"Z"},
        {96, u"Numpad 0"}, {105, u"Numpad 9"},   {106, u"Numpad *"}, {110, u"Numpad ."}, {111, u"Numpad /"},
        {108, u"0x6c"},    {112, u"F1"},         {123, u"F12"},     {124, u"0x7c"},      {144, u"NumLock"},
        {160, u"Left Shift"}, {186, u";"},       {188, u"<"},       {190, u">"},         {191, u"?"},
        {192, u"~"},       {220, u"\\"},         {222, u"'"},       {0, u"0x0"},         {-1, u"0xffffffff"},
        {64, u"0x40"},
    };
    for (const auto& [code, name] : cases) EXPECT_EQ(KeyName(code), name) << code;
}

TEST(Hotkeys, TextsForMenuAndList) {
    HotkeyTable table = DefaultHotkeys();
    EXPECT_EQ(HotkeyText(table.at(32780)), u"Ctrl\uFF0BS");
    EXPECT_EQ(HotkeyText(table.at(32782)), u"Ctrl\uFF0BShift\uFF0BZ");
    EXPECT_EQ(HotkeyText(table.at(32831)), u"Shift\uFF0B1");
    EXPECT_EQ(HotkeyText(table.at(32810)), u"");
    EXPECT_EQ(HotkeyText({1, 0, 1, 0}), u"Ctrl\uFF0B") << "flags without a key still show";

    EXPECT_EQ(HotkeyMenuText(u"&Apply Changes\tCtrl+S", table.at(32780)), u"&Apply Changes\tCtrl\uFF0BS");
    EXPECT_EQ(HotkeyMenuText(u"Version...", table.at(32813)), u"Version...\t") << "no hotkey keeps a bare tab";
    EXPECT_EQ(HotkeyMenuText(u"", table.at(32771)), u"\tF1");
    EXPECT_EQ(HotkeyMenuText(u"A\tB\tC", table.at(32771)), u"A\tF1");
}

TEST(Hotkeys, ConflictsNameTheOtherCommandAndWhichOneRuns) {
    HotkeyTable table = DefaultHotkeys();
    for (const auto& [id, record] : table) EXPECT_EQ(FindHotkeyConflict(table, id), std::nullopt) << id;

    table.at(menu::ApplyChanges) = {menu::ApplyChanges, vk::F1, 0, 0};  // Apply Changes takes preset 1's F1
    table.at(menu::AddFiles) = {menu::AddFiles, vk::F1, 0, 0};
    EXPECT_EQ(FindHotkeyConflict(table, menu::ApplyPreset1), (HotkeyConflict{menu::ApplyChanges, false}));
    EXPECT_EQ(FindHotkeyConflict(table, menu::ApplyChanges), (HotkeyConflict{menu::ApplyPreset1, true}));
    EXPECT_EQ(FindHotkeyConflict(table, menu::AddFiles), (HotkeyConflict{menu::ApplyPreset1, true}))
        << "the one that runs is named";

    // Other modifiers, no key, or an unknown command: no conflict.
    table.at(menu::SortList) = {menu::SortList, 'S', 1, 1};
    EXPECT_EQ(FindHotkeyConflict(table, menu::SortList), std::nullopt);
    table.at(menu::CopyNewNames) = {menu::CopyNewNames, 0, 1, 0};
    table.at(menu::PasteNewNames) = {menu::PasteNewNames, 0, 1, 0};
    EXPECT_EQ(FindHotkeyConflict(table, menu::PasteNewNames), std::nullopt);
    EXPECT_EQ(FindHotkeyConflict(table, menu::PathLoadOptions), std::nullopt);
    EXPECT_EQ(FindHotkeyConflict(table, 1), std::nullopt);
}

TEST(VirtualKeys, CharactersMapToTheKeysThatTypeThem) {
    const std::pair<char16_t, int> cases[] = {
        {u'a', 65}, {u'Z', 90}, {u'0', 48}, {u'!', 49}, {u')', 48}, {u'(', 57}, {u',', 188}, {u'<', 188},
        {u'.', 190}, {u'>', 190}, {u'~', 192}, {u'|', 220}, {u'"', 222}, {u' ', 32}, {u'\u00e9', 0},
    };
    for (const auto& [c, key] : cases) EXPECT_EQ(VirtualKeyOfCharacter(c), key) << static_cast<int>(c);
    EXPECT_EQ(NumpadVirtualKey(u'7'), 103);
    EXPECT_EQ(NumpadVirtualKey(u'-'), 109);
    EXPECT_EQ(NumpadVirtualKey(u'a'), 0);
}

}  // namespace
