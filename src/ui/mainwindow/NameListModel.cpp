#include "ui/mainwindow/NameListModel.h"

#include <algorithm>

#include "base/StringTable.h"
#include "namelist/ProposalReset.h"
#include "ui/QtText.h"
#include "ui/UiIconProvider.h"

namespace quirnel {

NameListModel::NameListModel(Workspace& ws, const UiIconProvider& icons, QObject* parent)
    : QAbstractTableModel(parent), ws_(ws), icons_(icons), shownRows_(ws.list.size()) {}

int NameListModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid()) return 0;
    return changedOnly_ ? static_cast<int>(shown_.size()) : shownRows_;
}

int NameListModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : ColumnCount; }

QVariant NameListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) return {};
    int r = listRow(index.row()), c = index.column();
    if (r >= ws_.list.size()) return {};
    const RowStatus* status = r < static_cast<int>(statuses_.size()) ? &statuses_[r] : nullptr;
    switch (role) {
        case Qt::DisplayRole: return Q(ws_.list.text(r, c));
        case Qt::ToolTipRole:
            if (!status) return Q(ws_.list.text(r, c));
            return Q(ws_.list.text(r, c)) + QStringLiteral("\n") + Q(RowStatusText(*status));
        case Qt::BackgroundRole: {
            QColor tint = status ? statusTint(status->fate, base_) : QColor();
            return tint.isValid() ? QVariant(tint) : QVariant();
        }
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

void NameListModel::setStatuses(std::vector<RowStatus> statuses) {
    if (statuses.empty() && statuses_.empty()) return;
    statuses_ = std::move(statuses);
    if (rowCount() > 0) emit dataChanged(index(0, 0), index(rowCount() - 1, ColumnCount - 1), {Qt::BackgroundRole, Qt::ToolTipRole});
}

void NameListModel::rowsAppended() {
    if (changedOnly_) return rowsReset();
    int now = ws_.list.size();
    if (now < shownRows_) return rowsReset();
    if (now == shownRows_) return;
    beginInsertRows(QModelIndex(), shownRows_, now - 1);
    shownRows_ = now;
    endInsertRows();
}

void NameListModel::rowsReset() {
    beginResetModel();
    shownRows_ = ws_.list.size();
    if (changedOnly_) shown_ = changedRows();
    endResetModel();
}

void NameListModel::textsChanged() {
    if (!inStep()) return rowsReset();
    if (changedOnly_ && refilter()) return;
    if (shownRows_ > 0) emit dataChanged(index(0, 0), index(shownRows_ - 1, ColumnCount - 1));
}

void NameListModel::rowsChanged(int first, int last) {
    if (!inStep()) return rowsReset();
    if (changedOnly_) return textsChanged();
    if (first <= last && first >= 0 && last < shownRows_) emit dataChanged(index(first, 0), index(last, ColumnCount - 1));
}

void NameListModel::setChangedOnly(bool on) {
    if (on == changedOnly_) return;
    changedOnly_ = on;
    if (!on) shown_.clear();
    rowsReset();
    emit filtered();
}

int NameListModel::viewRow(int listRow) const {
    if (!changedOnly_) return listRow < shownRows_ ? listRow : -1;
    auto it = std::lower_bound(shown_.begin(), shown_.end(), listRow);
    return it != shown_.end() && *it == listRow ? static_cast<int>(it - shown_.begin()) : -1;
}

std::vector<int> NameListModel::changedRows() const {
    std::vector<int> rows;
    for (int r = 0; r < ws_.list.size(); ++r)
        if (RowHasProposal(ws_.list, r)) rows.push_back(r);
    return rows;
}

bool NameListModel::refilter() {
    std::vector<int> rows = changedRows();
    if (rows == shown_) return false;
    beginResetModel();
    shown_ = std::move(rows);
    endResetModel();
    emit filtered();
    return true;
}

}  // namespace quirnel
