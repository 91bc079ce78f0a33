#pragma once
#include <functional>
#include <string>

#include "app/Language.h"
#include "platform/FileSystem.h"
#include "platform/PathStyle.h"

namespace quirnel {

// What the rule asks of the file system: the real one, or a test's own.
struct PlaceProbe {
    std::function<bool(const std::u16string& folder)> folderWritable = IsFolderWritable;
    std::function<bool(const std::u16string& path)> exists = [](const std::u16string& p) {
        return GetPathAttributes(p).exists;
    };
};

// Beside the executable, named after it with ".ini" in place of its extension
// (the extension counts from the last dot of the file name only), for a
// program that does not run from an installed prefix (no desktop entry in
// <folder>/../share/applications) when that file exists already (portable
// use) or the folder is writable (a build folder). Otherwise
// $XDG_CONFIG_HOME/quirnel/quirnel.ini, or $HOME/.config/quirnel/quirnel.ini
// when XDG_CONFIG_HOME is unset or not absolute. An installed program never
// writes beside itself, not even as root, and ignores a file left there.
std::u16string ConfigurationPath(const std::u16string& executablePath,
                                 const EnvironmentLookup& env = ProcessEnvironment, const PlaceProbe& probe = {},
                                 const PathStyle& style = PathStyle::forHost());

// Where apply runs keep their journals: $XDG_STATE_HOME/quirnel/journal, or
// $HOME/.local/state/quirnel/journal when XDG_STATE_HOME is unset or not
// absolute; empty when neither gives an absolute folder.
std::u16string JournalFolder(const EnvironmentLookup& env = ProcessEnvironment,
                             const PathStyle& style = PathStyle::forHost());

}  // namespace quirnel
