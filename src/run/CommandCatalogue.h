#pragma once
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "base/CommandIds.h"
#include "base/TextIds.h"
#include "commands/ChangeFolder.h"

namespace quirnel {

struct Workspace;

// Not a command: the input dialog's request for a preset's name.
constexpr int32_t kPresetNameRequest = text::PresetNameLabel;

// What a menu command needs, besides no apply run going, to be enabled.
enum class Needs : uint8_t { Nothing, Rows, Selection, PresetTasks, RevertedRun };

// What running a command may change. The window repaints from this alone.
enum class Changes : uint8_t { None = 0, Names = 1, Folders = 2, Rows = 4, Order = 8, Disk = 16 };
constexpr Changes operator|(Changes a, Changes b) {
    return static_cast<Changes>(static_cast<uint8_t>(a) | static_cast<uint8_t>(b));
}
constexpr bool Has(Changes set, Changes one) { return (static_cast<uint8_t>(set) & static_cast<uint8_t>(one)) != 0; }

// How the window carries a command out; its handlers are bound per route.
enum class WindowRoute : uint8_t {
    Proposals,  // ask for input when the command has items, then RunCommand
    ApplyMode,  // the apply-mode chooser, then an apply run
    Undo,
    ClearList,  // the input dialog, or nothing asked for the alternate menu command
    SortDialog,
    EditName,
    MoveRows,
};

// What the dialog does with a field beyond taking text.
enum class FieldKind : uint8_t {
    Plain,
    Wildcards,     // '*' and '?' are pattern characters, checked for pairing
    DateFormat,    // the first field starts with a date format
    FolderPicker,  // the folder picker fills the first field
    RegexPattern,  // the first field is a regular expression, the second a template for it
};

// The check after the input dialog has closed: a refused input is dropped.
enum class AfterCheck : uint8_t {
    None,
    NeedArg1,     // an empty first argument is refused silently
    NeedArg2,
    ValidPositions,    // two positions, not both 0, the first not past the second
    ValidDelimiters,   // two single characters
    ValidDigitLength,  // a minimum digit length within what numbering allows
    ValidRegex,        // a pattern that compiles and a template it can fill (also before the dialog closes)
};

// One sub-command: its value (the string id of its caption, stored in presets,
// never renumbered), its two fields (a 0 label hides the field) and its checks.
struct SubCommandSpec {
    int32_t value;
    int32_t arg1Label = 0;
    bool arg1Digits = false;
    int32_t arg2Label = 0;
    bool arg2Digits = false;
    FieldKind kind = FieldKind::Plain;
    AfterCheck check = AfterCheck::None;
};

// The arguments one run of a command gets.
struct CommandArgs {
    int32_t sub;
    const std::u16string& arg1;
    const std::u16string& arg2;
};
using CommandRun = CommandOutcome (*)(Workspace& ws, const CommandArgs& args);

// Everything the program asks about one command. Its caption is the string of
// its number.
struct CommandInfo {
    CommandId id;
    int32_t menuCommand;             // the main window's command id
    Needs needs;                     // for the menu command
    WindowRoute route;
    Changes changes;
    std::span<const SubCommandSpec> items = {};  // empty: the command asks for nothing
    CommandRun run = nullptr;        // what presets and the command line run; null: the window's alone
    bool inPresets = false;          // run by presets and offered by the preset editor
    bool argsArePaths = false;       // path separators may stay in its arguments
    int32_t altMenuCommand = 0;      // a second one (Undo Selected Only, Clear List Instantly), or 0
    Needs altNeeds = Needs::Nothing;
    bool hasInput() const { return !items.empty(); }
};

// Every command in number order.
std::span<const CommandInfo> Commands();
// The record of a command id, or nullptr for a number outside 1..20.
const CommandInfo* FindCommand(int32_t id);
// The command a main-window command id carries out (its menu or alternative
// id), or nullptr.
const CommandInfo* FindMenuCommand(int32_t menuCommand);
// A sub-command of a command (or of the preset-name request), or nullptr.
const SubCommandSpec* FindSubCommand(int32_t commandId, int32_t subCommand);
// The items of a command or of the preset-name request; empty for other ids.
std::span<const SubCommandSpec> ItemsOf(int32_t commandId);

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

// What a sub-command value is, wherever it is offered.
bool IsWildcardItem(int32_t subCommand);
bool IsRegexItem(int32_t subCommand);
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
