#pragma once
#include <QHash>
#include <QIcon>
#include <QMimeDatabase>
#include <vector>

#include "namelist/IconCache.h"

namespace quirnel {

// Icons from the platform's icon theme by MIME type, with the style's
// built-in file and folder icons where the theme has none.
class UiIconProvider : public IconProvider {
public:
    UiIconProvider();
    int folderIcon() override { return folder_; }
    int fileIcon(const std::u16string& path, const std::u16string& extension) override;
    const QIcon& icon(int index) const;

private:
    int add(const QString& key, const QIcon& icon);
    QMimeDatabase mime_;
    std::vector<QIcon> icons_;
    QHash<QString, int> byName_;
    int file_ = 0;
    int folder_ = 0;
};

}  // namespace quirnel
