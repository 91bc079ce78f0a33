#pragma once
// What the system gives at the least, written as one would by hand: every
// file of a tree with its status, folder by folder (opendir, readdir, statx
// relative to the open folder).
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <cstring>
#include <string>
#include <vector>

namespace quirnel::bench {

struct BareEntry {
    std::string folder, name;
};

inline void BareWalk(const std::string& dir, std::vector<BareEntry>& out) {
    DIR* d = opendir(dir.c_str());
    if (!d) return;
    std::vector<std::string> subdirs;
    while (dirent* e = readdir(d)) {
        if (!strcmp(e->d_name, ".") || !strcmp(e->d_name, "..")) continue;
        struct statx sx;
        if (statx(dirfd(d), e->d_name, AT_SYMLINK_NOFOLLOW, STATX_BASIC_STATS | STATX_BTIME, &sx) != 0) continue;
        if (S_ISDIR(sx.stx_mode))
            subdirs.push_back(dir + "/" + e->d_name);
        else
            out.push_back({dir, e->d_name});
    }
    closedir(d);
    for (auto& s : subdirs) BareWalk(s, out);
}

}  // namespace quirnel::bench
