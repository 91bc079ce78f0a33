#include "ui/mainwindow/MenuLayout.h"

#include "base/MenuIds.h"
#include "base/StringTable.h"
#include "base/TextIds.h"
#include "ui/QtText.h"

namespace quirnel {

const std::vector<MenuPopup>& MenuBarLayout() {
    static const std::vector<MenuPopup> kBar = {
        {text::FilePopup, {
            {menu::AddFiles, text::AddFilesItem},
            {menu::AddFolders, text::AddFoldersItem},
            {kSeparator},
            {menu::CopyNewNames, text::CopyNewNamesItem},
            {menu::PasteNewNames, text::PasteNewNamesItem},
            {menu::SaveNewNames, text::SaveNewNamesItem},
            {menu::LoadNewNames, text::LoadNewNamesItem},
            {kSeparator},
            {menu::CopyPaths, text::CopyPathsItem},
            {menu::PastePaths, text::PastePathsItem},
            {menu::SavePaths, text::SavePathsItem},
            {menu::LoadPaths, text::LoadPathsItem},
            {kSeparator},
            {menu::RevertLastApply, text::RevertLastApply},
            {menu::RedoRevertedApply, text::RedoRevertedApplyItem},
            {kSeparator},
            {menu::Exit, text::ExitItem},
        }},
        {text::EditPopup, {
            {menu::ApplyChanges, text::ApplyChangesItem},
            {menu::UndoChanges, text::UndoChangesItem},
            {menu::UndoSelectedOnly, text::UndoSelectedOnlyItem},
            {kSeparator},
            {menu::ClearOrFilterList, text::ClearOrFilterListItem},
            {menu::ClearListInstantly, text::ClearListInstantlyItem},
            {kSeparator},
            {menu::SortList, text::SortListItem},
            {menu::RemoveSelected, text::RemoveSelectedItem},
            {menu::MoveUp, text::MoveUpItem},
            {menu::MoveDown, text::MoveDownItem},
            {kSeparator},
            {menu::EditName, text::EditNameItem},
        }},
        {text::ViewPopup, {
            {menu::ShowOldFolder, text::ShowOldFolderItem},
            {menu::ShowNewFolder, text::ShowNewFolderItem},
            {menu::ShowFileSize, text::ShowFileSizeItem},
            {menu::ShowModified, text::ShowModifiedItem},
            {menu::ShowCreated, text::ShowCreatedItem},
            {menu::ShowFullPath, text::ShowFullPathItem},
            {menu::ShowTaken, text::ShowTakenItem},
            {kSeparator},
            {menu::ToggleLog, text::ToggleLogItem},
            {kSeparator},
            {menu::ShowChangedOnly, text::ShowChangedOnlyItem},
        }},
        {text::ToolsPopup, {
            {menu::Replace, text::ReplaceItem},
            {menu::AddPrefix, text::AddPrefixItem},
            {menu::AddSuffix, text::AddSuffixItem},
            {kSeparator},
            {menu::EmptyName, text::EmptyNameItem},
            {menu::Remove, text::RemoveItem},
            {kSeparator},
            {menu::NumbersOnly, text::NumbersOnlyItem},
            {menu::DelNumbers, text::DelNumbersItem},
            {menu::MatchDigits, text::MatchDigitsItem},
            {menu::AddNumbers, text::AddNumbersItem},
            {kSeparator},
            {menu::EmptyExt, text::EmptyExtItem},
            {menu::AddExt, text::AddExtItem},
            {menu::ReplaceExt, text::ReplaceExtItem},
            {kSeparator},
            {menu::ChangeFolder, text::ChangeFolderItem},
        }},
        {text::PresetPopup, {
            {menu::ApplyPreset1, text::ApplyPreset1Item},
            {menu::ApplyPreset1 + 1, text::ApplyPreset2Item},
            {menu::ApplyPreset1 + 2, text::ApplyPreset3Item},
            {menu::ApplyPreset1 + 3, text::ApplyPreset4Item},
            {menu::ApplyPreset1 + 4, text::ApplyPreset5Item},
            {kSeparator},
            {menu::PresetSettings, text::PresetSettingsItem},
            {kSeparator},
            {menu::ExportPresetGroup, text::ExportPresetGroupItem},
            {menu::ImportPresetGroup, text::ImportPresetGroupItem},
        }},
        {text::OptionsPopup, {
            {menu::PathLoadOptions, text::PathLoadOptionsItem},
            {menu::ViewOptions, text::ViewOptionsItem},
            {menu::Hotkeys, text::HotkeysItem},
            {menu::OtherOptions, text::OtherOptionsItem},
            {kLanguageSubmenu, text::LanguagePopup},
            {kSeparator},
            {menu::Version, text::VersionItem},
        }},
    };
    return kBar;
}

const std::vector<MenuEntry>& LanguageSubmenu() {
    static const std::vector<MenuEntry> kLanguages = {
        {menu::LanguageDefault, text::LanguageDefaultItem},
        {kSeparator},
        {menu::LanguageEnglish, text::LanguageEnglishItem},
        {menu::LanguageKorean, text::LanguageKoreanItem},
    };
    return kLanguages;
}

QString EntryCaption(const MenuEntry& e) { return T(e.textId); }

QString LanguageSubmenuCaption() { return T(text::LanguagePopup); }

QString MenuCaption(int32_t command) {
    if (command <= 0) return {};
    for (const MenuEntry& e : LanguageSubmenu())
        if (e.command == command) return EntryCaption(e);
    for (const MenuPopup& popup : MenuBarLayout())
        for (const MenuEntry& e : popup.entries)
            if (e.command == command) return EntryCaption(e);
    return {};
}

}  // namespace quirnel
