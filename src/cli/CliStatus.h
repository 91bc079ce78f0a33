#pragma once
#include <string>

#include "apply/RowStatus.h"
#include "cli/CliOptions.h"
#include "namelist/NameList.h"

namespace quirnel::cli {

// The fate of every row, one line (tsv) or object (json) per row: its
// number from 1, the fate, its detail (the number given, or the row it
// duplicates), its path and its target.
std::string StatusesAsText(const NameList& list, const std::vector<RowStatus>& statuses,
                           const std::vector<std::u16string>& targets, CliOptions::Format format);

}  // namespace quirnel::cli
