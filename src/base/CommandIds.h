#pragma once
#include <cstdint>

namespace quirnel {

// The twenty commands. Each number is the string id of its caption and is
// stored in presets and preset group files: never renumber.
enum CommandId : int32_t {
    CmdApplyChange = 1,
    CmdReplace = 2,
    CmdAddPrefix = 3,
    CmdAddSuffix = 4,
    CmdEmptyName = 5,
    CmdRemove = 6,
    CmdNumbersOnly = 7,
    CmdDelNumbers = 8,
    CmdMatchDigits = 9,
    CmdAddNumbers = 10,
    CmdUndoChanges = 11,
    CmdClearList = 12,
    CmdSortList = 13,
    CmdEditName = 14,
    CmdMoveUp = 15,
    CmdMoveDown = 16,
    CmdChangeFolder = 17,
    CmdEmptyExt = 18,
    CmdAddExt = 19,
    CmdReplaceExt = 20,
};

}  // namespace quirnel

namespace quirnel::sub {

// Sub-command values. They are the string ids of their captions and are stored
// in presets, so they never change.

// Replace and Replace Ext.
constexpr int ReplaceString = 61;
constexpr int FlipAroundPivot = 106;
constexpr int ToLower = 110;
constexpr int ToUpper = 111;
constexpr int FirstUpperRestLower = 112;
constexpr int WordsCapitalised = 113;
constexpr int ComposeHangulText = 143;
constexpr int ReplaceExtension = 79;

// Add Prefix, Add Suffix and Add Ext.
constexpr int AddString = 21;
constexpr int AddParentFolder = 22;
constexpr int CutPastePattern = 135;
constexpr int CutPasteDelimited = 136;
constexpr int CutPasteRange = 137;
constexpr int CutPasteRangeBack = 138;
constexpr int AddCreatedDate = 116;
constexpr int AddModifiedDate = 117;
constexpr int AddCurrentDate = 139;
// Retired values that old presets may still hold.
constexpr int AddCreatedTimePart = 64;
constexpr int AddModifiedTimePart = 65;
constexpr int AddCreatedDatePart = 89;
constexpr int AddModifiedDatePart = 90;

// Remove.
constexpr int RemoveRange = 41;
constexpr int RemoveRangeBack = 42;
constexpr int RemoveDelimited = 48;
constexpr int KeepRange = 129;
constexpr int KeepRangeBack = 130;
constexpr int KeepDelimited = 131;
constexpr int TrimBlanks = 133;

// Match Digits and Add Numbers.
constexpr int PadTailNumber = 73;
constexpr int PadHeadNumber = 74;
constexpr int NumberTailInOrder = 83;
constexpr int NumberHeadInOrder = 84;
constexpr int NumberTailByFolder = 85;
constexpr int NumberHeadByFolder = 86;

// Change Folder.
constexpr int MoveToFolder = 69;
constexpr int MoveToParent = 120;
constexpr int FolderFromPattern = 170;
constexpr int FolderFromDelimited = 172;
constexpr int FolderFromRange = 173;
constexpr int FolderFromRangeBack = 174;
constexpr int FolderFromCreated = 175;
constexpr int FolderFromModified = 176;
constexpr int FolderFromExtension = 177;

// Clear List.
constexpr int ClearAll = 180;
constexpr int ClearNameHas = 181;
constexpr int ClearNameLacks = 182;
constexpr int ClearExtHas = 183;
constexpr int ClearExtLacks = 184;
constexpr int ClearSamePath = 185;
constexpr int ClearChangedPath = 186;

// Edit Name.
constexpr int EditManually = 44;

// The only item of the preset-name request.
constexpr int ChangePresetName = 93;

}  // namespace quirnel::sub
