#pragma once

// The main window's menu command ids: what the menu, the command panels, the
// hotkeys and the dispatcher use, and what the configuration's Hotkey lines
// store. Distinct from the command numbers of base/CommandIds.h.
namespace quirnel::menu {

constexpr int Exit = 2;
constexpr int PresetSettings = 32770;
constexpr int ApplyPreset1 = 32771;  // preset n is ApplyPreset1 + n - 1, up to 32775
constexpr int ApplyChanges = 32780;
constexpr int UndoChanges = 32781;
constexpr int UndoSelectedOnly = 32782;
constexpr int AddFiles = 32790;
constexpr int ClearOrFilterList = 32791;
constexpr int SortList = 32792;
constexpr int RemoveSelected = 32793;
constexpr int MoveUp = 32794;
constexpr int MoveDown = 32795;
constexpr int CopyNewNames = 32800;
constexpr int PasteNewNames = 32801;
constexpr int SaveNewNames = 32802;
constexpr int LoadNewNames = 32803;
constexpr int CopyPaths = 32804;
constexpr int PastePaths = 32805;
constexpr int SavePaths = 32806;
constexpr int LoadPaths = 32807;
constexpr int ExportPresetGroup = 32808;
constexpr int ImportPresetGroup = 32809;
constexpr int PathLoadOptions = 32810;
constexpr int ViewOptions = 32811;
constexpr int OtherOptions = 32812;
constexpr int Version = 32813;
constexpr int EditName = 32820;
constexpr int Replace = 32821;
constexpr int AddPrefix = 32822;
constexpr int AddSuffix = 32823;
constexpr int EmptyName = 32824;
constexpr int Remove = 32825;
constexpr int NumbersOnly = 32826;
constexpr int DelNumbers = 32827;
constexpr int MatchDigits = 32828;
constexpr int AddNumbers = 32829;
constexpr int ChangeFolder = 32830;
constexpr int EmptyExt = 32831;
constexpr int AddExt = 32832;
constexpr int ReplaceExt = 32833;
constexpr int ShowFullPath = 32834;
constexpr int ShowFileSize = 32835;
constexpr int ShowModified = 32836;
constexpr int ShowCreated = 32837;
constexpr int ShowNewFolder = 32839;
constexpr int ShowOldFolder = 32840;
constexpr int AddFolders = 32854;
constexpr int ClearListInstantly = 32855;
constexpr int LanguageEnglish = 32861;
constexpr int LanguageKorean = 32862;
constexpr int LanguageDefault = 32864;
constexpr int Hotkeys = 32865;
constexpr int ToggleLog = 32867;
constexpr int SplitterMoved = 36001;

}  // namespace quirnel::menu
