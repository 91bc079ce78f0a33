#pragma once
#include <string>

namespace quirnel {

class NameList;

// Empty Name: every New Name becomes its extension with the dot (empty for
// folders and names without a dot).
void EmptyNames(NameList& list);

// Empty Ext.: every file's New Name loses its extension; folders stay.
void EmptyExtensions(NameList& list);

// The row Edit Name works on: the first selected row, -1 when none is.
int EditNameRow(const NameList& list);

// Edit Name after its dialog closed with OK: the typed name (already cleaned by
// the dialog) becomes the New Name of the first selected row. False when no
// row is selected and nothing changed.
[[nodiscard]] bool EditName(NameList& list, const std::u16string& typedName);

}  // namespace quirnel
