#include "base/StringTable.h"

#include <array>
#include <atomic>
#include <string>

#include "base/TextHelpers.h"

namespace quirnel {

namespace {

struct RawText {
    int id;
    const char16_t* english;
    const char16_t* korean;
};

// Ids are public numbers (command numbers are the ids of their captions), so
// gaps stay gaps and texts are kept exactly as shown, spelling included.
constexpr RawText kRawTexts[] = {
    {1, u"Apply Change", u"실제로 적용"},
    {2, u"Replace", u"문자열 교체"},
    {3, u"Add Prefix", u"앞에 추가"},
    {4, u"Add Suffix", u"뒤에 추가"},
    {5, u"Empty Name", u"전체 지우기"},
    {6, u"Remove", u"선택 지우기"},
    {7, u"Numbers Only", u"숫자 남기기"},
    {8, u"Del. Numbers", u"숫자 지우기"},
    {9, u"Match Digits", u"자릿수 맞춤"},
    {10, u"Add Numbers", u"번호 붙이기"},
    {11, u"Undo Changes", u"이름 되돌림"},
    {12, u"Clear List", u"목록 비우기"},
    {13, u"Sort List", u"목록 정렬"},
    {14, u"Edit Name", u"직접 수정"},
    {15, u"Move Up", u"위로 이동"},
    {16, u"Move Down", u"아래로 이동"},
    {17, u"Change Folder", u"폴더 변경"},
    {18, u"Empty Ext.", u"확장자 삭제"},
    {19, u"Add Ext.", u"확장자 추가"},
    {20, u"Replace Ext.", u"확장자 변경"},
    {21, u"Add string", u"문자열 추가"},
    {22, u"Add parent folder name", u"상위 폴더 이름 추가"},
    {23, u"String to add", u"추가할 문자열"},
    {24, u"Working in progress, please wait.", u"작업 중입니다. 잠시 기다려 주세요."},
    {25, u"Old Name", u"원래 이름"},
    {26, u"New Name", u"새 이름"},
    {27, u"Full Path", u"전체 경로"},
    {28, u"Old Folder", u"원래 폴더"},
    {29, u"New Folder", u"새 폴더"},
    {30, u"Size", u"크기"},
    {31, u"Created", u"만든 날짜"},
    {32, u"Modified", u"수정한 날짜"},
    {33, u"Too many items at once. please select smaller number of items.",
     u"한 번에 처리하기에는 항목이 너무 많습니다. 항목을 더 적게 선택해 주세요."},
    {34, u"Add Files", u"파일 추가"},
    {35, u"Drag & Drop or use \"File\" menu to add files",
     u"끌어다 놓거나 \"파일\" 메뉴를 사용해 파일을 추가하세요"},
    {36, u"Number of items : %d", u"항목 수 : %d"},
    {37, u"Import path list from a file", u"파일에서 경로 목록 가져오기"},
    {38, u"Do you want to exit?", u"종료하시겠습니까?"},
    {39, u"Position1 (From the first, Default: the head)", u"위치1 (앞에서부터, 기본값: 맨 앞)"},
    {40, u"Position2 (From the first, Default: the tail)", u"위치2 (앞에서부터, 기본값: 맨 뒤)"},
    {41, u"Remove from [Positon1] to [Position2]", u"[위치1]부터 [위치2]까지 지우기"},
    {42, u"Remove from [Positon1 from the back] to [Position2 from the back]",
     u"[뒤에서부터 위치1]부터 [뒤에서부터 위치2]까지 지우기"},
    {43, u"Invalid positions", u"위치가 올바르지 않습니다"},
    {44, u"Edit a name manually", u"이름 직접 수정"},
    {45, u"Number of characters to remove", u"지울 글자 수"},
    {46, u"Additional Prefix", u"앞에 추가할 문자열"},
    {47, u"Additional Suffix", u"뒤에 추가할 문자열"},
    {48, u"Remove the part enclosed by the following delimiters", u"다음 구분자로 둘러싸인 부분 지우기"},
    {49, u"Delimiters are invalid.", u"구분자가 올바르지 않습니다."},
    {50, u"Do you want to commit changes?", u"변경 사항을 적용하시겠습니까?"},
    {51, u"Found an item with no valid name.", u"올바른 이름이 없는 항목이 있습니다."},
    {52, u"Detected duplication:", u"중복된 이름이 있습니다:"},
    {53, u"The number of new names is not the same as the number of old names.",
     u"새 이름의 개수가 원래 이름의 개수와 다릅니다."},
    {54, u"Failed to change", u"변경 실패"},
    {55, u" Total : %d / Processed : %d / Changed : %d", u" 전체 : %d / 처리 : %d / 변경 : %d"},
    {56, u"Invalid font size", u"글꼴 크기가 올바르지 않습니다"},
    {57, u"Large Icon (32x32)", u"큰 아이콘 (32x32)"},
    {58, u"Small Icon (16x16)", u"작은 아이콘 (16x16)"},
    {59, u"Extra Large Icon (48x48)", u"아주 큰 아이콘 (48x48)"},
    {60, u"Jumbo Icon (256x256)", u"초대형 아이콘 (256x256)"},
    {61, u"Replace string in names - Wildcards(*, ?) applicable",
     u"이름의 문자열 교체 - 와일드카드(*, ?) 사용 가능"},
    {62, u"Find what", u"찾을 문자열"},
    {63, u"Replace with", u"바꿀 문자열"},
    {64, u"Add the time of creation", u"만든 시각 추가"},
    {65, u"Add the time of modification", u"수정한 시각 추가"},
    {66, u"Start Delimiter", u"시작 구분자"},
    {67, u"End Delimter", u"끝 구분자"},
    {68, u"Delimiter must be a single character.", u"구분자는 한 글자여야 합니다."},
    {69, u"Move items to a different folder", u"항목을 다른 폴더로 이동"},
    {70, u"Import new names from a file", u"파일에서 새 이름 가져오기"},
    {71, u"Export new news as a file", u"새 이름을 파일로 내보내기"},
    {72, u"Export full paths as a file", u"전체 경로를 파일로 내보내기"},
    {73, u"Add '0' to tail number to match digits", u"뒤쪽 숫자에 '0'을 붙여 자릿수 맞춤"},
    {74, u"Add '0' to head number to match digits", u"앞쪽 숫자에 '0'을 붙여 자릿수 맞춤"},
    {75, u"Minimum Digit Length (Default : 0)", u"최소 자릿수 (기본값 : 0)"},
    {76, u"Invalid digit length (Maximum digit length is 10)",
     u"자릿수가 올바르지 않습니다 (최대 자릿수는 10)"},
    {77, u"Append file extention", u"파일 확장자 추가"},
    {78, u"Extention", u"확장자"},
    {79, u"Replace file extention", u"파일 확장자 변경"},
    {80, u"Old Extention (Change all extensions if this is empty)",
     u"원래 확장자 (비어 있으면 모든 확장자 변경)"},
    {81, u"New Extention", u"새 확장자"},
    {82, u"Starting Number (Default : 0)", u"시작 번호 (기본값 : 0)"},
    {83, u"Append tail numbers in listed order", u"목록 순서대로 뒤에 번호 붙이기"},
    {84, u"Append head numbers in listed order", u"목록 순서대로 앞에 번호 붙이기"},
    {85, u"Append tail numbers by folder", u"폴더별로 뒤에 번호 붙이기"},
    {86, u"Append head numbers by folder", u"폴더별로 앞에 번호 붙이기"},
    {87, u"Do you want to stop processing?", u"처리를 중지하시겠습니까?"},
    {88, u"Processed : %d %%", u"처리 : %d %%"},
    {89, u"Add the date of creation", u"만든 날짜 추가"},
    {90, u"Add the date of modification", u"수정한 날짜 추가"},
    {91, u"Preset %d : %s", u"프리셋 %d : %s"},
    {92, u"Preset Name", u"프리셋 이름"},
    {93, u"Change Preset Name", u"프리셋 이름 변경"},
    {94, u"Apply Preset %d : %s\tF%d", u"프리셋 %d 적용 : %s\tF%d"},
    {95, u"(No Name)", u"(이름 없음)"},
    {96, u"Command", u"명령"},
    {97, u"SubCommand", u"세부 명령"},
    {98, u"Arg.1", u"인수 1"},
    {99, u"Arg.2", u"인수 2"},
    {100, u"A file name cannot include \\ / | < > : \" ? *",
     u"파일 이름에는 \\ / | < > : \" ? * 문자를 쓸 수 없습니다"},
    {101, u"Error Message", u"오류 메시지"},
    {102, u"Version Infomation", u"버전 정보"},
    {103, u"Skipped the name with no change", u"바뀌지 않은 이름은 건너뛰었습니다"},
    {104, u"Result Report", u"결과 보고"},
    {105, u" YES: Add a folder itself / NO : Add files in a folder",
     u" 예: 폴더 자체를 추가 / 아니요 : 폴더 안의 파일을 추가"},
    {106, u"Flip left and right of a pivot string (ex: a#b→b#a)",
     u"기준 문자열의 왼쪽과 오른쪽 바꾸기 (예: a#b→b#a)"},
    {107, u"Pivot string", u"기준 문자열"},
    {108, u"Invalid usage of wildcards", u"와일드카드 사용법이 올바르지 않습니다"},
    {109, u"Wildcards are not propely paired.", u"와일드카드의 짝이 맞지 않습니다."},
    {110, u"Convert to lowercase", u"소문자로 변환"},
    {111, u"Convert to uppercase", u"대문자로 변환"},
    {112, u"Convert the 1st to uppercase, and the rest to lowercase",
     u"첫 글자는 대문자로, 나머지는 소문자로 변환"},
    {113, u"Convert the 1st of a word to uppercase, and the rest to lowercase",
     u"단어의 첫 글자는 대문자로, 나머지는 소문자로 변환"},
    {114, u"Position to insert from the head (0 = head)", u"앞에서부터 넣을 위치 (0 = 맨 앞)"},
    {115, u"Position to insert from the tail (0 = tail)", u"뒤에서부터 넣을 위치 (0 = 맨 뒤)"},
    {116, u"Add the date and time of creation", u"만든 날짜와 시각 추가"},
    {117, u"Add the date and time of modification", u"수정한 날짜와 시각 추가"},
    {118, u"(No Hotkey)", u"(단축키 없음)"},
    {119, u"Invalid folder", u"폴더가 올바르지 않습니다"},
    {120, u"Move items to a parent folder", u"항목을 상위 폴더로 이동"},
    {121, u"Done (Elapsed Time: %d ms)", u"완료 (걸린 시간: %d ms)"},
    {122, u"Parent folder level ", u"상위 폴더 단계 "},
    {123, u"Position 1 (From the back, Default: the tail)", u"위치 1 (뒤에서부터, 기본값: 맨 뒤)"},
    {124, u"Position 2 (From the back, Default: the head)", u"위치 2 (뒤에서부터, 기본값: 맨 앞)"},
    {125, u"Pattern with wildcards (* = string, ? = letter)", u"와일드카드 패턴 (* = 문자열, ? = 한 글자)"},
    {126, u"Pattern with wildcards (* = string, ? = letter, Default: the same as above)",
     u"와일드카드 패턴 (* = 문자열, ? = 한 글자, 기본값: 위와 같음)"},
    {127, u"Folder copy cancelled", u"폴더 복사가 취소되었습니다"},
    {128, u"Add Folders", u"폴더 추가"},
    {129, u"Remove except from [Positon1] to [Position2]", u"[위치1]부터 [위치2]까지만 남기고 지우기"},
    {130, u"Remove except from [Positon1] to [Position2] (Backwards)",
     u"[위치1]부터 [위치2]까지만 남기고 지우기 (뒤에서부터)"},
    {131, u"Remove except the part enclosed by the following delimiters",
     u"다음 구분자로 둘러싸인 부분만 남기고 지우기"},
    {132, u"All filters are empty.", u"모든 필터가 비어 있습니다."},
    {133, u"Remove blanks at the head and tail", u"앞뒤 공백 지우기"},
    {134, u"Do you want to reset all hotkeys to default?", u"모든 단축키를 기본값으로 되돌리시겠습니까?"},
    {135, u"Cut and paste a string pattern", u"문자열 패턴을 잘라서 옮기기"},
    {136, u"Cut and paste the part enclosed by the following delimiters",
     u"다음 구분자로 둘러싸인 부분을 잘라서 옮기기"},
    {137, u"Cut and paste from [Position1] to [Position2]", u"[위치1]부터 [위치2]까지 잘라서 옮기기"},
    {138, u"Cut and paste from [Position1] to [Position2] (Backwards)",
     u"[위치1]부터 [위치2]까지 잘라서 옮기기 (뒤에서부터)"},
    {139, u"Add the date and time of the current moment", u"현재 날짜와 시각 추가"},
    {140, u" / Bold", u" / 굵게"},
    {141, u" / Thin", u" / 가늘게"},
    {142, u" / Italic", u" / 기울임"},
    {143, u"Convert NFD Hangeul to NFC Hangeul", u"NFD 한글을 NFC 한글로 변환"},
    {144, u"Pattern with wildcards (* = string, ? = letter)", u"와일드카드 패턴 (* = 문자열, ? = 한 글자)"},
    {145, u"You shoud exit and restart Quirnel to apply the changed language setting. Do you want to exit now?",
     u"바뀐 언어 설정을 적용하려면 Quirnel을 종료한 뒤 다시 시작해야 합니다. 지금 종료하시겠습니까?"},
    {146, u"Making Copies (Keep Originals)", u"사본 만들기 (원본 유지)"},
    {147, u"Change Originals", u"원본 변경"},
    {148, u"Ascending", u"오름차순"},
    {149, u"Descending", u"내림차순"},
    {150, u"Quirnel is ready.", u"Quirnel 준비 완료."},
    {151, u"Added %d item(s) to the list.", u"목록에 항목 %d개를 추가했습니다."},
    {152, u"Removed %d item(s) from the list.", u"목록에서 항목 %d개를 제거했습니다."},
    {153, u"Starting applying changes to originals.", u"원본에 변경 사항을 적용하기 시작합니다."},
    {154, u"Starting applying changes by making copies.", u"사본을 만들어 변경 사항을 적용하기 시작합니다."},
    {157, u"Appended an incremental number due to duplication.", u"이름이 중복되어 일련번호를 붙였습니다."},
    {161, u"Command", u"명령"},
    {162, u"Hotkey", u"단축키"},
    {163, u"Export current preset", u"현재 프리셋 내보내기"},
    {164, u"Import a preset", u"프리셋 가져오기"},
    {170, u"Find a pattern from the name to create a folder", u"이름에서 패턴을 찾아 폴더 만들기"},
    {172, u"Use the part enclosed by the following delimiters to create a folder",
     u"다음 구분자로 둘러싸인 부분으로 폴더 만들기"},
    {173, u"Use [Position1] ~ [Position2] to create folder", u"[위치1] ~ [위치2]로 폴더 만들기"},
    {174, u"Use [Position1 from the back] ~ [Position2 from the back] to create folder",
     u"[뒤에서부터 위치1] ~ [뒤에서부터 위치2]로 폴더 만들기"},
    {175, u"Use created date/time to create folder", u"만든 날짜/시각으로 폴더 만들기"},
    {176, u"Use modified date/time to create folder", u"수정한 날짜/시각으로 폴더 만들기"},
    {177, u"Use extention to create folder", u"확장자로 폴더 만들기"},
    {178, u"%Y: year, %m: month, %d: day, %H: hour, %M: minute. %S: second, %A: day of a week",
     u"%Y: 연, %m: 월, %d: 일, %H: 시, %M: 분, %S: 초, %A: 요일"},
    {180, u"Clear all items", u"모든 항목 지우기"},
    {181, u"Delete if the following string pattern is included in a name",
     u"이름에 다음 문자열 패턴이 들어 있으면 목록에서 제거"},
    {182, u"Delete if the following string pattern is not included in a name",
     u"이름에 다음 문자열 패턴이 들어 있지 않으면 목록에서 제거"},
    {183, u"Delete if the following string pattern is included in an extension",
     u"확장자에 다음 문자열 패턴이 들어 있으면 목록에서 제거"},
    {184, u"Delete if the following string pattern is not included in an extension",
     u"확장자에 다음 문자열 패턴이 들어 있지 않으면 목록에서 제거"},
    {185, u"Delete if an old path is the same as its new path", u"원래 경로가 새 경로와 같으면 목록에서 제거"},
    {186, u"Delete if an old path is different from its new path", u"원래 경로가 새 경로와 다르면 목록에서 제거"},
    {187, u"Removed what an interrupted earlier run left behind: %s", u"중단된 이전 실행이 남긴 임시 항목을 지웠습니다: %s"},
    // Journals, revert and the fate of each row before applying.
    {201, u"Revert Last Apply", u"마지막 적용 되돌리기"},
    {202, u"Starting reverting the run recorded in %s.", u"%s에 기록된 작업을 되돌리기 시작합니다."},
    {203, u"Failed to revert", u"되돌리지 못함"},
    {204, u"Changed since the run", u"작업 뒤에 바뀜"},
    {205, u" Total : %d / Reverted : %d / Skipped : %d", u" 전체 : %d / 되돌림 : %d / 건너뜀 : %d"},
    {206, u"No journal to revert.", u"되돌릴 작업 기록이 없습니다."},
    {207, u"The journal %s cannot be read (%s).", u"작업 기록 %s을(를) 읽을 수 없습니다 (%s)."},
    {208, u"The journal of this run cannot be written (%s); nothing was changed.",
     u"이번 작업의 기록을 쓸 수 없어 (%s) 아무것도 바꾸지 않았습니다."},
    {209, u"The journal of this run cannot be written", u"이번 작업의 기록을 쓸 수 없음"},
    {210, u"An apply run ended before it was finished (%s).\r\nYES: Revert what it did / NO : Keep the disk as it is",
     u"적용 작업이 끝나기 전에 중단되었습니다 (%s).\r\n예: 한 일을 되돌리기 / 아니요: 디스크를 지금 그대로 두기"},
    {211, u"left under the temporary name %s", u"임시 이름 %s(으)로 남음"},
    {212, u"Kept the disk as the interrupted run left it: %s", u"중단된 작업이 남긴 그대로 둠: %s"},
    {213, u"Found at neither its old nor its new path", u"원래 경로에도 새 경로에도 없음"},
    {214, u"Unchanged", u"바뀌지 않음"},
    {215, u"Will be renamed", u"이름이 바뀜"},
    {216, u"Will be moved", u"이동됨"},
    {217, u"Will be copied", u"복사됨"},
    {218, u"Will be numbered: %s", u"번호가 붙음: %s"},
    {219, u"Duplicate of row %d", u"%d번 항목과 중복"},
    {220, u"The target exists on disk and this run does not free it", u"대상이 디스크에 있고 이번 작업으로 비워지지 않음"},
    {221, u"Part of a chain: changed after the row that holds its target", u"연쇄의 일부: 대상을 차지한 항목 다음에 바뀜"},
    {222, u"Part of a cycle: completed through a temporary name", u"순환의 일부: 임시 이름을 거쳐 완료됨"},
};

constexpr int kMaxId = 222;

constexpr bool RawTextsAreOrderedAndInRange() {
    int previous = 0;
    for (const RawText& text : kRawTexts) {
        if (text.id <= previous || text.id > kMaxId) return false;
        previous = text.id;
    }
    return true;
}
static_assert(RawTextsAreOrderedAndInRange());

// Indexed by id so a lookup is one bounds check; built on first use so that
// callers from other static initialisers still see a complete table.
struct Tables {
    std::array<std::u16string, kMaxId + 1> english;
    std::array<std::u16string, kMaxId + 1> korean;
    std::array<bool, kMaxId + 1> used{};
};

const Tables& TheTables() {
    static const Tables tables = [] {
        Tables built;
        for (const RawText& text : kRawTexts) {
            built.english[text.id] = text.english;
            built.korean[text.id] = text.korean;
            built.used[text.id] = true;
        }
        return built;
    }();
    return tables;
}

std::atomic<UiLanguage> g_language{UiLanguage::English};

void AppendArg(std::u16string& out, const FormatArg& arg) {
    if (const auto* text = std::get_if<std::u16string>(&arg)) {
        out += *text;
        return;
    }
    out += DecimalText(std::get<long long>(arg));
}

}  // namespace

void SetUiLanguage(UiLanguage language) { g_language.store(language, std::memory_order_relaxed); }

UiLanguage CurrentUiLanguage() { return g_language.load(std::memory_order_relaxed); }

const std::u16string& LoadText(int id) { return LoadText(id, CurrentUiLanguage()); }

const std::u16string& LoadText(int id, UiLanguage language) {
    static const std::u16string empty;
    if (id < 0 || id > kMaxId) return empty;
    const Tables& tables = TheTables();
    return language == UiLanguage::Korean ? tables.korean[id] : tables.english[id];
}

bool IsStringId(int id) { return id >= 0 && id <= kMaxId && TheTables().used[id]; }

std::u16string FormatText(const std::u16string& format, std::initializer_list<FormatArg> args) {
    std::u16string out;
    out.reserve(format.size() + 16);
    auto next = args.begin();
    for (std::size_t i = 0; i < format.size(); ++i) {
        const char16_t c = format[i];
        if (c != u'%' || i + 1 == format.size()) {
            out += c;
            continue;
        }
        const char16_t kind = format[i + 1];
        if (kind == u'%') {
            out += u'%';
            ++i;
        } else if ((kind == u'd' || kind == u's') && next != args.end()) {
            AppendArg(out, *next++);
            ++i;
        } else {
            // Unfilled or unknown placeholders are kept verbatim; the next
            // iteration copies the character after '%'.
            out += c;
        }
    }
    return out;
}

}  // namespace quirnel
