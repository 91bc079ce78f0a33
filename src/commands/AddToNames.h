#pragma once
#include <cstdint>
#include <functional>
#include <string>

namespace quirnel {

class NameList;
struct MediaAccess;

// The clock sub-command 139 reads, as UTC seconds; tests give a fixed one.
using Clock = std::function<int64_t()>;
Clock SystemClock();

// Where Add Prefix, Add Suffix and Add Ext. put their text.
enum class AddPlace { Prefix, Suffix, Extension };

// Add Prefix, Add Suffix and Add Ext.: builds an insert text per row (typed text, the
// parent folder's name, a date, or a part cut out of the name) and inserts it
// at a position counted from the head or the tail. Every row is rewritten
// (folder rows are skipped in extension mode); arguments that give nothing to
// insert make the whole command a no-op. The sub-commands on what files hold
// read them through media (without it they change nothing) and leave a row
// without the value as it was.
void AddToNames(NameList& list, int subCommand, const std::u16string& arg1, const std::u16string& arg2,
                AddPlace place, const Clock& now = SystemClock(), const MediaAccess* media = nullptr);

// The date part (before the last blank) or the time part (after it) of a time
// text, with blanks as '_' and colons deleted: 2023-07-04 / 090531.
enum class TimePart { Date, Time };
std::u16string TimeTextPart(const std::u16string& timeText, TimePart part);

}  // namespace quirnel
