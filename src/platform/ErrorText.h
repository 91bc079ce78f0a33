#pragma once
#include <string>

namespace quirnel {

// Beyond the system's error numbers: a failed operation whose clean-up failed
// too, so that something it made stays on disk and the log must say so.
constexpr int kLeftUnderTemporaryName = -1;  // a case-only rename could not be undone
constexpr int kLeftAtTarget = -2;            // a partial copy or a second name stays at the target
// A checked move found the disk other than its run planned it.
constexpr int kFolderNotAsPlanned = -3;  // a folder's path reaches another folder (a link swapped in)
constexpr int kEntryNotAsPlanned = -4;   // the path names another entry than the one planned

// The system's reason text for an error number (or one of those above), as
// the log shows it.
std::u16string ErrorText(int error);

}  // namespace quirnel
