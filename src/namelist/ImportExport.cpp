#include "namelist/ImportExport.h"

#include <functional>

#include "base/TextFile.h"
#include "base/TextHelpers.h"
#include "base/TextLines.h"
#include "namelist/AddItems.h"
#include "platform/FileSystem.h"
#include "platform/FileUrl.h"
#include "platform/PathText.h"

namespace quirnel {

std::u16string ExportList(const NameList& list, ListExport what) {
    std::u16string text;
    size_t size = 0;  // one allocation for lists of a million rows
    for (int r = 0; r < list.size(); ++r)
        size += 3 + list.newName(r).size() + (what == ListExport::TargetPaths ? list.newFolder(r).size() : 0);
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

// A line as the importers take it: without the blanks at its ends (a CR
// too) and, on the first line, without a UTF-8 file's byte-order mark.
class CleanLine {
public:
    std::u16string operator()(std::u16string_view raw) {
        if (first_ && !raw.empty() && raw[0] == u'\uFEFF') raw.remove_prefix(1);
        first_ = false;
        return TrimBlanks(raw);
    }

private:
    bool first_ = true;
};

// Calls line(cleaned) for every line of a text until it returns false.
template <typename Line>
void ForEachLine(const std::u16string& text, Line line) {
    CleanLine clean;
    for (size_t start = 0;;) {
        size_t end = text.find(u'\n', start);
        std::u16string_view raw = std::u16string_view(text).substr(start, end == std::u16string::npos ? std::u16string::npos : end - start);
        if (!line(clean(raw)) || end == std::u16string::npos) return;
        start = end + 1;
    }
}

// The same for lines handed out as a file is read.
template <typename Line>
LineSink CleanedLines(Line line) {
    return [clean = CleanLine(), line = std::move(line)](std::u16string& raw) mutable { return line(clean(raw)); };
}

// Line k becomes the New Name of row k; false once every row has one.
class NameImport {
public:
    explicit NameImport(NameList& list) : list_(list) {}
    bool operator()(const std::u16string& line) {
        if (row_ >= list_.size()) return false;
        list_.setNewName(row_++, NameOf(line, Extension::Keep, list_.style()));
        return true;
    }

private:
    NameList& list_;
    int row_ = 0;
};

// One add batch over the lines as they come; a relative line names an entry
// of the working folder and is made absolute, since a row without a folder
// text would target the root folder.
class PathImport {
public:
    explicit PathImport(Workspace& ws) : ws_(ws) {}
    bool operator()(const std::u16string& line) {
        if (!begun_) BeginAddBatch(ws_);
        begun_ = true;
        if (!line.empty()) (void)AddExistingPath(ws_, AbsolutePath(line));
        return true;
    }
    void end() {
        if (begun_) EndAddBatch(ws_);
    }

private:
    Workspace& ws_;
    bool begun_ = false;
};

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

void ImportNewNames(NameList& list, const std::u16string& text) { ForEachLine(text, NameImport(list)); }

bool ImportNewNamesFromFile(NameList& list, const std::u16string& path) {
    return ReadTextFileLines(path, LineDecoding::Utf8Text, CleanedLines(NameImport(list)));
}

void ImportPaths(Workspace& ws, const std::u16string& text) {
    PathImport import(ws);
    ForEachLine(text, std::ref(import));
    import.end();
}

bool ImportPathsFromFile(Workspace& ws, const std::u16string& path) {
    PathImport import(ws);
    bool read = ReadTextFileLines(path, LineDecoding::FileNames, CleanedLines(std::ref(import)));
    import.end();
    return read;
}

bool ImportPathsFromStandardInput(Workspace& ws) {
    PathImport import(ws);
    bool read = ReadStandardInputLines(LineDecoding::FileNames, CleanedLines(std::ref(import)));
    import.end();
    return read;
}

}  // namespace quirnel
