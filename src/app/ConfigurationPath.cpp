#include "app/ConfigurationPath.h"

#include "platform/NativeText.h"
#include "platform/PathText.h"

#ifndef QUIRNEL_DESKTOP_ENTRY
#error "the build names the installed desktop entry (cmake/Install.cmake)"
#endif

namespace quirnel {
namespace {

// A package or `make install` puts the desktop entry under the same prefix.
bool RunsFromInstalledPrefix(const std::u16string& folder, const PlaceProbe& probe, const PathStyle& style) {
    std::u16string prefix = ParentFolderOf(folder, style);
    if (prefix.empty() || prefix == folder) return false;
    std::u16string entry = JoinPath(JoinPath(JoinPath(prefix, u"share", style), u"applications", style),
                                    FromUtf8(QUIRNEL_DESKTOP_ENTRY), style);
    return probe.exists(entry);
}

}  // namespace

std::u16string ConfigurationPath(const std::u16string& executablePath, const EnvironmentLookup& env,
                                 const PlaceProbe& probe, const PathStyle& style) {
    std::u16string folder = ParentFolderOf(executablePath, style);
    std::u16string name = NameOf(executablePath, Extension::Keep, style);
    std::u16string beside = JoinPath(folder, name.substr(0, name.rfind(u'.')) + u".ini", style);
    const bool installed = RunsFromInstalledPrefix(folder, probe, style);
    if (!installed && (probe.exists(beside) || probe.folderWritable(folder))) return beside;

    std::u16string base;
    const char* xdg = env("XDG_CONFIG_HOME");
    if (xdg != nullptr && xdg[0] == '/') {
        base = FromNative(xdg);
    } else if (const char* home = env("HOME"); home != nullptr && home[0] == '/') {
        base = JoinPath(FromNative(home), u".config", style);
    } else {
        return beside;  // nowhere better to look: reading may still work
    }
    return JoinPath(JoinPath(base, u"quirnel", style), u"quirnel.ini", style);
}

std::u16string JournalFolder(const EnvironmentLookup& env, const PathStyle& style) {
    std::u16string base;
    if (const char* xdg = env("XDG_STATE_HOME"); xdg != nullptr && xdg[0] == '/') {
        base = FromNative(xdg);
    } else if (const char* home = env("HOME"); home != nullptr && home[0] == '/') {
        base = JoinPath(JoinPath(FromNative(home), u".local", style), u"state", style);
    } else {
        return {};
    }
    return JoinPath(JoinPath(base, u"quirnel", style), u"journal", style);
}

}  // namespace quirnel
