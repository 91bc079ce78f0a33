#pragma once

namespace quirnel {

// What a run does with the originals: renames or moves them, or makes
// renamed copies and keeps them. Chosen before a run starts.
enum class ApplyType { Originals = 0, Copies = 1 };

// The mode a number names where one is kept or given as 0 or 1 (a preset's
// field, the command line's choice): 1 makes copies, any other number
// changes the originals, as a run has always taken it.
constexpr ApplyType ApplyTypeFromNumber(int number) { return number == 1 ? ApplyType::Copies : ApplyType::Originals; }

}  // namespace quirnel
