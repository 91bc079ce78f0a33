#include "ui/mainwindow/MenuLayout.h"

#include "base/MenuIds.h"
#include "base/StringTable.h"
#include "base/TextIds.h"
#include "ui/QtText.h"
#include "ui/UiText.h"

namespace quirnel {

const std::vector<MenuPopup>& MenuBarLayout() {
    static const std::vector<MenuPopup> kBar = {
        {"&File", "파일(&F)", {
            {menu::AddFiles, "Add Files...", "파일 추가..."},
            {menu::AddFolders, "Add Folders...", "폴더 추가..."},
            {kSeparator, "", ""},
            {menu::CopyNewNames, "Copy New Names to Clipboard", "새 이름을 클립보드로 복사"},
            {menu::PasteNewNames, "Paste New Names from Clipboard", "클립보드에서 새 이름 붙여넣기"},
            {menu::SaveNewNames, "Save New Names as a File...", "새 이름을 파일로 저장..."},
            {menu::LoadNewNames, "Load New Names from a File...", "파일에서 새 이름 불러오기..."},
            {kSeparator, "", ""},
            {menu::CopyPaths, "Copy Paths to Clipboard", "경로를 클립보드로 복사"},
            {menu::PastePaths, "Paste Paths from Clipboard", "클립보드에서 경로 붙여넣기"},
            {menu::SavePaths, "Save Paths as a File...", "경로를 파일로 저장..."},
            {menu::LoadPaths, "Load Paths from a File...", "파일에서 경로 불러오기..."},
            {kSeparator, "", ""},
            {menu::RevertLastApply, "", "", text::RevertLastApply},
            {kSeparator, "", ""},
            {menu::Exit, "Exit\tEsc", "끝내기\tEsc"},
        }},
        {"&Edit", "편집(&E)", {
            {menu::ApplyChanges, "Apply Changes", "변경 사항 적용"},
            {menu::UndoChanges, "Undo Changes", "변경 사항 되돌리기"},
            {menu::UndoSelectedOnly, "Undo Selected Only", "선택 항목만 되돌리기"},
            {kSeparator, "", ""},
            {menu::ClearOrFilterList, "Clear or Filter List...", "목록 비우기 또는 거르기..."},
            {menu::ClearListInstantly, "Clear List Instantly", "목록 바로 비우기"},
            {kSeparator, "", ""},
            {menu::SortList, "Sort List", "목록 정렬"},
            {menu::RemoveSelected, "Remove Selected", "선택 항목 제거"},
            {menu::MoveUp, "Move Up", "위로 이동"},
            {menu::MoveDown, "Move Down", "아래로 이동"},
            {kSeparator, "", ""},
            {menu::EditName, "Edit Name...", "이름 직접 수정..."},
        }},
        {"&View", "보기(&V)", {
            {menu::ShowOldFolder, "Show Old Folder", "원래 폴더 보기"},
            {menu::ShowNewFolder, "Show New Folder", "새 폴더 보기"},
            {menu::ShowFileSize, "Show File Size", "파일 크기 보기"},
            {menu::ShowModified, "Show Modifed Time", "수정한 날짜 보기"},
            {menu::ShowCreated, "Show Created Time", "만든 날짜 보기"},
            {menu::ShowFullPath, "Show Full Path", "전체 경로 보기"},
            {kSeparator, "", ""},
            {menu::ToggleLog, "Show Activity Log", "작업 기록 보기"},
        }},
        {"&Tools", "도구(&T)", {
            {menu::Replace, "Replace...", "문자열 교체..."},
            {menu::AddPrefix, "Add Prefix...", "앞에 추가..."},
            {menu::AddSuffix, "Add Suffix...", "뒤에 추가..."},
            {kSeparator, "", ""},
            {menu::EmptyName, "Empty Names", "이름 전체 지우기"},
            {menu::Remove, "Remove Selected...", "선택 지우기..."},
            {kSeparator, "", ""},
            {menu::NumbersOnly, "Extract Numbers", "숫자만 남기기"},
            {menu::DelNumbers, "Remove Numbers", "숫자 지우기"},
            {menu::MatchDigits, "Unify Digits...", "자릿수 맞추기..."},
            {menu::AddNumbers, "Add Numbers...", "번호 붙이기..."},
            {kSeparator, "", ""},
            {menu::EmptyExt, "Empty Extensions", "확장자 삭제"},
            {menu::AddExt, "Add Extensions..", "확장자 추가..."},
            {menu::ReplaceExt, "Replace Extensions...", "확장자 변경..."},
            {kSeparator, "", ""},
            {menu::ChangeFolder, "Change Folder...", "폴더 변경..."},
        }},
        {"&Preset", "프리셋(&P)", {
            {menu::ApplyPreset1, "Apply Preset1", "프리셋1 적용"},
            {menu::ApplyPreset1 + 1, "Apply Preset2", "프리셋2 적용"},
            {menu::ApplyPreset1 + 2, "Apply Preset3", "프리셋3 적용"},
            {menu::ApplyPreset1 + 3, "Apply Preset4", "프리셋4 적용"},
            {menu::ApplyPreset1 + 4, "Apply Preset5", "프리셋5 적용"},
            {kSeparator, "", ""},
            {menu::PresetSettings, "Preset Settings...", "프리셋 설정..."},
            {kSeparator, "", ""},
            {menu::ExportPresetGroup, "Export Preset Group...", "프리셋 그룹 내보내기..."},
            {menu::ImportPresetGroup, "Import Preset Group...", "프리셋 그룹 가져오기..."},
        }},
        {"&Options", "옵션(&O)", {
            {menu::PathLoadOptions, "Path Load Options...", "경로 불러오기 옵션..."},
            {menu::ViewOptions, "Path List View Options...", "경로 목록 보기 옵션..."},
            {menu::Hotkeys, "Hotkeys...", "단축키..."},
            {menu::OtherOptions, "Other Options...", "기타 옵션..."},
            {kLanguageSubmenu, "UI Language", "UI 언어"},
            {kSeparator, "", ""},
            {menu::Version, "Version...", "버전 정보..."},
        }},
    };
    return kBar;
}

const std::vector<MenuEntry>& LanguageSubmenu() {
    static const std::vector<MenuEntry> kLanguages = {
        {menu::LanguageDefault, "Default", "기본값"},
        {kSeparator, "", ""},
        {menu::LanguageEnglish, "English", "English"},
        {menu::LanguageKorean, "Korean", "한국어"},
    };
    return kLanguages;
}

QString EntryCaption(const MenuEntry& e) { return e.textId ? Q(LoadText(e.textId)) : Tr(e.english, e.korean); }

QString LanguageSubmenuCaption() { return Tr("UI Language", "UI 언어"); }

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
