#pragma once
#include <vector>

#include "metadata/MediaCache.h"
#include "namelist/NameList.h"

namespace quirnel {

// Each row's file as the list knows it, for the media cache: its size and
// time from when it was added or last refreshed, so reading from the cache
// asks the disk nothing. A folder row gives an empty path.
std::vector<MediaFile> MediaFilesOf(const NameList& list);

}  // namespace quirnel
