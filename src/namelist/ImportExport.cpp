#include "namelist/ImportExport.h"

#include "base/TextFile.h"
#include "base/TextHelpers.h"
#include "namelist/AddItems.h"
#include "platform/FileSystem.h"
#include "platform/FileUrl.h"
#include "platform/PathText.h"

namespace quirnel {

std::u16string ExportList(const NameList& list, ListExport what) {
    std::u16string text;
    size_t size = 0;  // one allocation for lists of a million rows
    for (int r = 0; r < list.size(); ++r)
        size += 3 + list.newName(r).size() + (what == ListExport::targetPaths ? list.newFolder(r).size() : 0);
    text.reserve(size);
    for (int r = 0; r < list.size(); ++r) {
        if (r > 0) text += u"\r\n";
        text += what == ListExport::NewNames ? list.newName(r) : NewFullPath(list, r);
    }
    return text;
}

bool ExportListToFile(const NameList& list, ListExport what, const std::u16string& path) {
    return WriteTextFile(path, ExportList(list, what));
}

namespace {

// Calls line(text) for every trimmed line until it returns false.
template <typename Line>
void ForEachLine(const std::u16string& text, Line line) {
    // A UTF-8 file's byte-order mark is no part of the first name or path.
    size_t start = !text.empty() && text[0] == u'\uFEFF' ? 1 : 0;
    for (;;) {
        size_t end = text.find(u'\n', start);
        if (!line(TrimBlanks(text.substr(start, end == std::u16string::npos ? std::u16string::npos : end - start))))
            return;
        if (end == std::u16string::npos) return;
        start = end + 1;
    }
}

}  // namespace

std::vector<std::u16string> SplitImportLines(const std::u16string& text) {
    std::vector<std::u16string> lines;
    ForEachLine(text, [&](std::u16string line) {
        lines.push_back(std::move(line));
        return true;
    });
    return lines;
}

std::u16string WithFileUrlsAsPaths(const std::u16string& text) {
    std::u16string out;
    out.reserve(text.size());
    size_t start = 0;
    for (;;) {
        size_t end = text.find(u'\n', start);
        std::u16string line = text.substr(start, end == std::u16string::npos ? std::u16string::npos : end - start);
        if (auto path = PathOfFileUrl(TrimBlanks(line))) line = std::move(*path);
        out += line;
        if (end == std::u16string::npos) return out;
        out += u'\n';
        start = end + 1;
    }
}

void ImportNewNames(NameList& list, const std::u16string& text) {
    int row = 0;
    ForEachLine(text, [&](const std::u16string& line) {
        if (row >= list.size()) return false;
        list.setNewName(row++, NameOf(line, Extension::Keep, list.style()));
        return true;
    });
}

bool ImportNewNamesFromFile(NameList& list, const std::u16string& path) {
    std::u16string text;
    if (!ReadTextFile(path, text)) return false;
    ImportNewNames(list, text);
    return true;
}

// A relative line names an entry of the working folder; it is made absolute,
// since a row without a folder text would target the root folder.
void ImportPaths(Workspace& ws, const std::u16string& text) {
    std::vector<std::u16string> paths = SplitImportLines(text);
    for (auto& p : paths) p = AbsolutePath(p);
    AddPathList(ws, paths);
}

bool ImportPathsFromFile(Workspace& ws, const std::u16string& path) {
    std::u16string text;
    if (!ReadTextFile(path, text)) return false;
    ImportPaths(ws, text);
    return true;
}

}  // namespace quirnel
