#include "cli/CliSave.h"

#include <cstdio>

#include "app/Configuration.h"
#include "cli/CliExit.h"
#include "platform/FileContent.h"
#include "platform/FileOps.h"
#include "platform/NativeText.h"

namespace quirnel::cli {
namespace {

bool Writable(const std::optional<std::string>& path, const char* what, MissingFolders missing) {
    if (!path) return true;
    Result writable = CheckReplaceable(FromNative(*path), missing);
    if (writable) return true;
    fprintf(stderr, "quirnel-cli: cannot write %s %s: %s\n", what, path->c_str(), ToUtf8(writable.text()).c_str());
    return false;
}

}  // namespace

bool SaveTargetsWritable(const CliOptions& o) {
    // The configuration writer creates missing folders; the preset group writer does not.
    return Writable(o.saveConfig, "configuration file", MissingFolders::Created) &&
           Writable(o.savePresets, "preset group file", MissingFolders::Refused);
}

int SaveFiles(const CliOptions& o, const AppState& app, int runStatus, bool diskChanged) {
    bool saved = true;
    if (o.saveConfig && !WriteConfiguration(FromNative(*o.saveConfig), app)) {
        fprintf(stderr, "quirnel-cli: cannot write configuration file %s\n", o.saveConfig->c_str());
        saved = false;
    }
    if (o.savePresets && !ExportPresetGroup(FromNative(*o.savePresets), app)) {
        fprintf(stderr, "quirnel-cli: cannot write preset group file %s\n", o.savePresets->c_str());
        saved = false;
    }
    return saved || diskChanged ? runStatus : kExitUsage;
}

}  // namespace quirnel::cli
