#pragma once
#include <QTableView>
#include <vector>

#include "namelist/Workspace.h"

class QTimer;

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

    // Rows tall enough for the font and for icons of this size.
    void setListIconSize(int pixels);
    // The name columns never get narrower than this, so they cannot be lost.
    void setNameColumnMinimum(int pixels);
    int nameColumnMinimum() const { return nameMinimum_; }
    // A column's width, 0 while it is hidden.
    int columnWidthOrZero(int column) const;
    void setColumnWidthOrHide(int column, int width);
    // Makes row the current one and scrolls it into view, keeping the selection.
    void showRow(int row);

    // While on, the name and folder columns share the width the view has
    // and the date columns show a whole time; a divider the user drags (or
    // double-clicks to fit) turns it off.
    void setSharedWidths(bool on);
    bool sharedWidths() const { return shared_; }
    void fitSharedColumns();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void selectionChanged(const QItemSelection& selected, const QItemSelection& deselected) override;
    void changeEvent(QEvent* event) override;

private:
    void keepNameColumnWide(int column, int oldSize, int newSize);
    // A column's whole content and caption, measured once until the content changes.
    int contentNeed(int column);
    void contentChanged();
    void updateRowHeight();

    Workspace& ws_;
    NameListModel* model_;
    bool syncing_ = false;
    bool shared_ = false;
    bool fitting_ = false;
    int iconPixels_ = 16;
    int nameMinimum_ = 0;
    std::vector<int> needs_;  // -1: not measured yet
    QTimer* refit_ = nullptr;
};

}  // namespace quirnel
