#pragma once
#include <initializer_list>
#include <string>
#include <variant>

namespace quirnel {

// In the order of the language columns of base/Texts.def.
enum class UiLanguage { English, Korean };
constexpr int kUiLanguageCount = 2;

// The language every later LoadText uses. Chosen once at start-up.
void SetUiLanguage(UiLanguage language);
UiLanguage CurrentUiLanguage();

// The text of a string id in the current language; empty for an unused id.
const std::u16string& LoadText(int id);
const std::u16string& LoadText(int id, UiLanguage language);

// printf-style "%d", "%s" and "%%", filled in order. A placeholder without an
// argument stays as it is; an argument of the wrong kind is written as text.
using FormatArg = std::variant<long long, std::u16string>;
std::u16string FormatText(const std::u16string& format, std::initializer_list<FormatArg> args);

// The ids the table holds (1..186 with gaps, then the ones this program adds).
bool IsStringId(int id);

}  // namespace quirnel
