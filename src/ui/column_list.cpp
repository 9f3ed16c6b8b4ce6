#include "ui/column_list.h"

#include <QHeaderView>
#include <algorithm>

namespace zav {

ColumnList::ColumnList(const QStringList& headers, const QList<int>& stops, const QString& accessibleName,
                       QWidget* parent)
    : QTreeWidget(parent), stops_(stops) {
    setColumnCount(static_cast<int>(headers.size()));
    setHeaderLabels(headers);
    setAccessibleName(accessibleName);
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    header()->setStretchLastSection(true);
    header()->setSectionsMovable(false);
    FitColumns();
}

void ColumnList::AddLine(const QStringList& columns) {
    auto* item = new QTreeWidgetItem(this);
    for (int i = 0; i < columns.size() && i < columnCount(); ++i) item->setText(i, columns[i]);
}

void ColumnList::FitColumns() {
    const int letter = fontMetrics().averageCharWidth();  // four dialog units
    int left = 0;
    for (int column = 0; column + 1 < columnCount(); ++column) {
        const int stop = column < stops_.size() ? stops_[column] * letter / 4 : 0;
        resizeColumnToContents(column);
        const int width = std::max(columnWidth(column) + 2 * letter, stop - left);  // a gap before the next
        setColumnWidth(column, width);
        left += width;
    }
}

QString ColumnList::Text(int row, int column) const {
    const QTreeWidgetItem* line = topLevelItem(row);
    return line ? line->text(column) : QString();
}

int ColumnList::SelectedRow() const {
    const QList<QTreeWidgetItem*> chosen = selectedItems();
    return chosen.isEmpty() ? -1 : indexOfTopLevelItem(chosen.front());
}

void ColumnList::SelectRow(int row) {
    if (QTreeWidgetItem* line = topLevelItem(row)) {
        setCurrentItem(line);
        line->setSelected(true);
    }
}

}  // namespace zav
