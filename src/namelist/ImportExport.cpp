#include "namelist/ImportExport.h"

#include "app/TextFile.h"
#include "namelist/AddItems.h"
#include "namelist/PathHelpers.h"

namespace quirnel {

std::u16string ExportList(const NameList& list, ListExport what) {
    std::u16string text;
    for (int r = 0; r < list.size(); ++r) {
        if (r > 0) text += u"\r\n";
        text += what == ListExport::NewNames ? list.newName(r) : NewFullPath(list, r);
    }
    return text;
}

bool ExportListToFile(const NameList& list, ListExport what, const std::u16string& path) {
    return WriteTextFile(path, ExportList(list, what));
}

std::vector<std::u16string> SplitImportLines(const std::u16string& text) {
    std::vector<std::u16string> lines;
    // A UTF-8 file's byte-order mark is no part of the first name or path.
    size_t start = !text.empty() && text[0] == u'\uFEFF' ? 1 : 0;
    for (;;) {
        size_t end = text.find(u'\n', start);
        lines.push_back(TrimBlanks(text.substr(start, end == std::u16string::npos ? std::u16string::npos : end - start)));
        if (end == std::u16string::npos) return lines;
        start = end + 1;
    }
}

void ImportNewNames(NameList& list, const std::u16string& text) {
    std::vector<std::u16string> lines = SplitImportLines(text);
    for (size_t k = 0; k < lines.size() && k < static_cast<size_t>(list.size()); ++k)
        list.setNewName(static_cast<int>(k), NameOf(lines[k], true, list.style()));
}

bool ImportNewNamesFromFile(NameList& list, const std::u16string& path) {
    std::u16string text;
    if (!ReadTextFile(path, text)) return false;
    ImportNewNames(list, text);
    return true;
}

void ImportPaths(Workspace& ws, const std::u16string& text) { AddPathList(ws, SplitImportLines(text)); }

bool ImportPathsFromFile(Workspace& ws, const std::u16string& path) {
    std::u16string text;
    if (!ReadTextFile(path, text)) return false;
    ImportPaths(ws, text);
    return true;
}

}  // namespace quirnel
