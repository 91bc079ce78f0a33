#pragma once
#include <string>
#include <vector>

#include "namelist/NameList.h"
#include "namelist/Workspace.h"

namespace quirnel {

enum class ListExport { NewNames, TargetPaths };

// One line per row, joined by CR LF, without a line end after the last row:
// the New Names, or the paths the rows would get when applied.
std::u16string ExportList(const NameList& list, ListExport what);
[[nodiscard]] bool ExportListToFile(const NameList& list, ListExport what, const std::u16string& path);

// Lines at each LF (the text after the last one is a line too, so an empty
// text is one empty line), each trimmed of blanks at both ends (a CR too).
// A leading byte-order mark is dropped.
std::vector<std::u16string> SplitImportLines(const std::u16string& text);

// The text with every line that is a file URL replaced by the path it names
// (file managers put such lines on the clipboard beside a copied file list).
std::u16string WithFileUrlsAsPaths(const std::u16string& text);

// Line k becomes the New Name of row k: only the part after the last path
// separator, so pasted paths give their names. Extra lines are ignored; rows
// beyond the last line keep their New Name.
void ImportNewNames(NameList& list, const std::u16string& text);
// The file is read as ReadTextFile decodes it, and only as far as there are
// rows. False (no change) when it cannot be read.
[[nodiscard]] bool ImportNewNamesFromFile(NameList& list, const std::u16string& path);

// Adds the paths of the lines as one batch, in the order they stand
// (relative ones taken from the working folder); lines that are no existing
// path are skipped.
void ImportPaths(Workspace& ws, const std::u16string& text);
// A path list read line by line, so that a list of any length costs memory
// only for the rows it adds, and decoded losslessly: bytes that are not
// UTF-8 stay the bytes of the names they belong to. UTF-16 files (FF FE)
// as ReadTextFile reads them. False when the file cannot be opened; no
// batch runs then.
[[nodiscard]] bool ImportPathsFromFile(Workspace& ws, const std::u16string& path);
[[nodiscard]] bool ImportPathsFromStandardInput(Workspace& ws);

}  // namespace quirnel
