#include "run/CommandCatalogue.h"

#include <algorithm>

#include "base/MenuIds.h"
#include "base/StringTable.h"
#include "commands/Regex.h"
#include "commands/Commands.h"
#include "commands/MediaText.h"
#include "namelist/ListEditing.h"
#include "namelist/Workspace.h"

namespace quirnel {
namespace {

using namespace text;
using Spec = SubCommandSpec;
using enum FieldKind;
using enum AfterCheck;

// The sub-command lists, each in the order of the dialog's selector.

constexpr Spec kReplaceItems[] = {
    {.value = sub::ReplaceString, .arg1Label = FindWhatLabel, .arg2Label = ReplaceWithLabel, .kind = Wildcards,
     .check = NeedArg1},
    {.value = sub::FlipAroundPivot, .arg1Label = PivotLabel, .check = NeedArg1},
    {.value = sub::ToLower},
    {.value = sub::ToUpper},
    {.value = sub::FirstUpperRestLower},
    {.value = sub::WordsCapitalised},
    {.value = sub::ComposeHangulText},
    {.value = sub::RegexReplace, .arg1Label = RegexLabel, .arg2Label = RegexReplacementLabel, .kind = RegexPattern,
     .check = ValidRegex},
    {.value = sub::ComposeLetters},
    {.value = sub::DecomposeLetters},
    {.value = sub::KoreanToLatin},
    {.value = sub::LatinWithoutAccents},
};

// Replace Ext. offers the extension exchange first, then what Replace offers.
constexpr Spec kReplaceExtItems[] = {
    {.value = sub::ReplaceExtension, .arg1Label = OldExtensionLabel, .arg2Label = NewExtensionLabel, .check = NeedArg2},
    kReplaceItems[0], kReplaceItems[1], kReplaceItems[2], kReplaceItems[3],
    kReplaceItems[4], kReplaceItems[5], kReplaceItems[6], kReplaceItems[7], kReplaceItems[8],
    kReplaceItems[9], kReplaceItems[10], kReplaceItems[11],
};
static_assert(std::size(kReplaceExtItems) == std::size(kReplaceItems) + 1);

// Add Prefix counts the insert position from the head, the others from the tail.
template <int32_t kPosition>
constexpr Spec kAddItems[] = {
    {.value = sub::AddString, .arg1Label = StringToAddLabel, .arg2Label = kPosition, .arg2Digits = true,
     .check = NeedArg1},
    {.value = sub::AddParentFolder, .arg1Label = PrefixLabel, .arg2Label = SuffixLabel},
    {.value = sub::CutPastePattern, .arg1Label = PatternLabel, .arg2Label = kPosition, .kind = Wildcards},
    {.value = sub::CutPasteDelimited, .arg1Label = StartDelimiterLabel, .arg2Label = EndDelimiterLabel},
    {.value = sub::CutPasteRange, .arg1Label = Position1Label, .arg2Label = Position2Label},
    {.value = sub::CutPasteRangeBack, .arg1Label = BackPosition1Label, .arg2Label = BackPosition2Label},
    {.value = sub::AddCreatedDate, .arg1Label = DateFormatHint, .arg2Label = kPosition, .kind = DateFormat},
    {.value = sub::AddModifiedDate, .arg1Label = DateFormatHint, .arg2Label = kPosition, .kind = DateFormat},
    {.value = sub::AddCurrentDate, .arg1Label = DateFormatHint, .arg2Label = kPosition, .kind = DateFormat},
    {.value = sub::AddTakenDate, .arg1Label = DateFormatHint, .arg2Label = kPosition, .kind = DateFormat},
    {.value = sub::AddFromTags, .arg1Label = TemplateLabel, .arg2Label = kPosition, .arg2Digits = true,
     .check = NeedArg1},
};

constexpr Spec kRemoveItems[] = {
    {.value = sub::RemoveRange, .arg1Label = Position1Label, .arg1Digits = true, .arg2Label = Position2Label,
     .arg2Digits = true, .check = ValidPositions},
    {.value = sub::RemoveRangeBack, .arg1Label = BackPosition1Label, .arg1Digits = true,
     .arg2Label = BackPosition2Label, .check = ValidPositions},
    {.value = sub::RemoveDelimited, .arg1Label = StartDelimiterLabel, .arg2Label = EndDelimiterLabel,
     .check = ValidDelimiters},
    {.value = sub::KeepRange, .arg1Label = Position1Label, .arg1Digits = true, .arg2Label = Position2Label,
     .arg2Digits = true, .check = ValidPositions},
    {.value = sub::KeepRangeBack, .arg1Label = BackPosition1Label, .arg1Digits = true,
     .arg2Label = BackPosition2Label, .check = ValidPositions},
    {.value = sub::KeepDelimited, .arg1Label = StartDelimiterLabel, .arg2Label = EndDelimiterLabel},
    {.value = sub::TrimBlanks},
};

constexpr Spec kDigitsItems[] = {
    {.value = sub::PadTailNumber, .arg1Label = MinDigitsLabel, .arg1Digits = true, .check = ValidDigitLength},
    {.value = sub::PadHeadNumber, .arg1Label = MinDigitsLabel, .arg1Digits = true, .check = ValidDigitLength},
};

constexpr Spec NumberingItem(int32_t value) {
    return {.value = value, .arg1Label = MinDigitsLabel, .arg1Digits = true, .arg2Label = StartNumberLabel,
            .arg2Digits = true, .check = ValidDigitLength};
}

constexpr Spec kNumbersItems[] = {
    NumberingItem(sub::NumberTailInOrder),
    NumberingItem(sub::NumberHeadInOrder),
    NumberingItem(sub::NumberTailByFolder),
    NumberingItem(sub::NumberHeadByFolder),
};

constexpr Spec kClearItems[] = {
    {.value = sub::ClearAll},
    {.value = sub::ClearNameHas, .arg1Label = PatternLabel, .kind = Wildcards, .check = NeedArg1},
    {.value = sub::ClearNameLacks, .arg1Label = PatternLabel, .kind = Wildcards, .check = NeedArg1},
    {.value = sub::ClearExtHas, .arg1Label = PatternLabel, .kind = Wildcards, .check = NeedArg1},
    {.value = sub::ClearExtLacks, .arg1Label = PatternLabel, .kind = Wildcards, .check = NeedArg1},
    {.value = sub::ClearSamePath},
    {.value = sub::ClearChangedPath},
    {.value = sub::ClearNameMatches, .arg1Label = RegexLabel, .kind = RegexPattern, .check = ValidRegex},
    {.value = sub::ClearNameDoesNotMatch, .arg1Label = RegexLabel, .kind = RegexPattern, .check = ValidRegex},
};

constexpr Spec kEditItems[] = {{.value = sub::EditManually, .arg1Label = NewNameColumn}};

constexpr Spec kFolderItems[] = {
    {.value = sub::MoveToFolder, .arg1Label = NewFolderColumn, .kind = FolderPicker},
    {.value = sub::MoveToParent, .arg1Label = ParentLevelLabel, .arg1Digits = true},
    {.value = sub::FolderFromPattern, .arg1Label = PatternLabel, .arg2Label = PatternOrSameLabel, .kind = Wildcards,
     .check = NeedArg1},
    {.value = sub::FolderFromDelimited, .arg1Label = StartDelimiterLabel, .arg2Label = EndDelimiterLabel,
     .check = ValidDelimiters},
    {.value = sub::FolderFromRange, .arg1Label = Position1Label, .arg1Digits = true, .arg2Label = Position2Label,
     .arg2Digits = true, .check = ValidPositions},
    {.value = sub::FolderFromRangeBack, .arg1Label = BackPosition1Label, .arg1Digits = true,
     .arg2Label = BackPosition2Label, .arg2Digits = true, .check = ValidPositions},
    {.value = sub::FolderFromCreated, .arg1Label = DateFormatHint, .kind = DateFormat},
    {.value = sub::FolderFromModified, .arg1Label = DateFormatHint, .kind = DateFormat},
    {.value = sub::FolderFromExtension},
    {.value = sub::FolderFromRegex, .arg1Label = RegexLabel, .arg2Label = RegexFolderLabel, .kind = RegexPattern,
     .check = ValidRegex},
    {.value = sub::FolderFromTakenDate, .arg1Label = DateFormatHint, .kind = DateFormat},
    {.value = sub::FolderFromTags, .arg1Label = TemplateLabel, .check = NeedArg1},
};

constexpr Spec kPresetNameItems[] = {{.value = sub::ChangePresetName, .arg1Label = PresetNameLabel}};

// What presets and the command line run, one function a command.

constexpr CommandOutcome kContinue = CommandOutcome::Continue;

ReplaceSubject NameSubject(const Workspace& ws) {
    return IsOn(ws.settings.IncludeExt) ? ReplaceSubject::WholeName : ReplaceSubject::NamePart;
}

CommandOutcome RunReplace(Workspace& ws, const CommandArgs& a) {
    ReplaceNames(ws.list, a.sub, a.arg1, a.arg2, NameSubject(ws), &ws.host);
    return kContinue;
}
CommandOutcome RunReplaceExt(Workspace& ws, const CommandArgs& a) {
    ReplaceNames(ws.list, a.sub, a.arg1, a.arg2, ReplaceSubject::Extension, &ws.host);
    return kContinue;
}
MediaAccess MediaOf(Workspace& ws) {
    return CachedMediaAccess(ws.media, &ws.host, IsOn(ws.settings.TakenFallback), StatusLineProgress(ws.host));
}

template <AddPlace kPlace>
CommandOutcome RunAdd(Workspace& ws, const CommandArgs& a) {
    const MediaAccess media = MediaOf(ws);
    AddToNames(ws.list, a.sub, a.arg1, a.arg2, kPlace, SystemClock(), &media);
    return kContinue;
}
CommandOutcome RunEmptyName(Workspace& ws, const CommandArgs&) {
    EmptyNames(ws.list);
    return kContinue;
}
CommandOutcome RunRemove(Workspace& ws, const CommandArgs& a) {
    RemoveFromNames(ws.list, a.sub, a.arg1, a.arg2);
    return kContinue;
}
template <Digits kDigits>
CommandOutcome RunFilterDigits(Workspace& ws, const CommandArgs&) {
    FilterDigits(ws.list, kDigits);
    return kContinue;
}
CommandOutcome RunMatchDigits(Workspace& ws, const CommandArgs& a) {
    MatchDigits(ws.list, a.sub, a.arg1);
    return kContinue;
}
CommandOutcome RunAddNumbers(Workspace& ws, const CommandArgs& a) {
    AddNumbers(ws.list, a.sub, a.arg1, a.arg2);
    return kContinue;
}
// The two regular-expression filters are the name filters with another
// finder; a name the match limit stopped stays in the list either way.
void ClearByRegex(Workspace& ws, const CommandArgs& a) {
    const bool matching = a.sub == sub::ClearNameMatches;
    if (a.arg1.empty()) return (void)ClearList(ws, sub::ClearNameHas, a.arg1, a.arg2, nullptr);
    Regex regex(a.arg1);
    if (!regex.ok()) {
        ws.host.AppendLog(RegexErrorText(text::InvalidRegex, a.arg1, regex.error()));
        return (void)ClearList(ws, sub::ClearNameHas, {}, a.arg2, nullptr);
    }
    auto found = [&](const std::u16string& text, const std::u16string&) {
        return regex.matches(text).value_or(!matching) == matching;
    };
    (void)ClearList(ws, sub::ClearNameHas, a.arg1, a.arg2, found);
    ReportRegexLimit(ws.host, regex);
}

CommandOutcome RunClearList(Workspace& ws, const CommandArgs& a) {
    if (a.sub == sub::ClearNameMatches || a.sub == sub::ClearNameDoesNotMatch) {
        ClearByRegex(ws, a);
        return kContinue;
    }
    (void)ClearList(ws, a.sub, a.arg1, a.arg2,
                    [](const std::u16string& text, const std::u16string& pattern) { return PatternFound(text, pattern); });
    return kContinue;
}
CommandOutcome RunChangeFolder(Workspace& ws, const CommandArgs& a) {
    const MediaAccess media = MediaOf(ws);
    return ChangeFolder(ws.list, a.sub, a.arg1, a.arg2, ws.host, &media);
}
CommandOutcome RunEmptyExt(Workspace& ws, const CommandArgs&) {
    EmptyExtensions(ws.list);
    return kContinue;
}

using enum Needs;
using R = WindowRoute;
constexpr Changes kNamesAndFolders = Changes::Names | Changes::Folders;
constexpr Changes kEverything = Changes::Names | Changes::Folders | Changes::Rows | Changes::Disk;

// One row a command, in number order (FindCommand indexes it).
constexpr CommandInfo kCommands[] = {
    {.id = CmdApplyChange, .menuCommand = menu::ApplyChanges, .needs = Rows, .route = R::ApplyMode,
     .changes = kEverything},
    {.id = CmdReplace, .menuCommand = menu::Replace, .needs = Rows, .route = R::Proposals, .changes = Changes::Names,
     .items = kReplaceItems, .run = RunReplace, .inPresets = true},
    {.id = CmdAddPrefix, .menuCommand = menu::AddPrefix, .needs = Rows, .route = R::Proposals, .changes = Changes::Names,
     .items = kAddItems<HeadPositionLabel>, .run = RunAdd<AddPlace::Prefix>, .inPresets = true},
    {.id = CmdAddSuffix, .menuCommand = menu::AddSuffix, .needs = Rows, .route = R::Proposals, .changes = Changes::Names,
     .items = kAddItems<TailPositionLabel>, .run = RunAdd<AddPlace::Suffix>, .inPresets = true},
    {.id = CmdEmptyName, .menuCommand = menu::EmptyName, .needs = Rows, .route = R::Proposals, .changes = Changes::Names,
     .run = RunEmptyName, .inPresets = true},
    {.id = CmdRemove, .menuCommand = menu::Remove, .needs = Rows, .route = R::Proposals, .changes = Changes::Names,
     .items = kRemoveItems, .run = RunRemove, .inPresets = true},
    {.id = CmdNumbersOnly, .menuCommand = menu::NumbersOnly, .needs = Rows, .route = R::Proposals,
     .changes = Changes::Names, .run = RunFilterDigits<Digits::Keep>, .inPresets = true},
    {.id = CmdDelNumbers, .menuCommand = menu::DelNumbers, .needs = Rows, .route = R::Proposals,
     .changes = Changes::Names, .run = RunFilterDigits<Digits::Delete>, .inPresets = true},
    {.id = CmdMatchDigits, .menuCommand = menu::MatchDigits, .needs = Rows, .route = R::Proposals,
     .changes = Changes::Names, .items = kDigitsItems, .run = RunMatchDigits, .inPresets = true},
    {.id = CmdAddNumbers, .menuCommand = menu::AddNumbers, .needs = Rows, .route = R::Proposals,
     .changes = Changes::Names, .items = kNumbersItems, .run = RunAddNumbers, .inPresets = true},
    {.id = CmdUndoChanges, .menuCommand = menu::UndoChanges, .needs = Rows, .route = R::Undo, .changes = kNamesAndFolders,
     .altMenuCommand = menu::UndoSelectedOnly, .altNeeds = Selection},
    {.id = CmdClearList, .menuCommand = menu::ClearOrFilterList, .needs = Rows, .route = R::ClearList,
     .changes = Changes::Rows, .items = kClearItems, .run = RunClearList, .inPresets = true,
     .altMenuCommand = menu::ClearListInstantly, .altNeeds = Rows},
    {.id = CmdSortList, .menuCommand = menu::SortList, .needs = Rows, .route = R::SortDialog, .changes = Changes::Order},
    {.id = CmdEditName, .menuCommand = menu::EditName, .needs = Selection, .route = R::EditName,
     .changes = Changes::Names, .items = kEditItems},
    {.id = CmdMoveUp, .menuCommand = menu::MoveUp, .needs = Selection, .route = R::MoveRows, .changes = Changes::Order},
    {.id = CmdMoveDown, .menuCommand = menu::MoveDown, .needs = Selection, .route = R::MoveRows,
     .changes = Changes::Order},
    {.id = CmdChangeFolder, .menuCommand = menu::ChangeFolder, .needs = Rows, .route = R::Proposals,
     .changes = Changes::Folders, .items = kFolderItems, .run = RunChangeFolder, .inPresets = true,
     .argsArePaths = true},
    {.id = CmdEmptyExt, .menuCommand = menu::EmptyExt, .needs = Rows, .route = R::Proposals, .changes = Changes::Names,
     .run = RunEmptyExt, .inPresets = true},
    {.id = CmdAddExt, .menuCommand = menu::AddExt, .needs = Rows, .route = R::Proposals, .changes = Changes::Names,
     .items = kAddItems<TailPositionLabel>, .run = RunAdd<AddPlace::Extension>, .inPresets = true},
    {.id = CmdReplaceExt, .menuCommand = menu::ReplaceExt, .needs = Rows, .route = R::Proposals,
     .changes = Changes::Names, .items = kReplaceExtItems, .run = RunReplaceExt, .inPresets = true},
};

constexpr bool CommandsAreInNumberOrder() {
    for (size_t i = 0; i < std::size(kCommands); ++i)
        if (kCommands[i].id != CmdApplyChange + static_cast<int32_t>(i)) return false;
    return std::size(kCommands) == CmdReplaceExt;
}
static_assert(CommandsAreInNumberOrder());

std::u16string LabelText(int32_t id) { return id ? LoadText(id) : std::u16string(); }

// A value means the same wherever it is offered, so its first offer answers.
const Spec* AnyOffer(int32_t value) {
    for (const CommandInfo& info : kCommands)
        for (const Spec& s : info.items)
            if (s.value == value) return &s;
    return nullptr;
}

bool KindOf(int32_t value, FieldKind kind) {
    const Spec* s = AnyOffer(value);
    return s && s->kind == kind;
}

bool CheckOf(int32_t value, AfterCheck check) {
    const Spec* s = AnyOffer(value);
    return s && s->check == check;
}

}  // namespace

std::span<const CommandInfo> Commands() { return kCommands; }

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

std::span<const SubCommandSpec> ItemsOf(int32_t commandId) {
    if (commandId == kPresetNameRequest) return kPresetNameItems;
    const CommandInfo* info = FindCommand(commandId);
    return info ? info->items : std::span<const SubCommandSpec>();
}

const SubCommandSpec* FindSubCommand(int32_t commandId, int32_t subCommand) {
    for (const SubCommandSpec& s : ItemsOf(commandId))
        if (s.value == subCommand) return &s;
    return nullptr;
}

InputItems BuildInputItems(int32_t commandId) {
    InputItems result;
    result.caption = LoadText(commandId);
    for (const SubCommandSpec& s : ItemsOf(commandId)) {
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
        if (info.inPresets) commands.push_back(info.id);
    std::stable_partition(commands.begin(), commands.end(), [](int32_t id) { return id != CmdClearList; });
    return commands;
}

bool IsWildcardItem(int32_t s) { return KindOf(s, FieldKind::Wildcards); }
bool IsRegexItem(int32_t s) { return KindOf(s, FieldKind::RegexPattern); }
bool IsPositionItem(int32_t s) { return CheckOf(s, AfterCheck::ValidPositions); }
bool IsDelimiterItem(int32_t s) { return CheckOf(s, AfterCheck::ValidDelimiters); }
bool IsDigitLengthItem(int32_t s) { return CheckOf(s, AfterCheck::ValidDigitLength); }
bool HasDateFormatDefault(int32_t s) { return KindOf(s, FieldKind::DateFormat); }
bool HasFolderPicker(int32_t s) { return KindOf(s, FieldKind::FolderPicker); }

}  // namespace quirnel
