#pragma once
#include <string>
#include <vector>

#include "apply/ApplyRows.h"
#include "apply/ApplySink.h"

namespace quirnel {

struct CheckResult {
    bool ok = true;
    int failingRow = -1;
    std::u16string message;  // for the message dialog
};

// Checks every row's New Name in list order (with the POSIX style, also that
// neither it nor the New Folder holds half of a surrogate pair) and fills
// targetPaths (one target full path per row). A duplicate target stops the
// checks, or with autoNumber gets the next free numbered name (reported
// through sink.RowNumbered and a log line). Nothing on disk is consulted.
[[nodiscard]] CheckResult CheckNames(const ApplyRows& rows, bool autoNumber, std::vector<std::u16string>& targetPaths,
                                     ApplySink& sink);

}  // namespace quirnel
