#pragma once
#include <functional>
#include <string>

#include "base/AppSettings.h"
#include "base/Host.h"
#include "base/StringTable.h"

namespace quirnel {

// Reads an environment variable; null when unset. Tests pass their own.
using EnvironmentLookup = std::function<const char*(const char*)>;
const char* ProcessEnvironment(const char* name);

// The language the operating system asks for: the first set of LC_ALL,
// LC_MESSAGES and LANG (the POSIX order) decides; Korean when it starts with "ko".
UiLanguage SystemUiLanguage(const EnvironmentLookup& env = ProcessEnvironment);

// "english" and "korean" (any letter case) force that language; any other
// text follows the operating system.
UiLanguage ChooseUiLanguage(const std::u16string& uiLanguageSetting,
                            const EnvironmentLookup& env = ProcessEnvironment);

// The menu command that carries the check mark for a UILanguage setting.
int CurrentLanguageCommand(const std::u16string& uiLanguageSetting);

// A choice in the UI Language menu: stores the new setting and asks whether
// to exit now so that it takes effect. True when the user answered Yes (the
// window then takes its ordinary close path). A choice equal to the current
// one, or an unknown command, changes nothing and asks nothing.
[[nodiscard]] bool SwitchLanguage(AppSettings& settings, int command, Host& host);

}  // namespace quirnel
