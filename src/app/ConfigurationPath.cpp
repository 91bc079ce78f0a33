#include "app/ConfigurationPath.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "namelist/PathHelpers.h"
#include "platform/NativeText.h"

namespace quirnel {

bool IsFolderWritable(const std::u16string& folder) {
    if (folder.empty()) return false;
    std::string native = ToNative(folder);
    struct stat st;
    return stat(native.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && access(native.c_str(), W_OK) == 0;
}

std::u16string ConfigurationPath(const std::u16string& executablePath, const EnvironmentLookup& env,
                                 const std::function<bool(const std::u16string&)>& folderWritable,
                                 const PathStyle& style) {
    std::u16string folder = ParentFolderOf(executablePath, style);
    std::u16string name = NameOf(executablePath, true, style);
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

bool CreateParentFolders(const std::u16string& path) {
    std::string native = ToNative(path);
    size_t slash = native.rfind('/');
    if (slash == std::string::npos || slash == 0) return true;
    std::string parent = native.substr(0, slash);
    struct stat st;
    if (stat(parent.c_str(), &st) == 0) return S_ISDIR(st.st_mode);
    for (size_t p = parent.find('/', 1);; p = parent.find('/', p + 1)) {
        std::string part = parent.substr(0, p);
        if (mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) return false;
        if (p == std::string::npos) break;
    }
    return stat(parent.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

}  // namespace quirnel
