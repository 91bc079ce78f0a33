#pragma once
#include <QAbstractTableModel>
#include <QColor>
#include <cstdint>
#include <optional>
#include <unordered_map>
#include <vector>

#include "apply/RowStatus.h"
#include "metadata/FieldTypes.h"
#include "namelist/Workspace.h"
#include "ui/widgets/StatusTint.h"

namespace quirnel {

class UiIconProvider;

// The table the view paints: the eight columns of the Workspace's list,
// read on demand, and the date taken as the files were read so a million rows cost nothing until they are shown. The
// row count the views know is kept apart from the list's: the core changes
// rows first and the model tells the views afterwards, so a dialog opened in
// between (a question while adding) never sees a count the views were not told.
class NameListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    NameListModel(Workspace& ws, const UiIconProvider& icons, QObject* parent = nullptr);
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // Rows were appended at the end: the views keep their selection and place.
    void rowsAppended();
    // Rows were removed, reordered or replaced: the views start over.
    void rowsReset();
    // Only texts changed: scroll position, selection and current row stay.
    void textsChanged();
    void rowsChanged(int first, int last);
    bool inStep() const { return shownRows_ == ws_.list.size(); }

    // What applying would do with each row: a tint of the list's background
    // and a line of the tooltip. Empty shows nothing.
    void setStatuses(std::vector<RowStatus> statuses);
    void setStatusBase(const QColor& base) { base_ = base; }
    const std::vector<RowStatus>& statuses() const { return statuses_; }
    static QColor statusTint(RowFate fate, const QColor& base) { return StatusTint(fate, base); }

    // The date taken of rows first.. from their files' fields; rows not told
    // about show nothing. Removing or reordering rows forgets every date.
    void setTaken(size_t first, const std::vector<MediaFields>& fields);
    // Every row's date is known, or why it has none.
    bool takenKnown() const;
    std::vector<std::optional<TakenTime>> takenTimes() const;

    // Only the rows whose proposal differs from their old name and folder
    // are shown; the list itself keeps every row.
    void setChangedOnly(bool on);
    bool changedOnly() const { return changedOnly_; }
    int hiddenRows() const { return changedOnly_ ? ws_.list.size() - static_cast<int>(shown_.size()) : 0; }
    // The list's row a view row shows, and the view row of a list row (-1 while hidden).
    int listRow(int viewRow) const { return changedOnly_ ? shown_[viewRow] : viewRow; }
    int viewRow(int listRow) const;

signals:
    // The rows shown were chosen again: the views start over.
    void filtered();

private:
    Workspace& ws_;
    const UiIconProvider& icons_;
    int shownRows_ = 0;
    std::vector<RowStatus> statuses_;
    QColor base_ = Qt::white;
    bool changedOnly_ = false;
    std::vector<int> shown_;  // while changedOnly_: the list rows shown, in order
    // By list row; a row past the end has not been read.
    struct TakenCell {
        enum class Why : uint8_t { Unread, Taken, NoField, Unreadable, Folder };
        std::optional<TakenTime> taken;
        Why why = Why::Unread;
    };
    std::vector<TakenCell> taken_;
    std::unordered_map<int, std::u16string> readErrors_;  // the rows whose file could not be read

    QString takenText(int r) const;
    QString takenTip(int r) const;

    std::vector<int> changedRows() const;
    bool refilter();  // false when the same rows stay
};

}  // namespace quirnel
