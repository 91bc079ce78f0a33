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
enum SubCommandId : int {
    // Replace and Replace Ext.
    ReplaceString = 61,
    FlipAroundPivot = 106,
    ToLower = 110,
    ToUpper = 111,
    FirstUpperRestLower = 112,
    WordsCapitalised = 113,
    ComposeHangulText = 143,
    ReplaceExtension = 79,
    RegexReplace = 501,
    ComposeLetters = 502,    // NFC, every script
    DecomposeLetters = 503,  // NFD, every script
    KoreanToLatin = 504,
    LatinWithoutAccents = 505,

    // Add Prefix, Add Suffix and Add Ext.
    AddString = 21,
    AddParentFolder = 22,
    CutPastePattern = 135,
    CutPasteDelimited = 136,
    CutPasteRange = 137,
    CutPasteRangeBack = 138,
    AddCreatedDate = 116,
    AddModifiedDate = 117,
    AddCurrentDate = 139,
    AddTakenDate = 651,  // the date a photo was taken or a film recorded
    AddFromTags = 652,   // a template of the file's fields
    // Retired values that old presets may still hold.
    AddCreatedTimePart = 64,
    AddModifiedTimePart = 65,
    AddCreatedDatePart = 89,
    AddModifiedDatePart = 90,

    // Remove.
    RemoveRange = 41,
    RemoveRangeBack = 42,
    RemoveDelimited = 48,
    KeepRange = 129,
    KeepRangeBack = 130,
    KeepDelimited = 131,
    TrimBlanks = 133,

    // Match Digits and Add Numbers.
    PadTailNumber = 73,
    PadHeadNumber = 74,
    NumberTailInOrder = 83,
    NumberHeadInOrder = 84,
    NumberTailByFolder = 85,
    NumberHeadByFolder = 86,

    // Change Folder.
    MoveToFolder = 69,
    MoveToParent = 120,
    FolderFromPattern = 170,
    FolderFromDelimited = 172,
    FolderFromRange = 173,
    FolderFromRangeBack = 174,
    FolderFromCreated = 175,
    FolderFromModified = 176,
    FolderFromExtension = 177,
    FolderFromRegex = 508,
    FolderFromTakenDate = 653,
    FolderFromTags = 654,

    // Clear List.
    ClearAll = 180,
    ClearNameHas = 181,
    ClearNameLacks = 182,
    ClearExtHas = 183,
    ClearExtLacks = 184,
    ClearSamePath = 185,
    ClearChangedPath = 186,
    ClearNameMatches = 506,
    ClearNameDoesNotMatch = 507,

    // Edit Name.
    EditManually = 44,

    // The only item of the preset-name request.
    ChangePresetName = 93,
};

}  // namespace quirnel::sub
