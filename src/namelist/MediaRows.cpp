#include "namelist/MediaRows.h"

namespace quirnel {

std::vector<MediaFile> MediaFilesOf(const NameList& list) {
    std::vector<MediaFile> files(list.size());
    for (int r = 0; r < list.size(); ++r)
        if (!list.isFolder(r)) files[r] = MediaFile{OldFullPath(list, r), list.sizeBytes(r), list.modified(r)};
    return files;
}

}  // namespace quirnel
