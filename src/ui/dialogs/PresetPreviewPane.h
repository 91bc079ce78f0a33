#pragma once
#include <QHeaderView>
#include <QTableWidget>
#include <QWidget>

class QLabel;
class QTableWidget;

namespace quirnel {

class NameList;
struct AppSettings;
struct QuirnelPreset;

// Under the preset editor's tasks: what the shown preset would make of the
// first selected rows of the list (or its first rows), computed on copies.
class PresetPreviewPane : public QWidget {
    Q_OBJECT
public:
    static constexpr int kRows = 5;

    explicit PresetPreviewPane(QWidget* parent = nullptr);
    // Recomputes the preview; a missing or empty list shows a hint instead.
    void showPreview(const NameList* list, const QuirnelPreset& preset, const AppSettings& settings);

    QLabel* caption() const { return caption_; }
    QTableWidget* table() const { return table_; }

private:
    QLabel* caption_ = nullptr;
    QTableWidget* table_ = nullptr;
};

// A read-only table in the style of a report list: whole rows, one line each,
// as tall as the name list's rows.
inline void MakeReportTable(QTableWidget& table) {
    table.verticalHeader()->hide();
    table.verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table.verticalHeader()->setDefaultSectionSize(table.fontMetrics().height() + 6);
    table.setEditTriggers(QAbstractItemView::NoEditTriggers);
    table.setSelectionBehavior(QAbstractItemView::SelectRows);
    table.setWordWrap(false);
    table.setTextElideMode(Qt::ElideRight);
}

}  // namespace quirnel
