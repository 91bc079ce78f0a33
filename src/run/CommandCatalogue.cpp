#include "run/CommandCatalogue.h"

#include <algorithm>
#include <initializer_list>

#include "base/MenuIds.h"
#include "base/StringTable.h"
#include "base/TextIds.h"

namespace quirnel {
namespace {

using Op = Operation;

constexpr CommandInfo kCommands[] = {
    {.id = CmdApplyChange, .operation = Op::ApplyChanges, .menuCommand = menu::ApplyChanges},
    {.id = CmdReplace, .operation = Op::ReplaceNames, .menuCommand = menu::Replace,
     .hasInput = true, .suspendRedraw = true, .inPresetEditor = true, .runInPreset = true},
    {.id = CmdAddPrefix, .operation = Op::AddToNames, .menuCommand = menu::AddPrefix,
     .hasInput = true, .prefix = true, .suspendRedraw = true, .inPresetEditor = true, .runInPreset = true},
    {.id = CmdAddSuffix, .operation = Op::AddToNames, .menuCommand = menu::AddSuffix,
     .hasInput = true, .suspendRedraw = true, .inPresetEditor = true, .runInPreset = true},
    {.id = CmdEmptyName, .operation = Op::EmptyNames, .menuCommand = menu::EmptyName,
     .suspendRedraw = true, .inPresetEditor = true, .runInPreset = true},
    {.id = CmdRemove, .operation = Op::RemoveFromNames, .menuCommand = menu::Remove,
     .hasInput = true, .suspendRedraw = true, .inPresetEditor = true, .runInPreset = true},
    {.id = CmdNumbersOnly, .operation = Op::FilterDigits, .menuCommand = menu::NumbersOnly,
     .keepDigits = true, .suspendRedraw = true, .inPresetEditor = true, .runInPreset = true},
    {.id = CmdDelNumbers, .operation = Op::FilterDigits, .menuCommand = menu::DelNumbers,
     .suspendRedraw = true, .inPresetEditor = true, .runInPreset = true},
    {.id = CmdMatchDigits, .operation = Op::MatchDigits, .menuCommand = menu::MatchDigits,
     .hasInput = true, .suspendRedraw = true, .inPresetEditor = true, .runInPreset = true},
    {.id = CmdAddNumbers, .operation = Op::AddNumbers, .menuCommand = menu::AddNumbers,
     .hasInput = true, .suspendRedraw = true, .inPresetEditor = true, .runInPreset = true},
    {.id = CmdUndoChanges, .operation = Op::UndoChanges, .menuCommand = menu::UndoChanges, .altMenuCommand = menu::UndoSelectedOnly,
     .suspendRedraw = true},
    {.id = CmdClearList, .operation = Op::ClearList, .menuCommand = menu::ClearOrFilterList, .altMenuCommand = menu::ClearListInstantly,
     .hasInput = true, .suspendRedraw = true, .inPresetEditor = true, .runInPreset = true},
    {.id = CmdSortList, .operation = Op::SortList, .menuCommand = menu::SortList,
     .suspendRedraw = true},
    {.id = CmdEditName, .operation = Op::EditName, .menuCommand = menu::EditName,
     .hasInput = true},
    {.id = CmdMoveUp, .operation = Op::MoveUp, .menuCommand = menu::MoveUp,
     .suspendRedraw = true},
    {.id = CmdMoveDown, .operation = Op::MoveDown, .menuCommand = menu::MoveDown,
     .suspendRedraw = true},
    {.id = CmdChangeFolder, .operation = Op::ChangeFolder, .menuCommand = menu::ChangeFolder,
     .hasInput = true, .suspendRedraw = true, .inPresetEditor = true, .runInPreset = true},
    {.id = CmdEmptyExt, .operation = Op::EmptyExtensions, .menuCommand = menu::EmptyExt,
     .suspendRedraw = true, .inPresetEditor = true, .runInPreset = true},
    {.id = CmdAddExt, .operation = Op::AddToNames, .menuCommand = menu::AddExt,
     .hasInput = true, .extension = true, .suspendRedraw = true, .inPresetEditor = true, .runInPreset = true},
    {.id = CmdReplaceExt, .operation = Op::ReplaceNames, .menuCommand = menu::ReplaceExt,
     .hasInput = true, .extension = true, .suspendRedraw = true, .inPresetEditor = true, .runInPreset = true},
};

// FindCommand indexes the table by command number.
constexpr bool CommandsAreInNumberOrder() {
    for (size_t i = 0; i < std::size(kCommands); ++i)
        if (kCommands[i].id != CmdApplyChange + static_cast<int32_t>(i)) return false;
    return std::size(kCommands) == CmdReplaceExt;
}
static_assert(CommandsAreInNumberOrder());

// An item as string ids: its value (the caption's id), the labels of its
// fields (0 hides a field) and whether a field takes digits only.
struct ItemSpec {
    int32_t value;
    int32_t arg1Label = 0;
    bool arg1Digits = false;
    int32_t arg2Label = 0;
    bool arg2Digits = false;
};

using namespace text;

const std::vector<ItemSpec> kReplaceList = {
    {.value = sub::ReplaceString, .arg1Label = FindWhatLabel, .arg2Label = ReplaceWithLabel},
    {.value = sub::FlipAroundPivot, .arg1Label = PivotLabel},
    {.value = sub::ToLower},
    {.value = sub::ToUpper},
    {.value = sub::FirstUpperRestLower},
    {.value = sub::WordsCapitalised},
    {.value = sub::ComposeHangulText},
};

// Add Prefix counts the insert position from the head, the others from the tail.
std::vector<ItemSpec> AddList(int32_t position) {
    return {
        {.value = sub::AddString, .arg1Label = StringToAddLabel, .arg2Label = position, .arg2Digits = true},
        {.value = sub::AddParentFolder, .arg1Label = PrefixLabel, .arg2Label = SuffixLabel},
        {.value = sub::CutPastePattern, .arg1Label = PatternLabel, .arg2Label = position},
        {.value = sub::CutPasteDelimited, .arg1Label = StartDelimiterLabel, .arg2Label = EndDelimiterLabel},
        {.value = sub::CutPasteRange, .arg1Label = Position1Label, .arg2Label = Position2Label},
        {.value = sub::CutPasteRangeBack, .arg1Label = BackPosition1Label, .arg2Label = BackPosition2Label},
        {.value = sub::AddCreatedDate, .arg1Label = DateFormatHint, .arg2Label = position},
        {.value = sub::AddModifiedDate, .arg1Label = DateFormatHint, .arg2Label = position},
        {.value = sub::AddCurrentDate, .arg1Label = DateFormatHint, .arg2Label = position},
    };
}

const std::vector<ItemSpec> kRemoveList = {
    {.value = sub::RemoveRange, .arg1Label = Position1Label, .arg1Digits = true, .arg2Label = Position2Label, .arg2Digits = true},
    {.value = sub::RemoveRangeBack, .arg1Label = BackPosition1Label, .arg1Digits = true, .arg2Label = BackPosition2Label},
    {.value = sub::RemoveDelimited, .arg1Label = StartDelimiterLabel, .arg2Label = EndDelimiterLabel},
    {.value = sub::KeepRange, .arg1Label = Position1Label, .arg1Digits = true, .arg2Label = Position2Label, .arg2Digits = true},
    {.value = sub::KeepRangeBack, .arg1Label = BackPosition1Label, .arg1Digits = true, .arg2Label = BackPosition2Label},
    {.value = sub::KeepDelimited, .arg1Label = StartDelimiterLabel, .arg2Label = EndDelimiterLabel},
    {.value = sub::TrimBlanks},
};

const std::vector<ItemSpec> kDigitsList = {
    {.value = sub::PadTailNumber, .arg1Label = MinDigitsLabel, .arg1Digits = true},
    {.value = sub::PadHeadNumber, .arg1Label = MinDigitsLabel, .arg1Digits = true},
};

constexpr ItemSpec NumberingItem(int32_t value) {
    return {.value = value, .arg1Label = MinDigitsLabel, .arg1Digits = true, .arg2Label = StartNumberLabel, .arg2Digits = true};
}

const std::vector<ItemSpec> kNumbersList = {
    NumberingItem(sub::NumberTailInOrder),
    NumberingItem(sub::NumberHeadInOrder),
    NumberingItem(sub::NumberTailByFolder),
    NumberingItem(sub::NumberHeadByFolder),
};

const std::vector<ItemSpec> kClearList = {
    {.value = sub::ClearAll},
    {.value = sub::ClearNameHas, .arg1Label = PatternLabel},
    {.value = sub::ClearNameLacks, .arg1Label = PatternLabel},
    {.value = sub::ClearExtHas, .arg1Label = PatternLabel},
    {.value = sub::ClearExtLacks, .arg1Label = PatternLabel},
    {.value = sub::ClearSamePath},
    {.value = sub::ClearChangedPath},
};

const std::vector<ItemSpec> kEditList = {{.value = sub::EditManually, .arg1Label = NewNameColumn}};

const std::vector<ItemSpec> kFolderList = {
    {.value = sub::MoveToFolder, .arg1Label = NewFolderColumn},
    {.value = sub::MoveToParent, .arg1Label = ParentLevelLabel, .arg1Digits = true},
    {.value = sub::FolderFromPattern, .arg1Label = PatternLabel, .arg2Label = PatternOrSameLabel},
    {.value = sub::FolderFromDelimited, .arg1Label = StartDelimiterLabel, .arg2Label = EndDelimiterLabel},
    {.value = sub::FolderFromRange, .arg1Label = Position1Label, .arg1Digits = true, .arg2Label = Position2Label, .arg2Digits = true},
    {.value = sub::FolderFromRangeBack, .arg1Label = BackPosition1Label, .arg1Digits = true, .arg2Label = BackPosition2Label, .arg2Digits = true},
    {.value = sub::FolderFromCreated, .arg1Label = DateFormatHint},
    {.value = sub::FolderFromModified, .arg1Label = DateFormatHint},
    {.value = sub::FolderFromExtension},
};

const std::vector<ItemSpec> kPresetNameList = {{.value = sub::ChangePresetName, .arg1Label = PresetNameLabel}};

std::vector<ItemSpec> SpecsOf(int32_t id) {
    switch (id) {
        case CmdReplace: return kReplaceList;
        case CmdReplaceExt: {
            std::vector<ItemSpec> specs = {
                {.value = sub::ReplaceExtension, .arg1Label = OldExtensionLabel, .arg2Label = NewExtensionLabel}};
            specs.insert(specs.end(), kReplaceList.begin(), kReplaceList.end());
            return specs;
        }
        case CmdAddPrefix: return AddList(HeadPositionLabel);
        case CmdAddSuffix:
        case CmdAddExt: return AddList(TailPositionLabel);
        case CmdRemove: return kRemoveList;
        case CmdMatchDigits: return kDigitsList;
        case CmdAddNumbers: return kNumbersList;
        case CmdClearList: return kClearList;
        case CmdEditName: return kEditList;
        case CmdChangeFolder: return kFolderList;
        case kPresetNameRequest: return kPresetNameList;
        default: return {};
    }
}

std::u16string LabelText(int32_t id) { return id ? LoadText(id) : std::u16string(); }

bool OneOf(int32_t value, std::initializer_list<int32_t> set) {
    return std::find(set.begin(), set.end(), value) != set.end();
}

}  // namespace

const CommandInfo* FindCommand(int32_t id) {
    if (id < CmdApplyChange || id > CmdReplaceExt) return nullptr;
    return &kCommands[id - CmdApplyChange];
}

const CommandInfo* FindMenuCommand(int32_t menuCommand) {
    for (const CommandInfo& info : kCommands)
        if (info.menuCommand == menuCommand || (info.altMenuCommand != 0 && info.altMenuCommand == menuCommand))
            return &info;
    return nullptr;
}

InputItems BuildInputItems(int32_t commandId) {
    InputItems result;
    result.caption = LoadText(commandId);
    for (const ItemSpec& s : SpecsOf(commandId)) {
        InputItem item;
        item.caption = LoadText(s.value);
        item.subCommand = s.value;
        item.arg1Label = LabelText(s.arg1Label);
        item.arg1Numeric = s.arg1Digits ? 1 : 0;
        item.arg2Label = LabelText(s.arg2Label);
        item.arg2Numeric = s.arg2Digits ? 1 : 0;
        result.items.push_back(std::move(item));
    }
    return result;
}

std::vector<int32_t> PresetEditorCommands() {
    std::vector<int32_t> commands;
    for (const CommandInfo& info : kCommands)
        if (info.inPresetEditor) commands.push_back(info.id);
    std::stable_partition(commands.begin(), commands.end(), [](int32_t id) { return id != CmdClearList; });
    return commands;
}

bool IsWildcardItem(int32_t s) {
    return OneOf(s, {sub::ReplaceString, sub::CutPastePattern, sub::FolderFromPattern, sub::ClearNameHas,
                     sub::ClearNameLacks, sub::ClearExtHas, sub::ClearExtLacks});
}
bool IsPositionItem(int32_t s) {
    return OneOf(s, {sub::RemoveRange, sub::RemoveRangeBack, sub::KeepRange, sub::KeepRangeBack, sub::FolderFromRange,
                     sub::FolderFromRangeBack});
}
bool IsDelimiterItem(int32_t s) { return OneOf(s, {sub::RemoveDelimited, sub::FolderFromDelimited}); }
bool IsDigitLengthItem(int32_t s) {
    return OneOf(s, {sub::PadTailNumber, sub::PadHeadNumber, sub::NumberTailInOrder, sub::NumberHeadInOrder,
                     sub::NumberTailByFolder, sub::NumberHeadByFolder});
}
bool HasDateFormatDefault(int32_t s) {
    return OneOf(s, {sub::AddCreatedDate, sub::AddModifiedDate, sub::AddCurrentDate, sub::FolderFromCreated,
                     sub::FolderFromModified});
}
bool HasFolderPicker(int32_t s) { return s == sub::MoveToFolder; }

}  // namespace quirnel
