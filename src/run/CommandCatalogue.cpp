#include "run/CommandCatalogue.h"

#include <algorithm>
#include <initializer_list>

#include "base/StringTable.h"

namespace quirnel {
namespace {

using Op = Operation;

//                id  operation            menu   alt    input  prefix ext   keep   redraw editor run
constexpr CommandInfo kCommands[] = {
    {1, Op::ApplyChanges, 32780, 0, false, false, false, false, false, false, false},
    {2, Op::ReplaceNames, 32821, 0, true, false, false, false, true, true, true},
    {3, Op::AddToNames, 32822, 0, true, true, false, false, true, true, true},
    {4, Op::AddToNames, 32823, 0, true, false, false, false, true, true, true},
    {5, Op::EmptyNames, 32824, 0, false, false, false, false, true, true, true},
    {6, Op::RemoveFromNames, 32825, 0, true, false, false, false, true, true, true},
    {7, Op::FilterDigits, 32826, 0, false, false, false, true, true, true, true},
    {8, Op::FilterDigits, 32827, 0, false, false, false, false, true, true, true},
    {9, Op::MatchDigits, 32828, 0, true, false, false, false, true, true, true},
    {10, Op::AddNumbers, 32829, 0, true, false, false, false, true, true, true},
    {11, Op::UndoChanges, 32781, 32782, false, false, false, false, true, false, false},
    {12, Op::ClearList, 32791, 32855, true, false, false, false, true, true, true},
    {13, Op::SortList, 32792, 0, false, false, false, false, true, false, false},
    {14, Op::EditName, 32820, 0, true, false, false, false, false, false, false},
    {15, Op::MoveUp, 32794, 0, false, false, false, false, true, false, false},
    {16, Op::MoveDown, 32795, 0, false, false, false, false, true, false, false},
    {17, Op::ChangeFolder, 32830, 0, true, false, false, false, true, true, true},
    {18, Op::EmptyExtensions, 32831, 0, false, false, false, false, true, true, true},
    {19, Op::AddToNames, 32832, 0, true, false, true, false, true, true, true},
    {20, Op::ReplaceNames, 32833, 0, true, false, true, false, true, true, true},
};

// An item as string ids: caption, labels (0 = hidden field) and digit flags.
struct ItemSpec {
    int32_t value;
    int32_t arg1Label;
    bool arg1Digits;
    int32_t arg2Label;
    bool arg2Digits;
};

constexpr int32_t kFindWhat = 62, kReplaceWith = 63, kPivot = 107, kStringToAdd = 23;
constexpr int32_t kPrefixLabel = 46, kSuffixLabel = 47, kStartDelim = 66, kEndDelim = 67;
constexpr int32_t kPos1 = 39, kPos2 = 40, kBackPos1 = 123, kBackPos2 = 124;
constexpr int32_t kPattern = 125, kPatternOrSame = 126, kMinDigits = 75, kStartNumber = 82;
constexpr int32_t kOldExt = 80, kNewExt = 81, kNewName = 26, kNewFolder = 29, kParentLevel = 122;
constexpr int32_t kPresetNameLabel = 92;
constexpr int32_t kHeadPosition = 114, kTailPosition = 115;

const std::vector<ItemSpec> kReplaceList = {
    {61, kFindWhat, false, kReplaceWith, false},
    {106, kPivot, false, 0, false},
    {110, 0, false, 0, false},
    {111, 0, false, 0, false},
    {112, 0, false, 0, false},
    {113, 0, false, 0, false},
    {143, 0, false, 0, false},
};

std::vector<ItemSpec> AddList(int32_t position) {
    return {
        {21, kStringToAdd, false, position, true},
        {22, kPrefixLabel, false, kSuffixLabel, false},
        {135, kPattern, false, position, false},
        {136, kStartDelim, false, kEndDelim, false},
        {137, kPos1, false, kPos2, false},
        {138, kBackPos1, false, kBackPos2, false},
        {116, kDateFormatHint, false, position, false},
        {117, kDateFormatHint, false, position, false},
        {139, kDateFormatHint, false, position, false},
    };
}

const std::vector<ItemSpec> kRemoveList = {
    {41, kPos1, true, kPos2, true},
    {42, kBackPos1, true, kBackPos2, false},
    {48, kStartDelim, false, kEndDelim, false},
    {129, kPos1, true, kPos2, true},
    {130, kBackPos1, true, kBackPos2, false},
    {131, kStartDelim, false, kEndDelim, false},
    {133, 0, false, 0, false},
};

const std::vector<ItemSpec> kDigitsList = {
    {73, kMinDigits, true, 0, false},
    {74, kMinDigits, true, 0, false},
};

const std::vector<ItemSpec> kNumbersList = {
    {83, kMinDigits, true, kStartNumber, true},
    {84, kMinDigits, true, kStartNumber, true},
    {85, kMinDigits, true, kStartNumber, true},
    {86, kMinDigits, true, kStartNumber, true},
};

const std::vector<ItemSpec> kClearList = {
    {180, 0, false, 0, false},
    {181, kPattern, false, 0, false},
    {182, kPattern, false, 0, false},
    {183, kPattern, false, 0, false},
    {184, kPattern, false, 0, false},
    {185, 0, false, 0, false},
    {186, 0, false, 0, false},
};

const std::vector<ItemSpec> kEditList = {{44, kNewName, false, 0, false}};

const std::vector<ItemSpec> kFolderList = {
    {kItemMoveToFolder, kNewFolder, false, 0, false},
    {120, kParentLevel, true, 0, false},
    {170, kPattern, false, kPatternOrSame, false},
    {172, kStartDelim, false, kEndDelim, false},
    {173, kPos1, true, kPos2, true},
    {174, kBackPos1, true, kBackPos2, true},
    {175, kDateFormatHint, false, 0, false},
    {176, kDateFormatHint, false, 0, false},
    {177, 0, false, 0, false},
};

const std::vector<ItemSpec> kPresetNameList = {{93, kPresetNameLabel, false, 0, false}};

std::vector<ItemSpec> SpecsOf(int32_t id) {
    switch (id) {
        case CmdReplace: return kReplaceList;
        case CmdReplaceExt: {
            std::vector<ItemSpec> specs = {{kItemReplaceExtension, kOldExt, false, kNewExt, false}};
            specs.insert(specs.end(), kReplaceList.begin(), kReplaceList.end());
            return specs;
        }
        case CmdAddPrefix: return AddList(kHeadPosition);
        case CmdAddSuffix:
        case CmdAddExt: return AddList(kTailPosition);
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
    if (id < 1 || id > 20) return nullptr;
    return &kCommands[id - 1];
}

InputItems BuildInputItems(int32_t commandId) {
    InputItems result;
    result.caption = LoadText(commandId);
    for (const ItemSpec& s : SpecsOf(commandId)) {
        InputItem item;
        item.Caption = LoadText(s.value);
        item.SubCommand = s.value;
        item.Arg1Label = LabelText(s.arg1Label);
        item.Arg1Numeric = s.arg1Digits ? 1 : 0;
        item.Arg2Label = LabelText(s.arg2Label);
        item.Arg2Numeric = s.arg2Digits ? 1 : 0;
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

bool IsWildcardItem(int32_t s) { return OneOf(s, {61, 135, 170, 181, 182, 183, 184}); }
bool IsPositionItem(int32_t s) { return OneOf(s, {41, 42, 129, 130, 173, 174}); }
bool IsDelimiterItem(int32_t s) { return OneOf(s, {48, 172}); }
bool IsDigitLengthItem(int32_t s) { return OneOf(s, {73, 74, 83, 84, 85, 86}); }
bool HasDateFormatDefault(int32_t s) { return OneOf(s, {116, 117, 139, 175, 176}); }
bool HasFolderPicker(int32_t s) { return s == kItemMoveToFolder; }

}  // namespace quirnel
