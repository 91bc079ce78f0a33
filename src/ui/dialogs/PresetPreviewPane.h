#pragma once
#include <QHeaderView>
#include <QTableWidget>
#include <QWidget>
#include <vector>

class QLabel;
class QTableWidget;

namespace quirnel {

class NameList;
struct AppSettings;
struct PreviewRow;
struct QuirnelPreset;

// What a preset or a command would make of the first selected rows of the
// list (or its first rows), computed on copies: under the preset editor's
// tasks and in the command input dialog.
class PresetPreviewPane : public QWidget {
    Q_OBJECT
public:
    static constexpr int kRows = 5;

    explicit PresetPreviewPane(QWidget* parent = nullptr, int rows = kRows);
    // Recomputes the preview; a missing or empty list shows a hint instead.
    void showPreview(const NameList* list, const QuirnelPreset& preset, const AppSettings& settings);
    // Rows under a caption; a row with a status is tinted as the list tints it.
    void showRows(const QString& caption, const std::vector<PreviewRow>& rows);
    // A text instead of rows; a problem is drawn as an error.
    void showMessage(const QString& text, bool problem);

    int rows() const { return rows_; }
    // Tall enough for a caption of `captionLines` lines and every row.
    int heightFor(int captionLines) const;

    QLabel* caption() const { return caption_; }
    QTableWidget* table() const { return table_; }

private:
    int rows_;
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
