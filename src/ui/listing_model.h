// A read-only table model over listed rows (the viewer's routes or one route's meters): the rows stay
// where they are and each cell becomes text only when a view asks for it, so a list of tens of
// thousands of meters costs no widget item per cell and switching to another list is one reset.
#pragma once

#include <QAbstractTableModel>
#include <QStringList>
#include <string>
#include <vector>

#include "zav/zav_listing.h"

namespace zav {

class ListingModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    ListingModel(const std::vector<std::string>& columns, QObject* parent);

    // Shows `rows` (not copied: they must outlive the model or the next call); nullptr shows none.
    void SetRows(const std::vector<ListingRow>* rows);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // The cells of row `row` (bytes as the file holds them).
    const ListingRow& Row(int row) const;
    // For each column, the rows of its longest cells (at most `count`, longest first, the first row of
    // equal lengths first): the ones worth measuring to size the column to its contents. One walk.
    std::vector<std::vector<int>> LongestCells(std::size_t count) const;

  private:
    QStringList columns_;
    const std::vector<ListingRow>* rows_ = nullptr;
};

}  // namespace zav
