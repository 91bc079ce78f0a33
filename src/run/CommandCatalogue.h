#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "base/CommandIds.h"
#include "base/TextIds.h"

namespace quirnel {

// Not a command: the input dialog's request for a preset's name.
constexpr int32_t kPresetNameRequest = text::PresetNameLabel;

// The operation that carries a command out.
enum class Operation {
    ApplyChanges,
    ReplaceNames,
    AddToNames,
    EmptyNames,
    RemoveFromNames,
    FilterDigits,
    MatchDigits,
    AddNumbers,
    UndoChanges,
    ClearList,
    SortList,
    EditName,
    MoveUp,
    MoveDown,
    ChangeFolder,
    EmptyExtensions,
};

// What the dispatcher and the preset run need to know about a command.
struct CommandInfo {
    int32_t id;
    Operation operation;
    int32_t menuCommand;         // the main window's command id
    int32_t altMenuCommand = 0;  // a second one (Undo Selected Only, Clear List Instantly), or 0
    bool hasInput = false;       // asks through the command input dialog
    bool prefix = false;         // AddToNames: insert at the head
    bool extension = false;      // ReplaceNames / AddToNames: work on the extension
    bool keepDigits = false;     // FilterDigits: keep (7) or delete (8) the digits
    bool suspendRedraw = false;  // redraw suspended when run from the main window
    bool inPresetEditor = false; // offered by the preset editor
    bool runInPreset = false;    // executed by a preset run; otherwise skipped there
};

// The record of a command id, or nullptr for a number outside 1..20.
const CommandInfo* FindCommand(int32_t id);
// The command a main-window command id carries out (its menu or alternative
// id), or nullptr.
const CommandInfo* FindMenuCommand(int32_t menuCommand);

// One sub-command as the input dialog offers it. An empty label hides its field.
struct InputItem {
    std::u16string caption;
    int32_t subCommand = 0;  // the string id of the caption
    std::u16string arg1Label;
    int32_t arg1Numeric = 0;  // 1: digits only
    std::u16string arg2Label;
    int32_t arg2Numeric = 0;
};

struct InputItems {
    std::u16string caption;  // the dialog's caption
    std::vector<InputItem> items;
};

// The caption and the ordered items of a command (or of the preset-name
// request); an id without a list has no items. Texts in the current language.
InputItems BuildInputItems(int32_t commandId);

// The commands the preset editor offers, in the order of its buttons: those
// that rewrite proposals by number, then Clear List.
std::vector<int32_t> PresetEditorCommands();

// Item sets the checks use.
bool IsWildcardItem(int32_t subCommand);
bool IsPositionItem(int32_t subCommand);
bool IsDelimiterItem(int32_t subCommand);
bool IsDigitLengthItem(int32_t subCommand);
// The first field starts with a date format (its label is the format hint).
bool HasDateFormatDefault(int32_t subCommand);
// Only "Move items to a different folder" offers the folder picker.
bool HasFolderPicker(int32_t subCommand);

// What the first field of a date item starts with.
constexpr char16_t kDefaultDateFormat[] = u"%Y-%m-%d";

}  // namespace quirnel
