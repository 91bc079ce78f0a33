#pragma once
#include <QList>
#include <QUrl>
#include <optional>
#include <string>
#include <vector>

class QMimeData;

namespace quirnel {

// The local paths of dropped or copied URLs, with their names' bytes intact;
// URLs that are no local files are left out.
std::vector<std::u16string> LocalPathsOf(const QList<QUrl>& urls);

// What the clipboard offers the import commands: a file list when a file
// manager copied files (it wins over the text it puts beside it), else text.
struct ClipboardContent {
    std::optional<std::vector<std::u16string>> files;
    std::optional<std::u16string> text;
};
ClipboardContent ReadClipboardContent(const QMimeData* mime);

}  // namespace quirnel
