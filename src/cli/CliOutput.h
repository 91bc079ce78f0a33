#pragma once
#include <cstdio>
#include <string>
#include <string_view>

#include "namelist/NameList.h"

namespace quirnel::cli {

// A text as a tsv field: its original bytes, with a tab, line break or
// backslash escaped.
void AppendTsvField(std::string& out, std::u16string_view text);
inline std::string TsvField(std::u16string_view text) {
    std::string out;
    AppendTsvField(out, text);
    return out;
}
// A text as a JSON string (always valid UTF-8).
void AppendJsonString(std::string& out, std::u16string_view text);
inline std::string JsonString(std::u16string_view text) {
    std::string out;
    AppendJsonString(out, text);
    return out;
}

// The list is written row by row through a small buffer, never built whole.
// One line per row: the basic four columns or all eight, tab-separated.
void WriteListTsv(const NameList& list, bool allColumns, FILE* out);
// An array of objects keyed by the column captions plus "IsFolder".
void WriteListJson(const NameList& list, FILE* out);

}  // namespace quirnel::cli
