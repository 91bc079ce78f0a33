#pragma once
#include <QAbstractTableModel>

#include "namelist/Workspace.h"

namespace quirnel {

class UiIconProvider;

// The table the view paints: the eight columns of the Workspace's list,
// read on demand so a million rows cost nothing until they are shown.
class NameListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    NameListModel(Workspace& ws, const UiIconProvider& icons, QObject* parent = nullptr);
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // Rows change in whole batches (adding, commands, applying): the view
    // is told once per batch instead of once per row.
    void beginBatch() { beginResetModel(); }
    void endBatch() { endResetModel(); }
    void refreshAll();

private:
    Workspace& ws_;
    const UiIconProvider& icons_;
};

}  // namespace quirnel
