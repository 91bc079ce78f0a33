#pragma once

// The main window's menu command ids: what the menu, the command panels, the
// hotkeys and the dispatcher use, and what the configuration's Hotkey lines
// store. Distinct from the command numbers of base/CommandIds.h.
namespace quirnel::menu {

enum MenuCommandId : int {
    Exit = 2,
    PresetSettings = 32770,
    ApplyPreset1 = 32771,  // preset n is ApplyPreset1 + n - 1, up to 32775
    ApplyChanges = 32780,
    UndoChanges = 32781,
    UndoSelectedOnly = 32782,
    AddFiles = 32790,
    ClearOrFilterList = 32791,
    SortList = 32792,
    RemoveSelected = 32793,
    MoveUp = 32794,
    MoveDown = 32795,
    CopyNewNames = 32800,
    PasteNewNames = 32801,
    SaveNewNames = 32802,
    LoadNewNames = 32803,
    CopyPaths = 32804,
    PastePaths = 32805,
    SavePaths = 32806,
    LoadPaths = 32807,
    ExportPresetGroup = 32808,
    ImportPresetGroup = 32809,
    PathLoadOptions = 32810,
    ViewOptions = 32811,
    OtherOptions = 32812,
    Version = 32813,
    EditName = 32820,
    Replace = 32821,
    AddPrefix = 32822,
    AddSuffix = 32823,
    EmptyName = 32824,
    Remove = 32825,
    NumbersOnly = 32826,
    DelNumbers = 32827,
    MatchDigits = 32828,
    AddNumbers = 32829,
    ChangeFolder = 32830,
    EmptyExt = 32831,
    AddExt = 32832,
    ReplaceExt = 32833,
    ShowFullPath = 32834,
    ShowFileSize = 32835,
    ShowModified = 32836,
    ShowCreated = 32837,
    ShowNewFolder = 32839,
    ShowOldFolder = 32840,
    AddFolders = 32854,
    ClearListInstantly = 32855,
    LanguageEnglish = 32861,
    LanguageKorean = 32862,
    LanguageDefault = 32864,
    Hotkeys = 32865,
    ToggleLog = 32867,
    RevertLastApply = 32880,  // no hotkey record: the configuration keeps its 44 hotkey lines
    RedoRevertedApply = 32881,  // neither
    ShowChangedOnly = 32882,    // neither
    ShowTaken = 32883,          // neither
    SplitterMoved = 36001,
};

}  // namespace quirnel::menu
