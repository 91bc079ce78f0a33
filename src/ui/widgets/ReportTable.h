#pragma once
#include <QHeaderView>
#include <QTableWidget>

namespace quirnel {

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
