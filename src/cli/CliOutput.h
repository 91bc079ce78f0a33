#pragma once
#include <cstdio>

#include "namelist/NameList.h"

namespace quirnel::cli {

// The list is written row by row through a small buffer, never built whole.
// One line per row: the basic four columns or all eight, tab-separated.
void WriteListTsv(const NameList& list, bool allColumns, FILE* out);
// An array of objects keyed by the column captions plus "IsFolder".
void WriteListJson(const NameList& list, FILE* out);

}  // namespace quirnel::cli
