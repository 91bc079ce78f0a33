#include "ui/ClipboardPaths.h"

#include <QMimeData>

#include "platform/FileUrl.h"
#include "ui/QtText.h"

namespace quirnel {
namespace {

// GNOME's own format for copied files: "copy" or "cut", then one URL per line.
const QString kGnomeCopiedFiles = QStringLiteral("x-special/gnome-copied-files");

}  // namespace

std::vector<std::u16string> LocalPathsOf(const QList<QUrl>& urls) {
    std::vector<std::u16string> paths;
    for (const QUrl& url : urls)
        if (auto path = PathOfFileUrl(U(QString::fromLatin1(url.toEncoded())))) paths.push_back(std::move(*path));
    return paths;
}

ClipboardContent ReadClipboardContent(const QMimeData* mime) {
    ClipboardContent content;
    if (!mime) return content;
    if (mime->hasUrls()) {
        content.files = LocalPathsOf(mime->urls());
    } else if (mime->hasFormat(kGnomeCopiedFiles)) {
        QList<QUrl> urls;
        const QList<QByteArray> lines = mime->data(kGnomeCopiedFiles).split('\n');
        for (qsizetype i = 1; i < lines.size(); ++i)
            if (!lines[i].trimmed().isEmpty()) urls.push_back(QUrl::fromEncoded(lines[i].trimmed()));
        content.files = LocalPathsOf(urls);
    }
    if (content.files && content.files->empty()) content.files.reset();
    if (!content.files && mime->hasText()) content.text = U(mime->text());
    return content;
}

}  // namespace quirnel
