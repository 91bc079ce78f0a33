#pragma once
#include <cstdint>

// The main window's command ids: what the menu, the panel buttons, the
// hotkeys and the dispatcher use. They are stored in hotkey lines of the
// configuration file: never renumber. Distinct from the CommandId numbers
// that presets store.
namespace quirnel::menu {

constexpr int32_t Exit = 2;

constexpr int32_t PresetSettings = 32770;
constexpr int32_t ApplyPreset1 = 32771;  // presets 1..5 are 32771..32775
constexpr int32_t ApplyPreset5 = 32775;

constexpr int32_t ApplyChanges = 32780;
constexpr int32_t UndoChanges = 32781;
constexpr int32_t UndoSelected = 32782;

constexpr int32_t AddFiles = 32790;
constexpr int32_t ClearOrFilter = 32791;
constexpr int32_t SortList = 32792;
constexpr int32_t RemoveSelected = 32793;
constexpr int32_t MoveUp = 32794;
constexpr int32_t MoveDown = 32795;

constexpr int32_t CopyNames = 32800;
constexpr int32_t PasteNames = 32801;
constexpr int32_t SaveNames = 32802;
constexpr int32_t LoadNames = 32803;
constexpr int32_t CopyPaths = 32804;
constexpr int32_t PastePaths = 32805;
constexpr int32_t SavePaths = 32806;
constexpr int32_t LoadPaths = 32807;

constexpr int32_t ExportPresetGroup = 32808;
constexpr int32_t ImportPresetGroup = 32809;
constexpr int32_t LoadOptions = 32810;
constexpr int32_t ViewOptions = 32811;
constexpr int32_t OtherOptions = 32812;
constexpr int32_t Version = 32813;

constexpr int32_t EditName = 32820;
constexpr int32_t Replace = 32821;
constexpr int32_t AddPrefix = 32822;
constexpr int32_t AddSuffix = 32823;
constexpr int32_t EmptyNames = 32824;
constexpr int32_t Remove = 32825;
constexpr int32_t NumbersOnly = 32826;
constexpr int32_t DelNumbers = 32827;
constexpr int32_t MatchDigits = 32828;
constexpr int32_t AddNumbers = 32829;
constexpr int32_t ChangeFolder = 32830;
constexpr int32_t EmptyExt = 32831;
constexpr int32_t AddExt = 32832;
constexpr int32_t ReplaceExt = 32833;

// Column toggles.
constexpr int32_t ShowFullPath = 32834;
constexpr int32_t ShowSize = 32835;
constexpr int32_t ShowModified = 32836;
constexpr int32_t ShowCreated = 32837;
constexpr int32_t ShowNewFolder = 32839;
constexpr int32_t ShowOldFolder = 32840;

constexpr int32_t AddFolders = 32854;
constexpr int32_t ClearInstantly = 32855;

constexpr int32_t LanguageEnglish = 32861;
constexpr int32_t LanguageKorean = 32862;
constexpr int32_t LanguageDefault = 32864;
constexpr int32_t Hotkeys = 32865;
constexpr int32_t ToggleLog = 32867;

}  // namespace quirnel::menu
