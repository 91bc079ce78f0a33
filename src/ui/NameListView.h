#pragma once
#include <QTableView>

#include "namelist/Workspace.h"

namespace quirnel {

class NameListModel;

// The list view: whole-row multi-selection that stays visible without focus.
// The selection lives in the rows themselves, so operations of the core that
// move rows carry it along; the view mirrors it both ways.
class NameListView : public QTableView {
    Q_OBJECT
public:
    NameListView(Workspace& ws, NameListModel* model, QWidget* parent = nullptr);
    // After the core changed rows or their selection flags.
    void syncSelectionFromList();
    NameListModel* listModel() const { return model_; }

protected:
    void selectionChanged(const QItemSelection& selected, const QItemSelection& deselected) override;

private:
    Workspace& ws_;
    NameListModel* model_;
    bool syncing_ = false;
};

}  // namespace quirnel
