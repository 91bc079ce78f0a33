#pragma once
#include <functional>
#include <string>

#include "app/Language.h"
#include "platform/FileSystem.h"
#include "platform/PathStyle.h"

namespace quirnel {

// Beside the executable, named after it with ".ini" in place of its extension
// (the extension counts from the last dot of the file name only), when that
// folder is writable; otherwise $XDG_CONFIG_HOME/quirnel/quirnel.ini, or
// $HOME/.config/quirnel/quirnel.ini when XDG_CONFIG_HOME is unset or not absolute.
std::u16string ConfigurationPath(const std::u16string& executablePath,
                                 const EnvironmentLookup& env = ProcessEnvironment,
                                 const std::function<bool(const std::u16string&)>& folderWritable = IsFolderWritable,
                                 const PathStyle& style = PathStyle::Host());

// Where apply runs keep their journals: $XDG_STATE_HOME/quirnel/journal, or
// $HOME/.local/state/quirnel/journal when XDG_STATE_HOME is unset or not
// absolute; empty when neither gives an absolute folder.
std::u16string JournalFolder(const EnvironmentLookup& env = ProcessEnvironment,
                             const PathStyle& style = PathStyle::Host());

}  // namespace quirnel
