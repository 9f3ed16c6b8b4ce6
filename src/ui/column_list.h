// ColumnList: a list of lines in aligned columns, as the advanced option windows show their codes,
// messages and favorites. A header names the columns, so the columns are visible and reach assistive
// technology as a table; one line is chosen at a time.
#pragma once

#include <QStringList>
#include <QTreeWidget>

namespace zav {

class ColumnList : public QTreeWidget {
    Q_OBJECT
  public:
    // `headers`: one caption per column. `stops`: where each column but the last at least ends, in
    // dialog units from the left edge (a dialog unit is a quarter of the font's average letter width).
    ColumnList(const QStringList& headers, const QList<int>& stops, const QString& accessibleName, QWidget* parent);

    // Appends a line; missing trailing columns stay empty.
    void AddLine(const QStringList& columns);
    // Widens each column but the last to its stop or its widest text and a gap, whichever is larger.
    void FitColumns();

    int LineCount() const { return topLevelItemCount(); }
    // Column `column` of line `row` ("" outside the list).
    QString Text(int row, int column) const;
    // The chosen line's row, or -1.
    int SelectedRow() const;
    // Chooses a line, as a click does.
    void SelectRow(int row);

  private:
    QList<int> stops_;
};

}  // namespace zav
