#include "ui/UiIconProvider.h"

#include <QApplication>
#include <QStandardPaths>
#include <QStyle>

#include "ui/QtText.h"

namespace quirnel {

UiIconProvider::UiIconProvider() {
    // Without a desktop session no theme is named or searched; the system's
    // icon folders and the theme we install serve then.
    if (QIcon::themeName().isEmpty() || QIcon::themeName() == QLatin1String("hicolor")) {
        QStringList paths = QIcon::themeSearchPaths();
        for (const QString& dir : QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation))
            if (!paths.contains(dir + QStringLiteral("/icons"))) paths << dir + QStringLiteral("/icons");
        QIcon::setThemeSearchPaths(paths);
        QIcon::setThemeName(QStringLiteral("Adwaita"));
    }
    QStyle* style = QApplication::style();
    file_ = add(QStringLiteral("file"), QIcon::fromTheme(QStringLiteral("text-x-generic"), style->standardIcon(QStyle::SP_FileIcon)));
    folder_ = add(QStringLiteral("folder"), QIcon::fromTheme(QStringLiteral("folder"), style->standardIcon(QStyle::SP_DirIcon)));
}

int UiIconProvider::add(const QString& key, const QIcon& icon) {
    icons_.push_back(icon);
    int index = static_cast<int>(icons_.size()) - 1;
    byName_.insert(key, index);
    return index;
}

int UiIconProvider::fileIcon(const std::u16string& path, const std::u16string& extension) {
    // By name only: reading every file's content to guess its type would make
    // adding a large folder slow.
    QMimeType type = mime_.mimeTypeForFile(Q(path), QMimeDatabase::MatchExtension);
    if (!type.isValid() || type.isDefault()) return file_;
    auto it = byName_.find(type.iconName());
    if (it != byName_.end()) return *it;
    QIcon icon = QIcon::fromTheme(type.iconName());
    if (icon.isNull()) icon = QIcon::fromTheme(type.genericIconName());
    if (icon.isNull()) return file_;
    return add(type.iconName(), icon);
}

const QIcon& UiIconProvider::icon(int index) const {
    if (index < 0 || index >= static_cast<int>(icons_.size())) return icons_[file_];
    return icons_[index];
}

}  // namespace quirnel
