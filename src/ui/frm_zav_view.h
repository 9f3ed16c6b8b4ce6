// frmZAVView: the routes of a route or readings database (lstRoutes, left) and the meters of the
// selected route with every field (lstMeters, right), the file's path as the title. The file is read
// once when the window is filled; selecting another route shows that route's meters at once.
//
// Layout: the route list keeps its left and top position and is as tall as the window less twice
// its top; the meter list is as tall and reaches from its left edge to the window's right edge less
// the route list's left margin.
#pragma once

#include <QDialog>
#include <filesystem>
#include <vector>

#include "zav/zav_listing.h"

class QTableView;

namespace zav {

class ListingModel;

class frmZAVView : public QDialog {
    Q_OBJECT
  public:
    explicit frmZAVView(QWidget* parent = nullptr);

    // Reads `file` and fills the lists: the first route selected, its meters shown, every column sized
    // to its contents. Logs "Error: Could not read ZAV file" and returns false when the file cannot be
    // opened. THROWS RuntimeError for an error while reading the records.
    bool Load(const std::filesystem::path& file);
    // Load, then show the window modally. False (nothing shown) when the file could not be opened.
    bool Display(const std::filesystem::path& file);

    QTableView* Routes() const { return lstRoutes_; }
    QTableView* Meters() const { return lstMeters_; }
    const ZAVListing& Listing() const { return listing_; }

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    // Shows the meters of the route in row `row` of the route list.
    void ShowMeters(int row);
    void LayOutLists();

    ZAVListing listing_;
    std::vector<ListingRow> routeRows_;
    ListingModel* routeModel_;
    ListingModel* meterModel_;
    QTableView* lstRoutes_;
    QTableView* lstMeters_;
    int routesWidth_ = 0;
};

}  // namespace zav
