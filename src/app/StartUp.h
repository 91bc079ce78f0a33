#pragma once
#include <functional>
#include <string>

#include "app/AppState.h"

namespace quirnel {

// The window's own configuration file may be missing (the defaults hold);
// a file named on the command line must be readable.
enum class ConfigurationFile { MayBeMissing, MustExist };

// What a front end adds after the configuration file and before the language
// is fixed (the command line's settings and preset group); false stops the
// start-up, after the front end has said why.
using StartUpOverrides = std::function<bool(AppState&)>;

enum class StartUpResult { Ready, ConfigurationUnreadable, ConfigurationTooLarge, OverridesRefused };

// The one start-up of both front ends: the defaults (settings, five empty
// presets, the default hotkeys, no run going), the configuration file when a
// path is given, the overrides, then the UI language fixed for the process.
[[nodiscard]] StartUpResult StartUp(AppState& app, const std::u16string& configPath, ConfigurationFile file,
                                    const StartUpOverrides& overrides = {});

// The window's end: the configuration written back to where it was read.
void ShutDown(const AppState& app);

}  // namespace quirnel
