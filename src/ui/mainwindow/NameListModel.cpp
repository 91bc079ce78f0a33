#include "ui/mainwindow/NameListModel.h"

#include <algorithm>

#include "base/StringTable.h"
#include "base/TextIds.h"
#include "metadata/MediaFields.h"
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

int NameListModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : ViewColumnCount; }

QVariant NameListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) return {};
    int r = listRow(index.row()), c = index.column();
    if (r >= ws_.list.size()) return {};
    const RowStatus* status = r < static_cast<int>(statuses_.size()) ? &statuses_[r] : nullptr;
    switch (role) {
        case Qt::DisplayRole: return c == ColTaken ? takenText(r) : Q(ws_.list.text(r, c));
        case Qt::ToolTipRole: {
            QString tip = c == ColTaken ? takenTip(r) : Q(ws_.list.text(r, c));
            if (const std::u16string* note = ws_.list.note(r)) tip += QStringLiteral("\n") + Q(*note);
            if (status) tip += QStringLiteral("\n") + Q(RowStatusText(*status));
            return tip;
        }
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
    if (rowCount() > 0) emit dataChanged(index(0, 0), index(rowCount() - 1, ViewColumnCount - 1), {Qt::BackgroundRole, Qt::ToolTipRole});
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
    taken_.clear();
    readErrors_.clear();
    shownRows_ = ws_.list.size();
    if (changedOnly_) shown_ = changedRows();
    endResetModel();
}

void NameListModel::textsChanged() {
    if (!inStep()) return rowsReset();
    if (changedOnly_ && refilter()) return;
    if (shownRows_ > 0) emit dataChanged(index(0, 0), index(shownRows_ - 1, ViewColumnCount - 1));
}

void NameListModel::rowsChanged(int first, int last) {
    if (!inStep()) return rowsReset();
    if (changedOnly_) return textsChanged();
    if (first <= last && first >= 0 && last < shownRows_) emit dataChanged(index(first, 0), index(last, ViewColumnCount - 1));
}

void NameListModel::setChangedOnly(bool on) {
    if (on == changedOnly_) return;
    changedOnly_ = on;
    if (!on) shown_.clear();
    rowsReset();
    emit filtered();
}

void NameListModel::setTaken(size_t first, const std::vector<MediaFields>& fields) {
    const size_t end = std::min(first + fields.size(), static_cast<size_t>(ws_.list.size()));
    if (first >= end) return;
    if (taken_.size() < end) taken_.resize(end);
    for (size_t r = first; r < end; ++r) {
        const MediaFields& f = fields[r - first];
        TakenCell& cell = taken_[r];
        cell.taken = f.taken;
        using Why = TakenCell::Why;
        cell.why = f.taken ? Why::Taken : ws_.list.isFolder(static_cast<int>(r)) ? Why::Folder
                          : !f.error.empty()                                 ? Why::Unreadable
                                                                             : Why::NoField;
        if (cell.why == Why::Unreadable) readErrors_[static_cast<int>(r)] = f.error;
        else readErrors_.erase(static_cast<int>(r));
    }
    // Shown rows of a filtered list are not told apart: the column repaints whole.
    const int top = changedOnly_ ? 0 : static_cast<int>(first);
    const int last = changedOnly_ ? rowCount() - 1 : std::min(static_cast<int>(end), shownRows_) - 1;
    if (top <= last) emit dataChanged(index(top, ColTaken), index(last, ColTaken));
}

bool NameListModel::takenKnown() const {
    if (static_cast<int>(taken_.size()) < ws_.list.size()) return false;
    return std::none_of(taken_.begin(), taken_.end(), [](const TakenCell& c) { return c.why == TakenCell::Why::Unread; });
}

std::vector<std::optional<TakenTime>> NameListModel::takenTimes() const {
    std::vector<std::optional<TakenTime>> times(ws_.list.size());
    for (size_t r = 0; r < times.size() && r < taken_.size(); ++r) times[r] = taken_[r].taken;
    return times;
}

// The camera's own wall time, as the commands by date taken write it.
QString NameListModel::takenText(int r) const {
    if (r >= static_cast<int>(taken_.size()) || !taken_[r].taken) return {};
    return Q(WallTimeText(taken_[r].taken->wallSeconds));
}

QString NameListModel::takenTip(int r) const {
    if (r >= static_cast<int>(taken_.size())) return {};
    switch (taken_[r].why) {
        case TakenCell::Why::Taken: return takenText(r);
        case TakenCell::Why::NoField: return T(text::NoTakenTip);
        case TakenCell::Why::Unreadable: {
            auto it = readErrors_.find(r);
            return Q(FormatText(LoadText(text::UnreadableTip), {it == readErrors_.end() ? std::u16string() : it->second}));
        }
        default: return {};
    }
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
