#include "app/StartUp.h"

#include "app/Configuration.h"
#include "app/ConfigurationPath.h"
#include "app/Language.h"
#include "base/StringTable.h"

namespace quirnel {

StartUpResult StartUp(AppState& app, const std::u16string& configPath, ConfigurationFile file,
                      const StartUpOverrides& overrides) {
    app.settings = AppSettings{};
    app.presets = PresetTable{};
    ResetHotkeys(app.hotkeys);
    app.flags.stopFlag = 1;
    app.flags.unappliedFlag = 0;
    app.configPath = configPath;
    app.flags.journal = JournalPlace{JournalFolder(), {}};
    if (!configPath.empty()) {
        ReadStatus read = ReadConfiguration(configPath, app);
        if (!read && file == ConfigurationFile::MustExist)
            return read.kind == ReadStatus::TooLarge ? StartUpResult::ConfigurationTooLarge
                                                     : StartUpResult::ConfigurationUnreadable;
    }
    if (overrides && !overrides(app)) return StartUpResult::OverridesRefused;
    SetUiLanguage(ChooseUiLanguage(app.settings.UILanguage));
    return StartUpResult::Ready;
}

void ShutDown(const AppState& app) {
    // Nobody is left to tell at exit: a configuration that cannot be written
    // is lost silently, as every file write failure of the window is.
    if (!app.configPath.empty()) (void)WriteConfiguration(app.configPath, app);
}

}  // namespace quirnel
