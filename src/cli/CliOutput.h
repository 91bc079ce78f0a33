#pragma once
#include <string>

#include "namelist/NameList.h"

namespace quirnel::cli {

// One line per row: the basic four columns or all eight, tab-separated.
std::string ListAsTsv(const NameList& list, bool allColumns);
// An array of objects keyed by the column captions plus "IsFolder".
std::string ListAsJson(const NameList& list);

}  // namespace quirnel::cli
