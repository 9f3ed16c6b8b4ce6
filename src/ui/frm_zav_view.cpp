#include "ui/frm_zav_view.h"

#include <QFile>
#include <QHeaderView>
#include <QScrollBar>
#include <QTableView>

#include "ui/listing_model.h"

namespace zav {

namespace {

constexpr int kMargin = 8;
constexpr int kGap = 6;

QTableView* MakeList(QWidget* parent, const char* name, const char* accessibleName, ListingModel* model) {
    auto* list = new QTableView(parent);
    list->setObjectName(name);
    list->setAccessibleName(accessibleName);
    list->setModel(model);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setTabKeyNavigation(false);  // Tab moves on to the next control, arrows move within the list
    list->setWordWrap(false);
    list->setAlternatingRowColors(true);
    list->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    list->verticalHeader()->hide();
    // Every row is one line high: no row is measured, however many there are.
    list->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    list->verticalHeader()->setDefaultSectionSize(list->fontMetrics().height() + 6);
    list->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    list->horizontalHeader()->setHighlightSections(false);
    return list;
}

// Sizes every column to its contents and header. Only the few longest cells of a column are measured,
// so a route of tens of thousands of meters is sized as fast as a short one, and every row counts.
// Returns the columns' total width.
int SizeColumnsToContents(QTableView& list, const ListingModel& model) {
    constexpr std::size_t kMeasured = 3;
    const std::vector<std::vector<int>> longest = model.LongestCells(kMeasured);
    QHeaderView& header = *list.horizontalHeader();
    const int grid = list.showGrid() ? 1 : 0;
    int total = 0;
    for (int c = 0; c < model.columnCount(); ++c) {
        int width = header.sectionSizeHint(c);
        for (const int row : longest[static_cast<std::size_t>(c)])
            width = std::max(width, list.sizeHintForIndex(model.index(row, c)).width() + grid);
        header.resizeSection(c, width);
        total += width;
    }
    return total;
}

}  // namespace

frmZAVView::frmZAVView(QWidget* parent)
    : QDialog(parent),
      routeModel_(new ListingModel(ZAVListing::RouteColumns(), this)),
      meterModel_(new ListingModel(ZAVListing::MeterColumns(), this)),
      lstRoutes_(MakeList(this, "lstRoutes", "Routes", routeModel_)),
      lstMeters_(MakeList(this, "lstMeters", "Meters", meterModel_)) {
    setObjectName("frmZAVView");
    setWindowFlag(Qt::WindowMaximizeButtonHint);
    setSizeGripEnabled(true);
    lstRoutes_->horizontalHeader()->setStretchLastSection(true);
    connect(lstRoutes_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) { ShowMeters(current.isValid() ? current.row() : -1); });
    resize(1000, 560);
}

bool frmZAVView::Load(const std::filesystem::path& file) {
    setWindowTitle(QFile::decodeName(file.string().c_str()));
    routeModel_->SetRows(nullptr);
    meterModel_->SetRows(nullptr);
    routeRows_.clear();
    if (!LoadZAVListing(file, listing_)) return false;
    routeRows_.reserve(listing_.routes.size());
    for (const auto& route : listing_.routes) routeRows_.push_back(route.cells);
    routeModel_->SetRows(&routeRows_);
    // The route list is as wide as its columns and a scroll bar; without one, the last column takes it.
    routesWidth_ = SizeColumnsToContents(*lstRoutes_, *routeModel_) + 2 * lstRoutes_->frameWidth() +
                   lstRoutes_->verticalScrollBar()->sizeHint().width();
    if (!routeRows_.empty()) lstRoutes_->selectRow(0);  // shows its meters
    LayOutLists();
    return true;
}

bool frmZAVView::Display(const std::filesystem::path& file) {
    if (!Load(file)) return false;
    lstRoutes_->setFocus();
    exec();
    return true;
}

void frmZAVView::ShowMeters(int row) {
    if (row < 0 || static_cast<std::size_t>(row) >= listing_.routes.size()) {
        meterModel_->SetRows(nullptr);
        return;
    }
    meterModel_->SetRows(&listing_.Meters(listing_.routes[static_cast<std::size_t>(row)]));
    SizeColumnsToContents(*lstMeters_, *meterModel_);
    lstMeters_->scrollToTop();
}

void frmZAVView::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    LayOutLists();
}

void frmZAVView::LayOutLists() {
    // Routes named by very long texts scroll within their list rather than crowd out the meters.
    const int routesWidth = std::min(routesWidth_, width() / 2);
    const int height = std::max(0, this->height() - 2 * kMargin);
    lstRoutes_->setGeometry(kMargin, kMargin, routesWidth, height);
    const int metersLeft = kMargin + routesWidth + kGap;
    lstMeters_->setGeometry(metersLeft, kMargin, std::max(0, width() - metersLeft - kMargin), height);
}

}  // namespace zav
