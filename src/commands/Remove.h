#pragma once
#include <string>

namespace quirnel {

class NameList;

// Remove: deletes (or keeps only) a position range counted from the head or
// the back, the first delimited part, or the blanks at both ends of every name
// part. The extension is never touched.
void RemoveFromNames(NameList& list, int subCommand, const std::u16string& arg1, const std::u16string& arg2);

}  // namespace quirnel
