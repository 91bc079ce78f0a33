#include "app/ConfigurationPath.h"

#include "platform/FileSystem.h"
#include "platform/NativeText.h"
#include "platform/PathText.h"

namespace quirnel {

std::u16string ConfigurationPath(const std::u16string& executablePath, const EnvironmentLookup& env,
                                 const std::function<bool(const std::u16string&)>& folderWritable,
                                 const PathStyle& style) {
    std::u16string folder = ParentFolderOf(executablePath, style);
    std::u16string name = NameOf(executablePath, Extension::Keep, style);
    std::u16string beside = JoinPath(folder, name.substr(0, name.rfind(u'.')) + u".ini", style);
    if (folderWritable(folder)) return beside;

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

}  // namespace quirnel
