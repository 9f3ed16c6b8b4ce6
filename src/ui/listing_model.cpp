#include "ui/listing_model.h"

#include <algorithm>

#include "ui/qt_text.h"

namespace zav {

ListingModel::ListingModel(const std::vector<std::string>& columns, QObject* parent) : QAbstractTableModel(parent) {
    for (const auto& column : columns) columns_ << ToQt(column);
}

void ListingModel::SetRows(const std::vector<ListingRow>* rows) {
    beginResetModel();
    rows_ = rows;
    endResetModel();
}

int ListingModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() || !rows_ ? 0 : static_cast<int>(rows_->size());
}

int ListingModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(columns_.size());
}

const ListingRow& ListingModel::Row(int row) const { return (*rows_)[static_cast<std::size_t>(row)]; }

std::vector<std::vector<int>> ListingModel::LongestCells(std::size_t count) const {
    struct Candidate {
        std::size_t length;
        int row;
    };
    std::vector<std::vector<Candidate>> best(static_cast<std::size_t>(columns_.size()));
    for (int r = 0; r < rowCount(); ++r) {
        Row(r).ForEachCell([&best, count, r](std::size_t c, std::string_view cell) {
            if (c >= best.size() || count == 0) return;
            auto& top = best[c];
            if (top.size() == count && cell.size() <= top.back().length) return;
            // Kept longest first; a new cell goes after the ones at least as long.
            auto at =
                std::find_if(top.begin(), top.end(), [&cell](const Candidate& k) { return k.length < cell.size(); });
            top.insert(at, {cell.size(), r});
            if (top.size() > count) top.pop_back();
        });
    }
    std::vector<std::vector<int>> rows(best.size());
    for (std::size_t c = 0; c < best.size(); ++c)
        for (const Candidate& k : best[c]) rows[c].push_back(k.row);
    return rows;
}

QVariant ListingModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= rowCount()) return {};
    return ToQt(std::string(Row(index.row())[static_cast<std::size_t>(index.column())]));
}

QVariant ListingModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || section < 0) return {};
    if (orientation == Qt::Horizontal) return section < columns_.size() ? QVariant(columns_[section]) : QVariant();
    return section + 1;
}

}  // namespace zav
