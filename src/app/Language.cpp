#include "app/Language.h"

#include <cstdlib>

namespace quirnel {
namespace {

bool EqualsIgnoringCase(const std::u16string& text, const char* ascii) {
    size_t i = 0;
    for (; ascii[i] != '\0'; ++i) {
        if (i >= text.size()) return false;
        char16_t c = text[i];
        if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
        if (c != static_cast<char16_t>(ascii[i])) return false;
    }
    return i == text.size();
}

}  // namespace

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
    if (EqualsIgnoringCase(uiLanguageSetting, "english")) return UiLanguage::English;
    if (EqualsIgnoringCase(uiLanguageSetting, "korean")) return UiLanguage::Korean;
    return SystemUiLanguage(env);
}

int CurrentLanguageCommand(const std::u16string& uiLanguageSetting) {
    if (EqualsIgnoringCase(uiLanguageSetting, "korean")) return kLanguageKoreanCommand;
    if (EqualsIgnoringCase(uiLanguageSetting, "english")) return kLanguageEnglishCommand;
    return kLanguageDefaultCommand;
}

bool SwitchLanguage(AppSettings& settings, int command, Host& host) {
    const char16_t* chosen = nullptr;
    switch (command) {
        case kLanguageDefaultCommand: chosen = u"default"; break;
        case kLanguageEnglishCommand: chosen = u"english"; break;
        case kLanguageKoreanCommand: chosen = u"korean"; break;
        default: return false;
    }
    if (command == CurrentLanguageCommand(settings.UILanguage)) return false;
    settings.UILanguage = chosen;
    return host.Ask(Question::RestartForLanguage);
}

}  // namespace quirnel
