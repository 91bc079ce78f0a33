#pragma once
#include <string>

#include "namelist/NameList.h"

namespace quirnel::cli {

// A text as a tsv field: its original bytes, with a tab, line break or
// backslash escaped.
std::string TsvField(const std::u16string& text);
// A text as a JSON string (always valid UTF-8).
std::string JsonString(const std::u16string& text);

// One line per row: the basic four columns or all eight, tab-separated.
std::string ListAsTsv(const NameList& list, bool allColumns);
// An array of objects keyed by the column captions plus "IsFolder".
std::string ListAsJson(const NameList& list);

}  // namespace quirnel::cli
