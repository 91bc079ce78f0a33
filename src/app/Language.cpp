#include "app/Language.h"

#include <cstdlib>

#include "base/MenuIds.h"
#include "base/TextHelpers.h"

namespace quirnel {
const char* ProcessEnvironment(const char* name) { return std::getenv(name); }

UiLanguage SystemUiLanguage(const EnvironmentLookup& env) {
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = env(name);
        if (value == nullptr || *value == '\0') continue;  // an empty variable counts as unset
        return value[0] == 'k' && value[1] == 'o' ? UiLanguage::Korean : UiLanguage::English;
    }
    return UiLanguage::English;
}

UiLanguage ChooseUiLanguage(const std::u16string& uiLanguageSetting, const EnvironmentLookup& env) {
    if (EqualsIgnoringAsciiCase(uiLanguageSetting, "english")) return UiLanguage::English;
    if (EqualsIgnoringAsciiCase(uiLanguageSetting, "korean")) return UiLanguage::Korean;
    return SystemUiLanguage(env);
}

int CurrentLanguageCommand(const std::u16string& uiLanguageSetting) {
    if (EqualsIgnoringAsciiCase(uiLanguageSetting, "korean")) return menu::LanguageKorean;
    if (EqualsIgnoringAsciiCase(uiLanguageSetting, "english")) return menu::LanguageEnglish;
    return menu::LanguageDefault;
}

bool SwitchLanguage(AppSettings& settings, int command, Host& host) {
    const char16_t* chosen = nullptr;
    switch (command) {
        case menu::LanguageDefault: chosen = u"default"; break;
        case menu::LanguageEnglish: chosen = u"english"; break;
        case menu::LanguageKorean: chosen = u"korean"; break;
        default: return false;
    }
    if (command == CurrentLanguageCommand(settings.UILanguage)) return false;
    settings.UILanguage = chosen;
    return host.ask(Question::RestartForLanguage);
}

}  // namespace quirnel
