#pragma once

// String ids of the texts that are not captions of commands or sub-commands
// (those are the command and sub-command numbers, base/CommandIds.h). The ids
// are public numbers shared by both languages: never renumber.
namespace quirnel::text {

// Column captions; New Name and New Folder also label input fields.
constexpr int OldNameColumn = 25, NewNameColumn = 26, FullPathColumn = 27, OldFolderColumn = 28,
              NewFolderColumn = 29, SizeColumn = 30, CreatedColumn = 31, ModifiedColumn = 32;

// Status line and activity log.
constexpr int WorkInProgress = 24;
constexpr int EmptyListStatus = 35;
constexpr int ItemCountStatus = 36;
constexpr int ProcessedPercent = 88;
constexpr int Ready = 150;
constexpr int ItemsAdded = 151;
constexpr int ItemsRemoved = 152;
constexpr int StartApplyOriginals = 153;
constexpr int StartApplyCopies = 154;
constexpr int NumberedForDuplicate = 157;
constexpr int FailedToChange = 54;
constexpr int ApplySummary = 55;
constexpr int SkippedUnchanged = 103;
constexpr int DoneElapsed = 121;
constexpr int FolderCopyCancelled = 127;
constexpr int LeftoverRemoved = 187;  // beyond the original table: ours

// Questions (base/Host.h names them).
constexpr int ExitQuestion = 38;
constexpr int CommitQuestion = 50;  // no operation asks it
constexpr int StopProcessingQuestion = 87;
constexpr int AddFolderItselfQuestion = 105;
constexpr int ResetHotkeysQuestion = 134;
constexpr int RestartForLanguageQuestion = 145;

// Messages and their titles.
constexpr int TooManyItems = 33;
constexpr int InvalidPositions = 43;
constexpr int DelimitersInvalid = 49;
constexpr int NoValidName = 51;
constexpr int DuplicationDetected = 52;
constexpr int NameCountMismatch = 53;
constexpr int InvalidFontSize = 56;
constexpr int DelimiterNotSingle = 68;
constexpr int InvalidDigitLength = 76;
constexpr int ForbiddenCharacters = 100;
constexpr int ErrorTitle = 101;
constexpr int VersionTitle = 102;
constexpr int ReportTitle = 104;
constexpr int InvalidWildcardUsage = 108;
constexpr int WildcardsNotPaired = 109;
constexpr int InvalidFolder = 119;
constexpr int AllFiltersEmpty = 132;

// Labels of the command input fields.
constexpr int StringToAddLabel = 23;
constexpr int Position1Label = 39;
constexpr int Position2Label = 40;
constexpr int CharactersToRemoveLabel = 45;  // no operation shows it
constexpr int PrefixLabel = 46;
constexpr int SuffixLabel = 47;
constexpr int FindWhatLabel = 62;
constexpr int ReplaceWithLabel = 63;
constexpr int StartDelimiterLabel = 66;
constexpr int EndDelimiterLabel = 67;
constexpr int MinDigitsLabel = 75;
constexpr int ExtensionLabel = 78;
constexpr int OldExtensionLabel = 80;
constexpr int NewExtensionLabel = 81;
constexpr int StartNumberLabel = 82;
constexpr int PresetNameLabel = 92;
constexpr int PivotLabel = 107;
constexpr int HeadPositionLabel = 114;
constexpr int TailPositionLabel = 115;
constexpr int ParentLevelLabel = 122;
constexpr int BackPosition1Label = 123;
constexpr int BackPosition2Label = 124;
constexpr int PatternLabel = 125;
constexpr int PatternOrSameLabel = 126;
constexpr int FilterPatternLabel = 144;
constexpr int DateFormatHint = 178;

// Dialog titles, menu and option texts.
constexpr int AddFilesTitle = 34;
constexpr int ImportPathListTitle = 37;
constexpr int LargeIcon = 57, SmallIcon = 58, ExtraLargeIcon = 59, JumboIcon = 60;
constexpr int ImportNewNamesTitle = 70;
constexpr int ExportNewNamesTitle = 71;
constexpr int ExportFullPathsTitle = 72;
constexpr int AppendExtension = 77;
constexpr int PresetTitle = 91;
constexpr int PresetMenuItem = 94;
constexpr int NoName = 95;
constexpr int CommandColumn = 96, SubCommandColumn = 97, Arg1Column = 98, Arg2Column = 99;
constexpr int NoHotkey = 118;
constexpr int AddFoldersTitle = 128;
constexpr int BoldSuffix = 140, ThinSuffix = 141, ItalicSuffix = 142;
constexpr int MakingCopies = 146;
constexpr int ChangeOriginals = 147;
constexpr int Ascending = 148;
constexpr int Descending = 149;
constexpr int HotkeyCommandColumn = 161, HotkeyColumn = 162;
constexpr int ExportPresetTitle = 163;
constexpr int ImportPresetTitle = 164;

// Journals and revert.
constexpr int RevertLastApply = 201;
constexpr int StartRevert = 202;
constexpr int FailedToRevert = 203;
constexpr int ChangedSinceRun = 204;
constexpr int RevertSummary = 205;
constexpr int NoJournal = 206;
constexpr int JournalUnreadable = 207;
constexpr int JournalNotWrittenNoChange = 208;
constexpr int JournalNotWritten = 209;
constexpr int InterruptedRunQuestion = 210;
constexpr int LeftUnderTempName = 211;
constexpr int SettledRun = 212;
constexpr int AtNeitherPath = 213;

// The fate of a row before applying (tooltips, status output).
constexpr int StatusUnchanged = 214;
constexpr int StatusRename = 215;
constexpr int StatusMove = 216;
constexpr int StatusCopy = 217;
constexpr int StatusNumbered = 218;
constexpr int StatusDuplicate = 219;
constexpr int StatusTargetExists = 220;
constexpr int StatusChain = 221;
constexpr int StatusCycle = 222;

}  // namespace quirnel::text
