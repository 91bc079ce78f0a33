#include "ui/NameListModel.h"

#include "base/StringTable.h"
#include "ui/QtText.h"
#include "ui/UiIconProvider.h"

namespace quirnel {

NameListModel::NameListModel(Workspace& ws, const UiIconProvider& icons, QObject* parent)
    : QAbstractTableModel(parent), ws_(ws), icons_(icons) {}

int NameListModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : ws_.list.size(); }

int NameListModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : ColumnCount; }

QVariant NameListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= ws_.list.size()) return {};
    int r = index.row(), c = index.column();
    switch (role) {
        case Qt::DisplayRole:
        case Qt::ToolTipRole: return Q(ws_.list.text(r, c));
        case Qt::DecorationRole:
            if (c == ColOldName) return icons_.icon(ws_.list.iconIndex(r));
            return {};
        case Qt::TextAlignmentRole:
            if (c == ColSize) return QVariant(Qt::AlignRight | Qt::AlignVCenter);
            return QVariant(Qt::AlignLeft | Qt::AlignVCenter);
        default: return {};
    }
}

QVariant NameListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal) return {};
    if (role == Qt::DisplayRole) return Q(LoadText(ColumnCaptionId(section)));
    if (role == Qt::TextAlignmentRole && section == ColSize) return QVariant(Qt::AlignRight | Qt::AlignVCenter);
    return {};
}

void NameListModel::refreshAll() {
    if (ws_.list.size() > 0) emit dataChanged(index(0, 0), index(ws_.list.size() - 1, ColumnCount - 1));
}

}  // namespace quirnel
